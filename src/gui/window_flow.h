// The reactions that join the two windows, kx_shell.ini and the launch; each
// window's table names them for its events.
#pragma once

#include "app.h"

// Main window load: shows the saved path, or asks for it first.
void StartUpRead(App& app);
// F12 in the main window's program-path box opens the setup window beside it.
void ProgramPathKeyDown(App& app, Key key);
// Main window OK: starts kravix.exe with the four boxes' texts.
void LaunchFromMainWindow(App& app);
// Setup window OK: saves the chosen path and hands it to the main window.
void ConfirmProgramPath(App& app);
// Cancel in either window ends the program at once.
void EndProgram(App& app);
