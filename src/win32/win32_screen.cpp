#include "win32_screen.h"

#include <commctrl.h>

#include "dpi.h"
#include "file_dialog.h"
#include "messages.h"
#include "program_end.h"
#include "resource.h"
#include "system_failure.h"
#include "system_values.h"

using namespace win32;

namespace {

constexpr wchar_t kWindowClass[] = L"kx_shell.Window";

HICON AppIcon(int size) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

Win32Screen::Win32Screen() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
}

Win32Screen::~Win32Screen() {
    for (const WindowId id : {WindowId::Main, WindowId::Setup}) Destroy(id);
    if (hiddenOwner_) DestroyWindow(hiddenOwner_);
}

void Win32Screen::Create(const WindowDef& def, ScreenEvents& events) {
    auto& slot = Of(def.id);
    slot = std::make_unique<Window>(Window{*this, def, events});
    Window& window = *slot;
    // The window starts at the system DPI; once created, Windows says the DPI
    // of the screen it is on, and the controls are made for that one.
    const RECT frame = CentredFrame(def, SystemDpi());
    const bool inTaskbar = def.frame == WindowFrame::FixedSingle;
    // A window owned by a hidden one gets no taskbar button of its own; made
    // when first needed, as most runs show only the main window.
    if (!inTaskbar && !hiddenOwner_) {
        hiddenOwner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    }
    if (!CreateWindowExW(FrameExStyle(def.frame), kWindowClass, def.caption, FrameStyle(def.frame), frame.left,
                         frame.top, frame.right - frame.left, frame.bottom - frame.top,
                         inTaskbar ? nullptr : hiddenOwner_, nullptr, GetModuleHandleW(nullptr), &window)) {
        const PlatformFailure failure = win32::SystemFailure(kCannotCreateWindow);
        slot.reset();
        throw failure;
    }
    if (inTaskbar) {
        static const HICON bigIcon = AppIcon(GetSystemMetrics(SM_CXICON));
        static const HICON smallIcon = AppIcon(GetSystemMetrics(SM_CXSMICON));
        SendMessageW(window.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
        SendMessageW(window.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    }
    window.dpi = DpiOfWindow(window.hwnd);
    PlaceFrame(window.hwnd, CentredFrame(def, window.dpi), def, window.dpi);
    CreateControls(window.hwnd, def, window.dpi, window.fonts, ControlProc, reinterpret_cast<DWORD_PTR>(&window));
}

void Win32Screen::Destroy(WindowId id) {
    auto& window = Of(id);
    if (!window) return;
    if (window->named) names_.TakeBack(window->hwnd, window->def);
    DestroyWindow(window->hwnd);
    window.reset();  // the fonts, once no control holds them
}

void Win32Screen::Show(WindowId id) {
    const Window& window = *Of(id);
    ShowWindow(window.hwnd, SW_SHOW);
    // The first ShowWindow of a program may show the window as its shortcut
    // asked ("Run: Minimized"), whatever the call says (ShowWindow's
    // documentation). A window with no taskbar button could not be reached
    // minimized, and a fixed-size window maximized is a grey screen with the
    // controls in a corner: either is shown normally again. The main window
    // stays minimized if so asked.
    const bool normal = !IsIconic(window.hwnd) && IsWindowVisible(window.hwnd);
    if (IsZoomed(window.hwnd) || (window.def.frame == WindowFrame::FixedDialog && !normal)) {
        ShowWindow(window.hwnd, SW_SHOWNORMAL);
    }
    SetForegroundWindow(window.hwnd);
}

void Win32Screen::Enable(WindowId id, bool enabled) { EnableWindow(Of(id)->hwnd, enabled); }

void Win32Screen::RunUntil(const std::function<bool()>& done) {
    while (!done()) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // for the loops outside this one
            return;
        }
        Pump(message);
    }
}

void Win32Screen::Pump(MSG& message) {
    // Tab, Shift+Tab and the arrow keys move between controls as in a dialog.
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    for (const auto& window : windows_) {
        if (window && window->hwnd == root && IsDialogMessageW(root, &message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

std::optional<std::wstring> Win32Screen::ShowOpenDialog(WindowId owner,
                                                        const FileDialogDef& dialog,
                                                        const std::wstring& fileName) {
    const HWND hwnd = Of(owner)->hwnd;
    return win32::ChooseFile(IsWindowVisible(hwnd) ? hwnd : nullptr, dialog, fileName);
}

HWND Win32Screen::ControlWindow(Control control) {
    const HWND child = GetDlgItem(Of(control.window)->hwnd, control.id);
    if (!child) throw win32::SystemFailure(kControlMissing);
    return child;
}

std::wstring Win32Screen::GetText(Control box) {
    const HWND child = ControlWindow(box);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Win32Screen::SetText(Control box, const std::wstring& text) {
    const HWND child = ControlWindow(box);
    if (!SetWindowTextW(child, text.c_str())) throw win32::SystemFailure(kCannotSetText);
    // A long path shows its end, where the file's name is.
    const auto end = static_cast<WPARAM>(text.size());
    SendMessageW(child, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(child, EM_SCROLLCARET, 0, 0);
}

void Win32Screen::Focus(Control control) {
    const HWND child = ControlWindow(control);
    Window& window = *Of(control.window);
    window.lastFocus = child;
    if (IsWindowVisible(window.hwnd)) {
        SetForegroundWindow(window.hwnd);
        SetFocus(child);
    }
}

LRESULT CALLBACK Win32Screen::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);
    return win32::NoThrow([&] { return window->screen.Handle(*window, message, wParam, lParam); });
}

LRESULT Win32Screen::Handle(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && lParam) window.events.Clicked({window.def.id, LOWORD(wParam)});
            return 0;
        case WM_CLOSE:  // the close box, the system menu's Close, Alt+F4
            window.events.CloseRequested(window.def.id);
            return 0;
        case WM_ACTIVATE:
            // As a dialog does: the focus leaves with the window and comes back
            // to the same control, or to the first in the tab order.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus && IsChild(window.hwnd, focus)) window.lastFocus = focus;
            } else if (!HIWORD(wParam)) {
                const HWND target =
                    window.lastFocus ? window.lastFocus : GetNextDlgTabItem(window.hwnd, nullptr, FALSE);
                if (target) SetFocus(target);
            }
            return 0;
        case WM_GETOBJECT:
            NameForScreenReaders(window);
            return DefWindowProcW(window.hwnd, message, wParam, lParam);
        case WM_DPICHANGED: {
            // Where Windows suggests, at the size the twips give at the new DPI,
            // laid out again from the twips rather than from scaled pixels.
            window.dpi = HIWORD(wParam);
            const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
            RECT frame = CentredFrame(window.def, window.dpi);
            OffsetRect(&frame, suggested.left - frame.left, suggested.top - frame.top);
            PlaceFrame(window.hwnd, frame, window.def, window.dpi);
            LayOutControls(window.hwnd, window.def, window.dpi, window.fonts);
            return 0;
        }
        default:
            return DefWindowProcW(window.hwnd, message, wParam, lParam);
    }
}

void Win32Screen::NameForScreenReaders(Window& window) {
    if (window.named) return;
    window.named = true;
    names_.Give(window.hwnd, window.def);
}

LRESULT CALLBACK
Win32Screen::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& window = *reinterpret_cast<Window*>(data);
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        win32::NoThrow([&] { window.events.KeyDown({window.def.id, GetDlgCtrlID(hwnd)}, win32::KeyOf(wParam)); });
    } else if (message == WM_GETOBJECT) {
        window.screen.NameForScreenReaders(window);
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, ControlProc, 0);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}
