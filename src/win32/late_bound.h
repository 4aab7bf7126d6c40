// Functions looked up at run time in Windows' own DLLs: those newer than
// Windows 7, and comdlg32, which brings shell32 and more with it and is
// needed only once the user browses.
#pragma once

#include <windows.h>

namespace win32 {

// Loads `name` from the system folder only, never from beside the program or
// the current folder; null when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* name);

template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadSystemLibrary(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace win32
