// appearance_probe.dll: a message hook the appearance tests load into
// kx_shell.exe to read its controls' fonts and its window icons from inside,
// where the handles mean something (see appearance_probe.h).
#include "e2e/appearance_probe.h"

namespace {

using appearance_probe::Report;

SIZE IconSize(HWND window, WPARAM which) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    // A mask-only icon stacks its AND and XOR masks.
    return {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

void Fill(Report& report, HWND window) {
    int count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child && count < 32; child = GetWindow(child, GW_HWNDNEXT)) {
        auto& entry = report.controls[count++];
        entry = {};
        entry.id = GetDlgCtrlID(child);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        entry.hasFont = font && GetObjectW(font, sizeof entry.font, &entry.font) == sizeof entry.font;
        if (!entry.hasFont) continue;
        const HDC dc = GetDC(child);
        const HGDIOBJ previous = SelectObject(dc, font);
        GetTextFaceW(dc, LF_FACESIZE, entry.realisedFace);
        entry.realisedCharset = GetTextCharset(dc);
        SelectObject(dc, previous);
        ReleaseDC(child, dc);
    }
    report.controlCount = count;
    report.bigIcon = IconSize(window, ICON_BIG);
    report.smallIcon = IconSize(window, ICON_SMALL);
}

}  // namespace

// Exported by name for GetProcAddress (MinGW; an MSVC build would link with
// /EXPORT:AppearanceProbeHook instead).
extern "C" __declspec(dllexport) LRESULT CALLBACK AppearanceProbeHook(int code, WPARAM removal, LPARAM lParam) {
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE &&
        message.message == RegisterWindowMessageW(appearance_probe::kMessage)) {
        const std::wstring name = appearance_probe::MappingName(static_cast<DWORD>(message.wParam));
        if (const HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name.c_str())) {
            if (auto* report = static_cast<Report*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(Report)))) {
                // As Windows does when the window moves to a screen of another scale.
                if (const UINT dpi = report->changeDpiTo) {
                    RECT suggested{};
                    GetWindowRect(message.hwnd, &suggested);
                    SendMessageW(message.hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
                }
                Fill(*report, message.hwnd);
                InterlockedExchange(const_cast<LONG*>(&report->done), 1);
                UnmapViewOfFile(report);
            }
            CloseHandle(mapping);
        }
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}
