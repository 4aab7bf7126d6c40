#include "long_path.h"

#include <windows.h>

#include "growing_buffer.h"

namespace win32 {

std::wstring ForFileApi(const std::wstring& path) {
    if (path.size() < 248 || path.rfind(L"\\\\?\\", 0) == 0) return path;
    // The \\?\ form is taken literally: make the path full and canonical first
    // (this also folds the doubled backslash of a drive-root join).
    const std::wstring canonical =
        GrowingBuffer([](const wchar_t* relative, wchar_t* buffer,
                         DWORD size) { return GetFullPathNameW(relative, size, buffer, nullptr); },
                      path.c_str());
    if (canonical.empty()) return path;
    if (canonical.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + canonical.substr(2);
    return L"\\\\?\\" + canonical;
}

std::wstring PlainForm(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
    if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
    return path;
}

}  // namespace win32
