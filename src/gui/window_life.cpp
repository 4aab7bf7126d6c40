#include "window_life.h"

#include <utility>

#include "messages.h"
#include "platform_ops.h"

WindowLife::WindowLife(Screen& screen,
                       const WindowDef& mainWindow,
                       const WindowDef& setupWindow,
                       HandlerRunner& handlers)
    : screen_(screen), handlers_(handlers), windows_{{&mainWindow}, {&setupWindow}} {}

void WindowLife::Run(WindowId startWindow) {
    Loaded(startWindow);
    if (IsLoaded(startWindow) && !IsVisible(startWindow)) ShowWindow(startWindow, WindowMode::Modeless);
    // The program ends when its last window is unloaded, and also once no
    // window is left visible for the user to work in: a window that a
    // handler loaded while the user closed the others never keeps an
    // invisible process alive.
    screen_.RunUntil([this] { return !IsVisible(WindowId::Main) && !IsVisible(WindowId::Setup); });
}

WindowLife::Window& WindowLife::Loaded(WindowId id) {
    Window& window = Of(id);
    if (!window.loaded) Load(window);
    return window;
}

void WindowLife::Load(Window& window) {
    // Loaded from the moment the load begins: its own handler, and handlers
    // that run while it waits, may use the window's controls.
    // A window that cannot be created ends the program: every path that
    // loads one is unguarded or answers with a fatal error.
    window.loaded = true;
    ++window.loads;
    for (const ControlDef& control : *window.def) {
        if (control.dialog) window.fileNames[control.control.id] = control.dialog->initialFileName;
    }
    screen_.Create(*window.def, *this);
    Run(window.def->onLoad);
}

void WindowLife::ShowWindow(WindowId id, WindowMode mode) {
    if (mode == WindowMode::Modal && IsVisible(id)) {
        throw PlatformFailure{kWindowAlreadyOpen, {}};
    }
    Window& window = Loaded(id);
    window.visible = true;
    screen_.Show(id);
    if (mode == WindowMode::Modeless) return;

    for (Window& other : windows_) {
        if (&other != &window && other.loaded) {
            screen_.Enable(other.def->id, false);
            window.disabledWhileModal.push_back(other.def->id);
        }
    }
    // Until the window is hidden, which only its unloading does; unloaded and
    // loaded again by a handler meanwhile, it is another window. Unloading
    // gives the input back.
    const unsigned load = window.loads;
    screen_.RunUntil([&window, load] { return !window.visible || window.loads != load; });
}

void WindowLife::GiveInputBack(Window& modal) {
    for (const WindowId id : std::exchange(modal.disabledWhileModal, {})) {
        if (Of(id).loaded) screen_.Enable(id, true);
    }
}

void WindowLife::UnloadWindow(WindowId id) {
    Window& window = Of(id);
    if (!window.loaded) return;
    // The input goes back before the window does, so that Windows activates
    // one of the launcher's windows rather than another program's.
    GiveInputBack(window);
    window.loaded = window.visible = false;
    screen_.Destroy(id);
}

void WindowLife::SetFocus(Control control) {
    Loaded(control.window);
    screen_.Focus(control);
}

std::wstring WindowLife::GetText(Control box) {
    Loaded(box.window);
    return screen_.GetText(box);
}

void WindowLife::SetText(Control box, const std::wstring& text) {
    Loaded(box.window);
    screen_.SetText(box, text);
}

std::wstring WindowLife::ShowOpen(Control dialog) {
    Window& window = Loaded(dialog.window);
    const unsigned load = window.loads;
    const auto chosen =
        screen_.ShowOpenDialog(dialog.window, *window.def->Find(dialog.id)->dialog, window.fileNames[dialog.id]);
    // The window may have been closed while the dialog was open: the choice
    // has nowhere to go, and using the window now would load it again, hidden.
    if (!window.loaded || window.loads != load) throw PlatformFailure{};
    if (chosen) window.fileNames[dialog.id] = *chosen;
    return window.fileNames[dialog.id];
}

void WindowLife::Run(const Handler* handler, Key key) {
    if (handler) handlers_.Run(*handler, Event{key});
}

void WindowLife::Clicked(Control button) {
    const ControlDef* control = Of(button.window).def->Find(button.id);
    if (control) Run(control->onClick);
}

void WindowLife::KeyDown(Control box, Key key) {
    const ControlDef* control = Of(box.window).def->Find(box.id);
    if (control) Run(control->onKeyDown, key);
}

void WindowLife::CloseRequested(WindowId window) { UnloadWindow(window); }
