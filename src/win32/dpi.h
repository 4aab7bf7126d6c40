// Display scaling. The per-monitor functions are newer than Windows 7, so
// they are looked up at run time and fall back to the system-wide DPI.
#pragma once

#include <windows.h>

namespace win32 {

// The DPI a new window starts from, before Windows says which screen it is on.
UINT SystemDpi();
UINT DpiOfWindow(HWND window);
// The window rectangle whose client area has the given size at `dpi`.
RECT WindowRectForClient(int width, int height, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace win32
