// Every function kx_shell looks up at run time instead of importing, in one
// list: what Windows 7 may lack (null there, and the caller falls back), and
// what lives in DLLs loaded only when first needed, which keeps them off the
// start-up.
#pragma once

#include <windows.h>
// After windows.h, which they need.
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>

namespace win32 {

// Loads `name` from the system folder only, never from beside the program or
// the current folder; null when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a system DLL, looked up at its first use.
template <typename Function>
class LateBound {
public:
    constexpr LateBound(const wchar_t* library, const char* name) : library_(library), name_(name) {}
    // Null when this Windows lacks the DLL or the function.
    Function Get() {
        if (!looked_) {
            looked_ = true;
            HMODULE module = GetModuleHandleW(library_);
            if (!module) module = LoadSystemLibrary(library_);
            if (module) function_ = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name_)));
        }
        return function_;
    }

private:
    const wchar_t* library_;
    const char* name_;
    bool looked_ = false;
    Function function_ = nullptr;
};

namespace late {

// Windows 10 1607: the DPI of the screen a window is on, and a frame for a client area at a given DPI.
inline LateBound<UINT(WINAPI*)(HWND)> GetDpiForWindow{L"user32.dll", "GetDpiForWindow"};
inline LateBound<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)> AdjustWindowRectExForDpi{L"user32.dll",
                                                                                          "AdjustWindowRectExForDpi"};
// Windows 8.1: a screen's DPI, where GetDpiForWindow is missing.
inline LateBound<HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*)> GetDpiForMonitor{L"shcore.dll", "GetDpiForMonitor"};

// At the first browse: comdlg32 brings shell32 and several more DLLs with it,
// a fifth of the launcher's start-up time.
inline LateBound<decltype(&GetOpenFileNameW)> GetOpenFileName{L"comdlg32.dll", "GetOpenFileNameW"};
inline LateBound<decltype(&CommDlgExtendedError)> CommDlgExtendedError{L"comdlg32.dll", "CommDlgExtendedError"};

// When kravix.exe asks for administrator rights: the shell's start, which
// asks the user, and COM, which the shell wants ready on the calling thread.
inline LateBound<decltype(&ShellExecuteExW)> ShellExecuteEx{L"shell32.dll", "ShellExecuteExW"};
inline LateBound<decltype(&CoInitializeEx)> CoInitializeEx{L"ole32.dll", "CoInitializeEx"};
// When a screen reader first asks for a window: the accessibility services'
// object that names its controls.
inline LateBound<decltype(&CoCreateInstance)> CoCreateInstance{L"ole32.dll", "CoCreateInstance"};

}  // namespace late

}  // namespace win32
