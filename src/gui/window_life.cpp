// The rules of the windows' life, the same on every screen: loading, modal
// and modeless display, unloading, and which window takes input when.
#include <algorithm>
#include <utility>

#include "app.h"
#include "messages.h"

void App::LoadIfNeeded(WindowId id) {
    Window& window = Of(id);
    if (window.loaded) return;
    // Loaded from the moment the load begins: its own handler, and handlers
    // that run while it waits, may use the window's controls.
    // A window that cannot be created ends the program: every path that
    // loads one is unguarded or answers with a fatal error.
    window.loaded = true;
    ++window.loads;
    for (const FileDialogDef& dialog : window.def->dialogs)
        window.fileNames[dialog.control.id] = dialog.initialFileName;
    screen_.Create(*window.def, *this);
    if (window.def->onLoad) RunHandler([&] { window.def->onLoad(*this); });
}

void App::ShowWindow(WindowId id, WindowMode mode) {
    if (mode == WindowMode::Modal && IsVisible(id)) {
        throw PlatformFailure{kWindowAlreadyOpen, {}};
    }
    LoadIfNeeded(id);
    Window& window = Of(id);
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

void App::GiveInputBack(Window& modal) {
    for (const WindowId id : std::exchange(modal.disabledWhileModal, {})) {
        if (Of(id).loaded) screen_.Enable(id, true);
    }
}

void App::UnloadWindow(WindowId id) {
    Window& window = Of(id);
    if (!window.loaded) return;
    // The input goes back before the window does, so that Windows activates
    // one of the launcher's windows rather than another program's.
    GiveInputBack(window);
    window.loaded = window.visible = false;
    screen_.Destroy(id);
}

void App::SetFocus(Control control) {
    LoadIfNeeded(control.window);
    screen_.Focus(control);
}

std::wstring App::GetText(Control box) {
    LoadIfNeeded(box.window);
    return screen_.GetText(box);
}

void App::SetText(Control box, const std::wstring& text) {
    LoadIfNeeded(box.window);
    screen_.SetText(box, text);
}

std::wstring App::ShowOpen(Control dialog) {
    LoadIfNeeded(dialog.window);
    Window& window = Of(dialog.window);
    const unsigned load = window.loads;
    const auto def = std::ranges::find(window.def->dialogs, dialog, &FileDialogDef::control);
    std::wstring& fileName = window.fileNames[dialog.id];
    const auto chosen = screen_.ShowOpenDialog(dialog.window, *def, fileName);
    // The window may have been closed while the dialog was open: the choice
    // has nowhere to go, and using the window now would load it again, hidden.
    if (!window.loaded || window.loads != load) throw PlatformFailure{};
    if (chosen) fileName = *chosen;
    return fileName;
}
