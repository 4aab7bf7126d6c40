// The scratch files and folders a benchmark run prepares before any timing,
// and their removal, also when the run fails.
#include <windows.h>
// After windows.h, which it needs.
#include <winioctl.h>

#include <cstdio>

#include "bench.h"

namespace bench {

namespace {

std::vector<std::wstring> g_made;  // scratch files and folders, removed in reverse order

}  // namespace

void Cleanup() {
    for (auto path = g_made.rbegin(); path != g_made.rend(); ++path) {
        if (!DeleteFileW(path->c_str())) RemoveDirectoryW(path->c_str());
    }
    g_made.clear();
}

[[noreturn]] void Fail(const char* what) {
    const DWORD error = GetLastError();
    Out(kErr, "bench: %s (last error %lu)\n", what, error);
    Cleanup();  // never leave a 4 GB file behind
    ExitProcess(1);
}

void Remember(const std::wstring& path) { g_made.push_back(path); }

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring MakeFolder(const std::wstring& path) {
    if (!CreateDirectoryW(path.c_str(), nullptr)) Fail("cannot create a scratch folder");
    g_made.push_back(path);
    return path;
}

void CopyInto(const std::wstring& from, const std::wstring& folder) {
    const std::wstring to = folder + from.substr(from.find_last_of(L'\\'));
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) Fail("cannot copy a program into a scratch folder");
    g_made.push_back(to);
}

// A new scratch file holding bytes, left open.
HANDLE CreateWith(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("cannot create a scratch file");
    g_made.push_back(path);
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written != bytes.size())
        Fail("cannot write a scratch file");
    return file;
}

// kx_shell.ini naming kravix.exe: one quoted record in the ANSI code page.
std::string IniRecord(const std::wstring& program) {
    const std::wstring line = L"\"" + program + L"\"\r\n";
    std::string bytes(line.size() * 4, '\0');
    bytes.resize(WideCharToMultiByte(CP_ACP, 0, line.data(), static_cast<int>(line.size()), bytes.data(),
                                     static_cast<int>(bytes.size()), nullptr, nullptr));
    return bytes;
}

// The record, then a hole up to 4 GB: sparse where the file system allows, so
// it costs no disk. Returns what the system made of it, for the notes.
std::string MakeFourGigabyteIni(const std::wstring& path, const std::string& record) {
    const HANDLE file = CreateWith(path, record);
    DWORD unused = 0;
    const bool sparse = DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
    const DWORD sparseError = sparse ? 0 : GetLastError();
    LARGE_INTEGER end;
    end.QuadPart = 4LL << 30;
    if (!SetFilePointerEx(file, end, nullptr, FILE_BEGIN) || !SetEndOfFile(file)) Fail("cannot make the 4 GB ini");
    FILE_STANDARD_INFO info{};
    GetFileInformationByHandleEx(file, FileStandardInfo, &info, sizeof info);
    CloseHandle(file);
    char note[256];
    std::snprintf(note, sizeof note, "4 GB ini: FSCTL_SET_SPARSE %s (error %lu), %.0f MB long, %.0f KB allocated",
                  sparse ? "succeeded" : "failed", sparseError, static_cast<double>(info.EndOfFile.QuadPart) / 1048576,
                  static_cast<double>(info.AllocationSize.QuadPart) / 1024);
    return note;
}

}  // namespace bench
