#include "platform/win32/window_runtime.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "platform/win32/dpi.h"
#include "platform/win32/file_dialog.h"
#include "platform/win32/system_error.h"
#include "resource.h"

namespace {

constexpr wchar_t kWindowClass[] = L"kx_shell.Window";

// The font the layouts were measured in. Windows draws it with its TrueType
// successor, Microsoft Sans Serif, so it stays crisp at any scale.
constexpr FontDef kDefaultFont{L"MS Sans Serif", 825, FW_NORMAL, RUSSIAN_CHARSET};

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
            return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::FileDialog:
            break;
    }
    return {nullptr, 0, 0};
}

DWORD FrameStyle(WindowFrame frame) {
    return frame == WindowFrame::FixedSingle ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU
                                             : WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

DWORD FrameExStyle(const WindowDef& def) {
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (def.frame == WindowFrame::FixedDialog) exStyle |= WS_EX_DLGMODALFRAME;
    if (def.inTaskbar) exStyle |= WS_EX_APPWINDOW;
    return exStyle;
}

// A control's rectangle in twips from the window's client corner: controls
// inside a group box are placed from the box's outer corner.
TwipsRect OnWindow(const WindowDef& def, const ControlDef& control) {
    TwipsRect rect = control.rect;
    for (int container = control.containerId; container != 0;) {
        const ControlDef* box = def.Find(container);
        if (!box) break;
        rect.left += box->rect.left;
        rect.top += box->rect.top;
        container = box->containerId;
    }
    return rect;
}

HFONT MakeFont(const wchar_t* face, int hundredthsOfPoint, int weight, int charset, UINT dpi) {
    return CreateFontW(-MulDiv(hundredthsOfPoint, static_cast<int>(dpi), 7200), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                       static_cast<DWORD>(charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

int ShiftState() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

HICON AppIcon(int size) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// Puts the window at `frame`, then makes its client area exactly the size the
// layout asks for: the frame computed for a DPI can differ from the one
// Windows draws (a caption still at the old scale), and the controls are
// placed in the client area.
void PlaceWindow(HWND hwnd, const RECT& frame, int clientWidth, int clientHeight) {
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(hwnd, nullptr, frame.left, frame.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(hwnd, &client);
    if (client.right != clientWidth || client.bottom != clientHeight) {
        SetWindowPos(hwnd, nullptr, 0, 0, width + clientWidth - client.right, height + clientHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

[[noreturn]] void FatalInWindowCode() {
    win32::ReportFatal({L"Внутренняя ошибка программы.", {}});
}

}  // namespace

WindowRuntime::WindowRuntime(const WindowDef* const (&windows)[2], Win32Platform::Dispatcher dispatch)
    : dispatch_(std::move(dispatch)) {
    for (int i = 0; i < 2; ++i) {
        windows_[i].runtime = this;
        windows_[i].def = windows[i];
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
    // A window owned by a hidden one gets no taskbar button of its own.
    hiddenOwner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}

WindowRuntime::~WindowRuntime() {
    if (hiddenOwner_) DestroyWindow(hiddenOwner_);
}

int WindowRuntime::Run(Form startWindow) {
    Load(startWindow);
    if (Of(startWindow).loaded && !IsWindowVisible(Of(startWindow).hwnd)) Show(startWindow, WindowMode::Modeless);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) Pump(message);
    return static_cast<int>(message.wParam);
}

void WindowRuntime::Pump(MSG& message) {
    // Tab, Shift+Tab and the arrow keys move between controls as in a dialog.
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    for (const Window& window : windows_) {
        if (window.loaded && window.hwnd == root && IsDialogMessageW(root, &message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool WindowRuntime::AnyLoaded() const {
    return std::any_of(std::begin(windows_), std::end(windows_), [](const Window& w) { return w.loaded; });
}

void WindowRuntime::Load(Form form) {
    Window& window = Of(form);
    const WindowDef& def = *window.def;
    // Loaded from the moment the load begins: the load's own handler may use
    // the window's controls.
    window.loaded = true;
    ++window.generation;
    window.lastFocus = nullptr;
    window.fileNames.clear();
    for (const ControlDef& control : def) {
        if (control.dialog) window.fileNames[control.control.id] = control.dialog->initialFileName;
    }

    // Centred on the primary screen's work area. The window starts at the
    // system DPI; once created, Windows says the DPI of the screen it is on.
    const HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    const RECT work = info.rcWork;
    const DWORD style = FrameStyle(def.frame);
    const DWORD exStyle = FrameExStyle(def);
    const auto centred = [&](UINT dpi) {
        const RECT frame = WindowRectForClient(TwipsToPixels(def.clientWidth, dpi),
                                               TwipsToPixels(def.clientHeight, dpi), style, exStyle, dpi);
        const int width = frame.right - frame.left, height = frame.bottom - frame.top;
        const int left = work.left + (work.right - work.left - width) / 2;
        const int top = work.top + (work.bottom - work.top - height) / 2;
        return RECT{left, top, left + width, top + height};
    };
    window.dpi = SystemDpi();
    const RECT place = centred(window.dpi);
    window.hwnd = CreateWindowExW(exStyle, kWindowClass, def.caption, style, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top,
                                  def.inTaskbar ? nullptr : hiddenOwner_, nullptr, GetModuleHandleW(nullptr), &window);
    if (!window.hwnd) {
        const PlatformFailure failure = SystemFailure(L"Не удалось создать окно.");
        window.loaded = false;
        throw failure;
    }
    if (def.frame == WindowFrame::FixedSingle) {
        static const HICON bigIcon = AppIcon(GetSystemMetrics(SM_CXICON));
        static const HICON smallIcon = AppIcon(GetSystemMetrics(SM_CXSMICON));
        SendMessageW(window.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
        SendMessageW(window.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    }
    CreateControls(window);
    window.dpi = DpiOfWindow(window.hwnd);
    PlaceWindow(window.hwnd, centred(window.dpi), TwipsToPixels(def.clientWidth, window.dpi),
                TwipsToPixels(def.clientHeight, window.dpi));
    ApplyDpi(window);
    if (def.onLoad) Dispatch(def.onLoad);
}

void WindowRuntime::CreateControls(Window& window) {
    const WindowDef& def = *window.def;
    // Created in tab order, which Tab follows; group boxes then go to the
    // bottom of the stacking order, outer ones lowest, so they never cover
    // the controls placed over them.
    std::vector<const ControlDef*> ordered;
    for (const ControlDef& control : def) {
        if (control.kind != ControlKind::FileDialog) ordered.push_back(&control);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ControlDef* a, const ControlDef* b) { return a->tabIndex < b->tabIndex; });
    std::vector<std::pair<int, HWND>> groupBoxes;  // nesting depth, window
    for (const ControlDef* control : ordered) {
        const ChildStyle style = StyleOf(control->kind);
        const HWND child = CreateWindowExW(style.exStyle, style.windowClass, control->caption, style.style, 0, 0, 0,
                                           0, window.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control->control.id)),
                                           GetModuleHandleW(nullptr), nullptr);
        if (!child) throw SystemFailure(L"Не удалось создать окно.");
        if (control->kind == ControlKind::TextBox) {
            SendMessageW(child, EM_SETLIMITTEXT, 0, 0);  // paths up to the longest Windows allows
            SetWindowSubclass(child, TextBoxProc, 0, reinterpret_cast<DWORD_PTR>(&window));
        }
        if (control->kind == ControlKind::GroupBox) {
            int depth = 0;
            for (const ControlDef* box = def.Find(control->containerId); box; box = def.Find(box->containerId)) ++depth;
            groupBoxes.emplace_back(depth, child);
        }
    }
    std::stable_sort(groupBoxes.begin(), groupBoxes.end(), [](auto& a, auto& b) { return a.first > b.first; });
    for (const auto& [depth, box] : groupBoxes) {
        SetWindowPos(box, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// Lays the window out again from its twips at its current DPI: positions are
// never derived from pixels already scaled.
void WindowRuntime::ApplyDpi(Window& window) {
    const WindowDef& def = *window.def;
    window.font.reset(MakeFont(kDefaultFont.face, kDefaultFont.hundredthsOfPoint, kDefaultFont.weight,
                               kDefaultFont.charset, window.dpi));
    window.boldFont.reset();
    for (const ControlDef& control : def) {
        const HWND child = GetDlgItem(window.hwnd, control.control.id);
        if (!child) continue;
        HFONT font = window.font.get();
        if (control.font) {
            if (!window.boldFont) {
                window.boldFont.reset(MakeFont(control.font->face, control.font->hundredthsOfPoint,
                                               control.font->weight, control.font->charset, window.dpi));
            }
            font = window.boldFont.get();
        }
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        const TwipsRect rect = OnWindow(def, control);
        SetWindowPos(child, nullptr, TwipsToPixels(rect.left, window.dpi), TwipsToPixels(rect.top, window.dpi),
                     TwipsToPixels(rect.width, window.dpi), TwipsToPixels(rect.height, window.dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

WindowRuntime::Window& WindowRuntime::Loaded(Form form) {
    if (!Of(form).loaded) Load(form);
    return Of(form);
}

HWND WindowRuntime::ControlWindow(Control control) {
    const HWND child = GetDlgItem(Loaded(control.form).hwnd, control.id);
    if (!child) throw SystemFailure(L"Элемент окна не найден.");
    return child;
}

void WindowRuntime::Show(Form form, WindowMode mode) {
    if (mode == WindowMode::Modal && Of(form).loaded && IsWindowVisible(Of(form).hwnd)) {
        throw PlatformFailure{L"Окно уже открыто и не может стать модальным.", {}};
    }
    Window& window = Loaded(form);
    if (mode == WindowMode::Modeless) {
        ::ShowWindow(window.hwnd, SW_SHOW);
        SetForegroundWindow(window.hwnd);
        return;
    }
    // Modal: the launcher's other windows take no input until this one is gone.
    window.disabledWhileModal.clear();
    for (Window& other : windows_) {
        if (&other != &window && other.loaded && IsWindowEnabled(other.hwnd)) {
            EnableWindow(other.hwnd, FALSE);
            window.disabledWhileModal.push_back(other.def->form);
        }
    }
    ::ShowWindow(window.hwnd, SW_SHOW);
    SetForegroundWindow(window.hwnd);
    const unsigned generation = window.generation;
    while (window.loaded && window.generation == generation && IsWindowVisible(window.hwnd)) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
            break;
        }
        Pump(message);
    }
    for (Form other : window.disabledWhileModal) {
        if (Of(other).loaded) EnableWindow(Of(other).hwnd, TRUE);
    }
    window.disabledWhileModal.clear();
}

void WindowRuntime::Unload(Form form) {
    Window& window = Of(form);
    if (!window.loaded) return;
    // Give the input back before the window goes, so Windows activates one
    // of the launcher's windows rather than another program's.
    for (Form other : window.disabledWhileModal) {
        if (Of(other).loaded) EnableWindow(Of(other).hwnd, TRUE);
    }
    window.disabledWhileModal.clear();
    window.loaded = false;
    const HWND hwnd = window.hwnd;
    window.hwnd = nullptr;
    window.lastFocus = nullptr;
    DestroyWindow(hwnd);
    window.font.reset();
    window.boldFont.reset();
    window.fileNames.clear();
    if (!AnyLoaded()) PostQuitMessage(0);
}

void WindowRuntime::Focus(Control control) {
    const HWND child = ControlWindow(control);
    Window& window = Of(control.form);
    window.lastFocus = child;
    if (IsWindowVisible(window.hwnd)) {
        SetForegroundWindow(window.hwnd);
        ::SetFocus(child);
    }
}

std::wstring WindowRuntime::Text(Control box) {
    const HWND child = ControlWindow(box);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
    return text;
}

void WindowRuntime::SetText(Control box, const std::wstring& text) {
    const HWND child = ControlWindow(box);
    if (!SetWindowTextW(child, text.c_str())) throw SystemFailure(L"Не удалось изменить текст в окне.");
    // A long path shows its end, where the file's name is.
    const auto end = static_cast<WPARAM>(text.size());
    SendMessageW(child, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(child, EM_SCROLLCARET, 0, 0);
}

std::wstring WindowRuntime::ShowOpen(Control dialog) {
    Window& window = Loaded(dialog.form);
    const ControlDef* control = window.def->Find(dialog.id);
    if (!control || !control->dialog) throw PlatformFailure{L"Диалог открытия файла не найден.", {}};
    const unsigned generation = window.generation;
    const HWND owner = IsWindowVisible(window.hwnd) ? window.hwnd : nullptr;
    const auto chosen = ShowOpenDialog(owner, *control->dialog, window.fileNames[dialog.id]);
    // The window may have been unloaded while the dialog was open; its file
    // names went with it.
    if (!window.loaded || window.generation != generation) return chosen.value_or(control->dialog->initialFileName);
    if (chosen) window.fileNames[dialog.id] = *chosen;
    return window.fileNames[dialog.id];
}

void WindowRuntime::Dispatch(const Handler* handler, int keyCode, int shift) {
    if (handler) dispatch_(*handler, Event{keyCode, shift});
}

LRESULT CALLBACK WindowRuntime::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window || window->hwnd != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
    // Handlers answer their own failures; anything that still gets here
    // must not unwind through Windows' frames.
    try {
        return window->runtime->Handle(*window, message, wParam, lParam);
    } catch (const PlatformFailure& failure) {
        win32::ReportFatal(failure);
    } catch (...) {
        FatalInWindowCode();
    }
}

LRESULT WindowRuntime::Handle(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && lParam) {
                const ControlDef* control = window.def->Find(LOWORD(wParam));
                if (control) Dispatch(control->onClick);
            }
            return 0;
        case WM_CLOSE:  // the close box, the system menu's Close, Alt+F4
            Unload(window.def->form);
            return 0;
        case WM_ACTIVATE:
            // As a dialog does: the focus leaves with the window and comes back
            // to the same control, or to the first in the tab order.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus && IsChild(window.hwnd, focus)) window.lastFocus = focus;
            } else if (!HIWORD(wParam)) {
                const HWND target = window.lastFocus ? window.lastFocus
                                                     : GetNextDlgTabItem(window.hwnd, nullptr, FALSE);
                if (target) ::SetFocus(target);
            }
            return 0;
        case WM_DPICHANGED: {
            // Where Windows suggests, at the size the twips give at the new DPI.
            window.dpi = HIWORD(wParam);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            const int width = TwipsToPixels(window.def->clientWidth, window.dpi);
            const int height = TwipsToPixels(window.def->clientHeight, window.dpi);
            RECT frame = WindowRectForClient(width, height, FrameStyle(window.def->frame), FrameExStyle(*window.def),
                                             window.dpi);
            OffsetRect(&frame, suggested->left - frame.left, suggested->top - frame.top);
            PlaceWindow(window.hwnd, frame, width, height);
            ApplyDpi(window);
            return 0;
        }
        default:
            return DefWindowProcW(window.hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK WindowRuntime::TextBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR data) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        auto& window = *reinterpret_cast<Window*>(data);
        const ControlDef* control = window.def->Find(GetDlgCtrlID(hwnd));
        if (control && control->onKeyDown) {
            try {
                window.runtime->Dispatch(control->onKeyDown, static_cast<int>(wParam), ShiftState());
            } catch (const PlatformFailure& failure) {
                win32::ReportFatal(failure);
            } catch (...) {
                FatalInWindowCode();
            }
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, TextBoxProc, 0);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}
