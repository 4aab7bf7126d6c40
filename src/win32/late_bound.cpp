#include "late_bound.h"

#include <string>

#include "growing_buffer.h"

namespace win32 {

HMODULE LoadSystemLibrary(const wchar_t* name) {
    // Windows 7 without its 2011 loader update rejects this flag...
    if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    // ...so the system folder is then named in full.
    const std::wstring folder = GrowingBuffer(
        [](const wchar_t*, wchar_t* buffer, DWORD size) -> DWORD { return GetSystemDirectoryW(buffer, size); });
    return folder.empty() ? nullptr : LoadLibraryW((folder + L"\\" + name).c_str());
}

}  // namespace win32
