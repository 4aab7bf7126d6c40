// One run of the launcher: the system's services, the two windows, and the
// one value a window keeps outside its controls.
//
// The launcher's logic lives in this folder, with no Windows header, so it
// builds and is tested on any host:
// - window_flow: what each event of the two windows does (the start-up read,
//   F12, OK and Cancel), each a Handler (handler.h) that the windows' tables
//   name;
// - config_file: kx_shell.ini, read and saved; utf8 for its UTF-8 form;
// - launch, command_line and program_path: which program is started, and with
//   which command line;
// - window_life: when windows load, show, take input and go, driving a Screen
//   (screen.h); controls.h names the controls of both windows.
#pragma once

#include <string>

#include "handler.h"
#include "window_life.h"
#include "platform_ops.h"

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
