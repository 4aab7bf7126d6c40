// The system's ANSI code page, which kx_shell.ini is kept in and old
// programs read their command line in.
#include <windows.h>

#include "win32_platform.h"

bool Win32Platform::ToAnsi(const std::wstring& text, std::string& bytes) {
    bytes.clear();
    if (text.empty()) return true;
    const int length = static_cast<int>(text.size());
    // Under the UTF-8 code page every character fits, but the no-best-fit flag
    // and the default-character check are not allowed there.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const check = utf8 ? nullptr : &usedDefault;
    const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, check);
    if (size <= 0 || usedDefault) return false;
    bytes.resize(size);
    WideCharToMultiByte(CP_ACP, flags, text.data(), length, bytes.data(), size, nullptr, check);
    return !usedDefault;
}

std::wstring Win32Platform::FromAnsi(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), size);
    return text;
}

std::wstring Win32Platform::AnsiView(const std::wstring& text) {
    // Converted as GetCommandLineA converts the command line: best fit on.
    const int length = static_cast<int>(text.size());
    const int size =
        text.empty() ? 0 : WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return FromAnsi(bytes);
}
