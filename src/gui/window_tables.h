// The launcher's two windows as data: layout, texts, file dialogs, and which
// handler each event runs. The window runtime draws them; the window rules
// (window_life.h) load, show and unload them.
#pragma once

#include "window_table.h"

extern const WindowDef kMainWindow;   // the start window: the program path and the three file rows
extern const WindowDef kSetupWindow;  // asks where kravix.exe lies
