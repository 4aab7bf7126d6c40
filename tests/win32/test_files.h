// Files for the tests under Wine: a scratch folder of a test's own, whole
// files read and written, and UTF-8 for records and messages.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

inline std::string Utf8(const std::wstring& text) {
    const std::u8string bytes = fs::path(text).u8string();
    return {bytes.begin(), bytes.end()};
}
inline std::wstring FromUtf8(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())).wstring(); }
inline std::string ReadBytes(const fs::path& file) {
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return bytes.str();
}
inline void WriteBytes(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

// The folder this test program lies in; kx_shell.exe and stand_in\kravix.exe lie there too.
inline fs::path Here() {
    wchar_t path[MAX_PATH * 4];
    return fs::path(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH * 4))).parent_path();
}

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
