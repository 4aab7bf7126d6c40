// The reactions that join the two windows, the configuration file and the
// launch. Each window's table binds its events to these handlers.
#pragma once

#include "handler.h"

// Main window load: shows the saved path, or asks for it first.
extern const Handler kStartUpRead;
// F12 in the main window's program-path box opens the setup window beside it.
extern const Handler kProgramPathKeyDown;
// Main window OK: starts kravix.exe with the four boxes' texts.
extern const Handler kLaunchFromMainWindow;
// Setup window OK: saves the chosen path and hands it to the main window.
extern const Handler kConfirmProgramPath;
// Cancel in either window ends the program at once.
extern const Handler kEndProgram;
