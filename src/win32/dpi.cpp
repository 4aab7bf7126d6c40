#include "dpi.h"

#include "late_bound.h"
#include "owners.h"

namespace win32 {

UINT SystemDpi() {
    const ScreenDc screen;
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT DpiOfWindow(HWND window) {
    if (const auto getDpiForWindow = late::GetDpiForWindow.Get()) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    // Windows 8.1's way; shcore is loaded only where GetDpiForWindow is missing.
    UINT x = 0, y = 0;
    const auto getDpiForMonitor = late::GetDpiForMonitor.Get();
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, 0 /* effective */, &x, &y)) && y) return y;
    return SystemDpi();
}

RECT WindowRectForClient(int width, int height, DWORD style, DWORD exStyle, UINT dpi) {
    RECT rect{0, 0, width, height};
    const auto adjustForDpi = late::AdjustWindowRectExForDpi.Get();
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

}  // namespace win32
