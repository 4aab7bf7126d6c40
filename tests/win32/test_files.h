// What the tests under Wine share: scratch folders, whole files, UTF-8, and a stand-in kravix.exe.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

inline std::string Utf8(const fs::path& text) {
    const std::u8string bytes = text.u8string();
    return {bytes.begin(), bytes.end()};
}
inline std::wstring FromUtf8(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end())).wstring();
}
inline void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}
// The file once it exists, waiting for it up to 10 s.
inline std::string ReadBytes(const fs::path& file) {
    for (int poll = 0; poll < 400 && !fs::exists(file); ++poll) Sleep(25);
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return bytes.str();
}

// This test program, and the folder it lies in with kx_shell.exe.
inline fs::path Self() {
    wchar_t path[MAX_PATH * 4];
    return fs::path(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH * 4)));
}
inline fs::path Here() { return Self().parent_path(); }

// A new, empty folder whose name holds a space and Cyrillic, removed with all it holds at the end.
struct TestFolder : fs::path {
    TestFolder() : fs::path(fs::temp_directory_path() / (L"kx тест " + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                                          std::to_wstring(++count))) {
        fs::remove_all(*this, ignored);  // left by an earlier run of the same process number
        fs::create_directories(*this);
    }
    ~TestFolder() { fs::remove_all(*this, ignored); }
    static inline int count = 0;
    std::error_code ignored;
};

// A test program copied under another name (kravix.exe) writes what it was started
// with to received.txt beside itself, in UTF-8 lines: the command line, the current
// folder, whether an ANSI program could open argument 1, then each argument.
inline const bool kStandIn = [] {
    if (Self().stem().wstring().ends_with(L"_tests")) return false;
    std::string record = Utf8(GetCommandLineW()) + "\n" + Utf8(fs::current_path()) + "\n";
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    char ansi[32768] = {};  // the first argument as an ANSI program gets it
    if (count > 1) WideCharToMultiByte(CP_ACP, 0, arguments[1], -1, ansi, sizeof ansi, nullptr, nullptr);
    const HANDLE rom = CreateFileA(ansi, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    record += rom == INVALID_HANDLE_VALUE ? "not opened\n" : "opened\n";
    for (int i = 1; i < count; ++i) record += Utf8(arguments[i]) + "\n";
    // Written under another name first, so a reader never sees half a record.
    WriteBytes(Here() / L"received.part", record);
    fs::rename(Here() / L"received.part", Here() / L"received.txt");
    ExitProcess(0);
}();
