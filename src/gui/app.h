// This folder: the launcher's two windows, free of any system header. Their
// tables, the rules of their life, the reactions to their events and one run
// of the program (App, here), drawn by whatever implements Screen.
#pragma once

#include <string>

#include "handler.h"
#include "platform_ops.h"
#include "window_life.h"

// One run of the launcher: the system's services, the two windows, and the
// one value a window keeps outside its controls.
struct App final : private HandlerRunner {
    App(PlatformOps& platform, Screen& screen, const WindowDef& mainWindow, const WindowDef& setupWindow);

    // Runs the program from the main window's load until its last window is
    // gone; EndProgram and fatal errors end the process on the way.
    void Run();

    PlatformOps& ops;
    WindowLife windows;
    // The setup window's choice: set only by its browse button, read by its
    // OK, kept from the first browse to the end of the run across unloads.
    std::wstring chosenPath;

private:
    // Every event's handler runs here. A failure of a guarded handler's steps
    // runs its answer instead of the remaining steps. A failure in an
    // unguarded handler, or in an answer, is fatal: the user is told and the
    // process ends. A guard covers only its own steps: handlers that run inside
    // a modal window or dialog it opened come through here on their own.
    void Run(const Handler& handler, const Event& event) override;
};
