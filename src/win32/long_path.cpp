#include "long_path.h"

#include <windows.h>

#include <vector>

namespace win32 {

std::wstring ForFileApi(const std::wstring& path) {
    // 248 is the limit for a folder, the tighter of the two.
    if (path.size() < 248 || path.rfind(L"\\\\?\\", 0) == 0) return path;
    // The \\?\ form is taken literally: make the path full and canonical first
    // (this also folds the doubled backslash of a drive-root join).
    std::vector<wchar_t> full(path.size() + MAX_PATH);
    DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return path;
    if (length >= full.size()) {
        full.resize(length + 1);
        length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0 || length >= full.size()) return path;
    }
    const std::wstring canonical(full.data(), length);
    if (canonical.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + canonical.substr(2);
    return L"\\\\?\\" + canonical;
}

}  // namespace win32
