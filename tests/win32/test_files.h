// What the tests under Wine share: scratch folders, whole files, UTF-8, and where the programs lie.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace fs = std::filesystem;

inline std::string Utf8(const fs::path& text) { return reinterpret_cast<const char*>(text.u8string().c_str()); }
inline std::wstring FromUtf8(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())).wstring(); }
inline void WriteBytes(const fs::path& file, const std::string& data) { std::ofstream(file, std::ios::binary) << data; }
// Whether `done` holds within 90 s: a first window on a cold machine may take a minute, and a wait that
// succeeds ends as soon as it does.
inline bool WaitUntil(const std::function<bool()>& done) {
    const ULONGLONG end = GetTickCount64() + 90'000;
    for (; !done(); Sleep(25))
        if (GetTickCount64() > end) return false;
    return true;
}
inline std::string ReadBytes(const fs::path& file) {
    WaitUntil([&] { return fs::exists(file); });
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A window's caption, or a control's text.
inline std::wstring Text(HWND window) {
    wchar_t text[4096] = {};
    return std::wstring(text, GetWindowTextW(window, text, 4096));
}
inline fs::path Here() {
    wchar_t path[MAX_PATH * 4];
    return fs::path(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH * 4))).parent_path();
}
inline std::wstring ShortName(const fs::path& path) {
    wchar_t name[MAX_PATH];
    return std::wstring(name, GetShortPathNameW(path.c_str(), name, MAX_PATH));
}

// A new, empty folder whose name holds a space and Cyrillic, removed at the end. Named by the time too: Wine
// hands out process numbers again, and a failed run may leave its folder.
struct TestFolder : fs::path {
    TestFolder()
        : fs::path(fs::temp_directory_path() / (L"kx тест " + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                                std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++count))) {
        fs::create_directories(*this);
    }
    ~TestFolder() {
        std::error_code ignored;
        fs::remove_all(*this, ignored);
    }
    static inline int count = 0;
};
