#include "app.h"

#include <exception>

#include "messages.h"
#include "unicode.h"

App::App(PlatformOps& platform, Screen& screen, const WindowDef& mainWindow, const WindowDef& setupWindow)
    : ops(platform), screen_(screen), windows_{{&mainWindow}, {&setupWindow}} {}

void App::RunProgram() {
    // The run itself is unguarded: a window that cannot be created is fatal.
    constexpr Handler kStartWindow{[](App& app, const Event&) {
        app.EnsureLoaded(WindowId::Main);
        if (app.IsLoaded(WindowId::Main) && !app.IsVisible(WindowId::Main)) {
            app.ShowWindow(WindowId::Main, WindowMode::Modeless);
        }
    }};
    RunHandler(&kStartWindow);
    // The program ends when its last window is unloaded, and also once no
    // window is left visible for the user to work in: a window that a
    // handler loaded while the user closed the others never keeps an
    // invisible process alive.
    screen_.RunUntil([this] { return !IsVisible(WindowId::Main) && !IsVisible(WindowId::Setup); });
}

void App::RunHandler(const Handler* handler, Key key) {
    if (!handler) return;
    try {
        try {
            handler->run(*this, Event{key});
            return;
        } catch (const PlatformFailure& failure) {
            if (!handler->answerFailure) ops.Fatal(failure);
        }
        handler->answerFailure(*this);
    } catch (const PlatformFailure& failure) {
        ops.Fatal(failure);
    } catch (const std::exception& error) {
        ops.Fatal({kInternalError, DecodeUtf8(error.what()).value_or(L"")});
    }
}

void App::Clicked(Control button) {
    const ControlDef* control = Of(button.window).def->Find(button.id);
    if (control) RunHandler(control->onClick);
}

void App::KeyDown(Control box, Key key) {
    const ControlDef* control = Of(box.window).def->Find(box.id);
    if (control) RunHandler(control->onKeyDown, key);
}

void App::CloseRequested(WindowId window) { UnloadWindow(window); }
