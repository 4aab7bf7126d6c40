#include "app.h"

App::App(PlatformOps& platform, Screen& screen, const WindowDef& mainWindow, const WindowDef& setupWindow)
    : ops(platform), screen_(screen), windows_{{&mainWindow}, {&setupWindow}} {}

void App::RunProgram() {
    // Unguarded: a window that cannot be created is fatal.
    RunHandler([this] {
        LoadIfNeeded(WindowId::Main);
        if (IsLoaded(WindowId::Main) && !IsVisible(WindowId::Main)) ShowWindow(WindowId::Main, WindowMode::Modeless);
    });
    // The program ends when its last window is unloaded, and also once no
    // window is left visible for the user to work in: a window that a
    // handler loaded while the user closed the others never keeps an
    // invisible process alive.
    screen_.RunUntil([this] { return !IsVisible(WindowId::Main) && !IsVisible(WindowId::Setup); });
}

void App::Clicked(Control button) {
    const ControlDef* control = Of(button.window).def->Find(button.id);
    if (control && control->onClick) RunHandler([&] { control->onClick(*this); });
}

void App::KeyDown(Control box, Key key) {
    const ControlDef* control = Of(box.window).def->Find(box.id);
    if (control && control->onKeyDown) RunHandler([&] { control->onKeyDown(*this, key); });
}

void App::CloseRequested(WindowId window) { UnloadWindow(window); }
