#include "system_library.h"

#include <string>

namespace win32 {

HMODULE LoadSystemLibrary(const wchar_t* name) {
    // Windows 7 without its 2011 loader update rejects this flag...
    if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    // ...so the system folder is then named in full.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

}  // namespace win32
