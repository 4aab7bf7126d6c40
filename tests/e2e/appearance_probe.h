// What appearance_probe.dll reports from inside kx_shell.exe. Fonts and
// icons can only be read in the window's own process: Wine does not pass
// WM_GETFONT or WM_GETICON between processes ("pack_message ... not supported
// yet"), and a font handle means nothing outside the process that made it.
// The test hooks kx_shell's GUI thread with the DLL (WH_GETMESSAGE), posts
// kMessage to a window, and the hook writes this report into shared memory.
#pragma once

#include <windows.h>

#include <string>

namespace appearance_probe {

inline constexpr wchar_t kDllName[] = L"appearance_probe.dll";
inline constexpr char kHookName[] = "AppearanceProbeHook";
// Posted to the window to look at; wParam is the test's process id.
inline constexpr wchar_t kMessage[] = L"kx_shell appearance probe";

inline std::wstring MappingName(DWORD testProcessId) {
    return L"kx_shell appearance probe " + std::to_wstring(testProcessId);
}

struct ControlFont {
    int id;
    bool hasFont;                        // WM_GETFONT gave a font
    LOGFONTW font;                       // GetObjectW of it
    wchar_t realisedFace[LF_FACESIZE];   // GetTextFaceW with the font selected: what Windows drew with
    int realisedCharset;                 // GetTextCharset, likewise
};

struct Report {
    UINT changeDpiTo;    // set by the test: first tell the window its screen now has this DPI
    volatile LONG done;  // set last
    int controlCount;
    ControlFont controls[32];
    SIZE bigIcon, smallIcon;  // sizes of WM_GETICON ICON_BIG / ICON_SMALL; 0 when none
};

}  // namespace appearance_probe
