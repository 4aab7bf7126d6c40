// What Explorer shows of kx_shell.exe without running it: the version record,
// the icon and the manifest, read back from the built file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/test_folder.h"

namespace {

std::wstring ShellExe() { return TestProgramFolder() + L"\\kx_shell.exe"; }

class VersionRecord {
public:
    VersionRecord() {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(ShellExe().c_str(), &ignored);
        data_.resize(size);
        ok_ = size && GetFileVersionInfoW(ShellExe().c_str(), 0, size, data_.data());
    }
    bool ok() const { return ok_; }
    // Null when the value is missing.
    const void* Query(const std::wstring& key, UINT* length = nullptr) {
        void* value = nullptr;
        UINT size = 0;
        if (!ok_ || !VerQueryValueW(data_.data(), key.c_str(), &value, &size)) return nullptr;
        if (length) *length = size;
        return value;
    }
    std::wstring String(const wchar_t* name) {
        UINT length = 0;
        const auto* text = static_cast<const wchar_t*>(Query(L"\\StringFileInfo\\040904B0\\" + std::wstring(name), &length));
        if (!text) return L"<missing>";
        return std::wstring(text);
    }

private:
    std::vector<char> data_;
    bool ok_ = false;
};

// The resource's bytes in the module, empty when it is missing.
std::string ResourceBytes(HMODULE module, const wchar_t* type, int id) {
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found) return {};
    const HGLOBAL loaded = LoadResource(module, found);
    const auto* bytes = static_cast<const char*>(LockResource(loaded));
    return bytes ? std::string(bytes, SizeofResource(module, found)) : std::string();
}

// The module loaded as data only: nothing of it runs.
struct ImageAsData {
    HMODULE module = LoadLibraryExW(ShellExe().c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ~ImageAsData() {
        if (module) FreeLibrary(module);
    }
};

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

#pragma pack(push, 2)
struct GroupIconEntry {  // GRPICONDIRENTRY: not declared by the Windows headers
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14);

}  // namespace

TEST(AppearanceResources, VersionRecordFixedPart) {
    VersionRecord record;
    ASSERT_TRUE(record.ok()) << "no version record in kx_shell.exe";
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(record.Query(L"\\", &length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1)) << "file version must be 1.0.0.0";
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1)) << "product version must be 1.0.0.0";
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(AppearanceResources, VersionRecordStrings) {
    VersionRecord record;
    ASSERT_TRUE(record.ok());
    EXPECT_EQ(record.String(L"FileVersion"), L"1.00");
    EXPECT_EQ(record.String(L"ProductVersion"), L"1.00");
    EXPECT_EQ(record.String(L"ProductName"), L"Shell for kravix");
    EXPECT_EQ(record.String(L"FileDescription"), L"Исполняемый файл программы Shell for kravix");
    EXPECT_EQ(record.String(L"InternalName"), L"kx_shell");
    EXPECT_EQ(record.String(L"OriginalFilename"), L"kx_shell.exe");
}

TEST(AppearanceResources, VersionRecordTranslationIsUsEnglishUnicode) {
    VersionRecord record;
    ASSERT_TRUE(record.ok());
    UINT length = 0;
    const auto* pairs = static_cast<const WORD*>(record.Query(L"\\VarFileInfo\\Translation", &length));
    ASSERT_NE(pairs, nullptr);
    ASSERT_EQ(length, 2 * sizeof(WORD)) << "exactly one language and code page";
    EXPECT_EQ(pairs[0], 0x0409);
    EXPECT_EQ(pairs[1], 1200);
}

TEST(AppearanceResources, IconHasTwoSixteenColourImages) {
    ImageAsData image;
    ASSERT_NE(image.module, nullptr) << "cannot load kx_shell.exe as data, error " << GetLastError();
    const std::string group = ResourceBytes(image.module, RT_GROUP_ICON, 1);
    ASSERT_GE(group.size(), 6u) << "no RT_GROUP_ICON 1";
    const auto* header = reinterpret_cast<const WORD*>(group.data());
    EXPECT_EQ(header[1], 1) << "type 1: icons";
    ASSERT_EQ(header[2], 2) << "exactly two images";
    ASSERT_EQ(group.size(), 6 + 2 * sizeof(GroupIconEntry));
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(group.data() + 6);
    const int sizes[] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        EXPECT_EQ(entries[i].width, sizes[i]);
        EXPECT_EQ(entries[i].height, sizes[i]);
        EXPECT_EQ(entries[i].colorCount, 16);
        EXPECT_EQ(entries[i].bitCount, 4);
        // The image itself, not only the directory, is 4 bits per pixel.
        const std::string bits = ResourceBytes(image.module, RT_ICON, entries[i].id);
        ASSERT_GE(bits.size(), sizeof(BITMAPINFOHEADER));
        const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bits.data());
        EXPECT_EQ(info->biWidth, sizes[i]);
        EXPECT_EQ(info->biHeight, 2 * sizes[i]) << "colour and mask";
        EXPECT_EQ(info->biBitCount, 4);
    }
}

TEST(AppearanceResources, OneManifestPerMonitorV2AsInvoker) {
    ImageAsData image;
    ASSERT_NE(image.module, nullptr);
    int count = 0;
    EnumResourceNamesW(image.module, RT_MANIFEST, CountName, reinterpret_cast<LONG_PTR>(&count));
    EXPECT_EQ(count, 1) << "exactly one RT_MANIFEST";
    std::string manifest = ResourceBytes(image.module, RT_MANIFEST, 1);
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST 1";
    // Comments say nothing to Windows; the manifest's own comment names
    // activeCodePage to say it is absent.
    for (std::size_t start; (start = manifest.find("<!--")) != std::string::npos;) {
        const std::size_t end = manifest.find("-->", start);
        ASSERT_NE(end, std::string::npos) << "unterminated comment";
        manifest.erase(start, end + 3 - start);
    }
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos);
    EXPECT_NE(manifest.find("http://schemas.microsoft.com/SMI/2016/WindowsSettings"), std::string::npos);
}
