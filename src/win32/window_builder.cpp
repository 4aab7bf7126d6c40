#include "window_builder.h"

#include <commctrl.h>

#include "dpi.h"
#include "layout.h"
#include "messages.h"
#include "system_failure.h"
#include "system_values.h"

namespace win32 {

namespace {

// Microsoft Sans Serif, the TrueType font made to the metrics of the MS Sans
// Serif the layouts were measured in: that name is a bitmap font on Windows,
// never smoothed and drawn in a few fixed sizes, too small or blocky at 150 %.
// It holds Cyrillic on every Windows.
constexpr FontDef kDefaultFont{L"Microsoft Sans Serif", 825, FontWeight::Normal, Charset::Cyrillic};

struct ChildStyle {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

// Every control is a child of the window itself, so its notifications reach
// the window; a group box only frames the controls placed over it.
ChildStyle StyleOf(ControlKind kind) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (kind) {
        case ControlKind::GroupBox:
            return {L"BUTTON", child | BS_GROUPBOX, 0};
        case ControlKind::Label:
            // One line, as laid out: a text too long is cut, never wrapped out of sight.
            return {L"STATIC", child | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
        case ControlKind::TextBox:
            // Read-only boxes still take the focus and let their text be
            // selected; Windows paints them in the button-face colour.
            return {L"EDIT", child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
        case ControlKind::Button:
            break;
    }
    return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0};
}

}  // namespace

// Smoothed as the user chose for every font (CLEARTYPE_QUALITY would force ClearType).
HFONT FontCache::Get(const FontDef* font, UINT dpi) {
    const FontDef& def = font ? *font : kDefaultFont;
    auto& cached = fonts_[{&def, dpi}];
    if (!cached) {
        cached.reset(CreateFontW(FontHeightInPixels(def.hundredthsOfPoint, dpi), 0, 0, 0, FontWeightOf(def.weight),
                                 FALSE, FALSE, FALSE, CharsetOf(def.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, def.face));
    }
    return cached.get();
}

DWORD FrameStyle(WindowFrame frame) {
    return frame == WindowFrame::FixedSingle ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU
                                             : WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

DWORD FrameExStyle(WindowFrame frame) {
    return WS_EX_CONTROLPARENT | (frame == WindowFrame::FixedDialog ? WS_EX_DLGMODALFRAME : WS_EX_APPWINDOW);
}

RECT CentredFrame(const WindowDef& window, UINT dpi) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    const RECT& work = info.rcWork;
    const RECT frame =
        WindowRectForClient(TwipsToPixels(window.clientWidth, dpi), TwipsToPixels(window.clientHeight, dpi),
                            FrameStyle(window.frame), FrameExStyle(window.frame), dpi);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    return RECT{left, top, left + width, top + height};
}

// The frame computed for a DPI can differ from the one Windows draws (a
// caption still at the old scale), and the controls are placed in the client
// area: it is measured and corrected.
void PlaceFrame(HWND hwnd, const RECT& frame, const WindowDef& window, UINT dpi) {
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT now{};
    GetWindowRect(hwnd, &now);
    // Usually the window was created there: every move costs a round of messages.
    if (!EqualRect(&now, &frame)) {
        SetWindowPos(hwnd, nullptr, frame.left, frame.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const int clientWidth = TwipsToPixels(window.clientWidth, dpi);
    const int clientHeight = TwipsToPixels(window.clientHeight, dpi);
    RECT client{};
    GetClientRect(hwnd, &client);
    if (client.right != clientWidth || client.bottom != clientHeight) {
        SetWindowPos(hwnd, nullptr, 0, 0, width + clientWidth - client.right, height + clientHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CreateControls(HWND hwnd,
                    const WindowDef& window,
                    UINT dpi,
                    FontCache& fonts,
                    SUBCLASSPROC controlProc,
                    DWORD_PTR data) {
    for (const ControlDef* control : CreationOrder(window)) {
        const ChildStyle style = StyleOf(control->kind);
        const PixelRect place = PlaceOnWindow(window, *control, dpi);
        const HWND child = CreateWindowExW(style.exStyle, style.windowClass, control->caption, style.style, place.left,
                                           place.top, place.width, place.height, hwnd,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(control->control.id)),
                                           GetModuleHandleW(nullptr), nullptr);
        if (!child) throw SystemFailure(kCannotCreateWindow);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(control->font, dpi)), FALSE);
        if (control->kind == ControlKind::TextBox) {
            SendMessageW(child, EM_SETLIMITTEXT, 0, 0);  // paths up to the longest Windows allows
        }
        if (control->kind == ControlKind::TextBox || control->nameForScreenReaders) {
            SetWindowSubclass(child, controlProc, 0, data);
        }
    }
}

void LayOutControls(HWND hwnd, const WindowDef& window, UINT dpi, FontCache& fonts) {
    // The fonts of the old DPI are deleted only once no control holds them.
    const FontCache previous = std::move(fonts);
    fonts = FontCache{};
    for (const ControlDef& control : window.controls) {
        const HWND child = GetDlgItem(hwnd, control.control.id);
        if (!child) continue;
        const PixelRect place = PlaceOnWindow(window, control, dpi);
        SetWindowPos(child, nullptr, place.left, place.top, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(control.font, dpi)), TRUE);
    }
}

}  // namespace win32
