#include "long_path.h"

#include <windows.h>

#include "growing_buffer.h"
#include "program_path.h"

namespace win32 {

std::wstring ForFileApi(const std::wstring& path) {
    if (path.size() < 248 || IsDevicePath(path)) return path;
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
    if (!IsDevicePath(path)) return path;
    return path.substr(4, 4) == L"UNC\\" ? L"\\\\" + path.substr(8) : path.substr(4);
}

}  // namespace win32
