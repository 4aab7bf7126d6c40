// kx_shell.ini as a damaged disk, another program or a careless hand may leave
// it: kx_shell must open the sensible window with the sensible path, quickly,
// whatever the file holds.
#include <gtest/gtest.h>

#include <string>

#include "e2e/driver.h"
#include "core/controls.h"

using namespace std::string_literals;
using namespace e2e;

namespace {

std::wstring FromCodePage1251(const std::string& bytes) {
    std::wstring text(bytes.size(), L'\0');
    text.resize(MultiByteToWideChar(1251, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                    static_cast<int>(text.size())));
    return text;
}

// Expects the main window showing `path` in its program-path box.
void ExpectMainWindowWith(const Launcher& app, const std::wstring& path) {
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr) << "the main window did not open";
    EXPECT_EQ(TextOf(main, MainWindow::ProgramPathBox.id), path);
    EXPECT_EQ(app.Find(kSetupCaption), nullptr);
}

// Expects the setup window alone: the file held no usable path.
void ExpectSetupWindowAlone(const Launcher& app) {
    ASSERT_NE(app.SetupWindow(), nullptr) << "the setup window did not open";
    EXPECT_EQ(app.Find(kMainCaption), nullptr);
}

// Bytes no text editor would write: every value but the delimiters the
// reader stops at, in a fixed pseudo-random order.
std::string NoisyLine(std::size_t length) {
    std::string bytes;
    unsigned state = 12345;
    while (bytes.size() < length) {
        state = state * 1103515245 + 12345;
        const char c = static_cast<char>(state >> 16);
        if (c != '\0' && c != '\r' && c != '\n' && c != ',' && c != '"' && c != ' ' && c != '\t') bytes += c;
    }
    return bytes;
}

Launcher With(const std::string& bytes) { return Launcher(LaunchOptions(Ini::Custom, bytes)); }

}  // namespace

TEST(HostileConfig, FilesThatStillHoldAPathOpenTheMainWindow) {
    {
        Launcher app(LaunchOptions(Ini::Custom, {}, {}, false));
        const std::string record = IniRecord(app.kravixPath());
        WriteBytes(app.iniPath(), record.substr(1, record.size() - 4));  // no quotes and no line end
        app.Start();
        ExpectMainWindowWith(app, app.kravixPath());
    }
    {
        Launcher app = With("\"C:\\unterminated quote\r\nnext line\"");
        ExpectMainWindowWith(app, L"C:\\unterminated quote");
    }
    {
        Launcher app = With("C:\\first\rC:\\second\r");
        ExpectMainWindowWith(app, L"C:\\first");
    }
    {
        const std::string noise = NoisyLine(200);
        Launcher app = With(noise + "\r\n" + NoisyLine(5000));
        ExpectMainWindowWith(app, FromCodePage1251(noise));
    }
}

TEST(HostileConfig, FilesWithoutAUsablePathOpenTheSetupWindow) {
    const std::string cases[] = {
        "   \t  \t ",                                // only blanks
        "\"C:\\a\0b\"\r\n"s,                        // a NUL inside the path
        "\xEF\xBB\xBF\"C:\\\xC3\x28\\k.exe\"\r\n",   // the UTF-8 mark, then bytes that are not UTF-8
        "\"C:\\" + std::string(40000, 'a') + "\"\r\n",  // longer than any Windows path
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes.substr(0, 16));
        Launcher app = With(bytes);
        ExpectSetupWindowAlone(app);
    }
    // Random binary data, NUL bytes among it.
    std::string binary = NoisyLine(3000);
    for (std::size_t i = 7; i < binary.size(); i += 97) binary[i] = '\0';
    Launcher app = With(binary);
    ExpectSetupWindowAlone(app);
}

// Reading stops long before the end: a 4 GB file (sparse, so it costs no
// disk) opens as fast as a small one.
TEST(HostileConfig, HugeFileIsReadOnlyAtItsStart) {
    Launcher app(LaunchOptions(Ini::Custom, {}, {}, false));
    WriteBytes(app.iniPath(), IniRecord(app.kravixPath()));
    const HANDLE file = CreateFileW(app.iniPath().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD returned = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 4LL << 30;
    const bool grown = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(grown) << "cannot make a 4 GB file here";

    app.Start();
    ExpectMainWindowWith(app, app.kravixPath());
}

// Another program holds the file open and shares it with no one.
TEST(HostileConfig, FileTheLauncherMayNotReadOpensTheSetupWindow) {
    Launcher app(LaunchOptions(Ini::KravixPath, {}, {}, false));
    const HANDLE lock = CreateFileW(app.iniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    app.Start();
    ExpectSetupWindowAlone(app);
    CloseHandle(lock);
}
