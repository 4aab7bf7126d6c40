// The launcher's two windows.
#pragma once

#include "platform/window_layout.h"

extern const WindowDef kMainWindow;   // Form1, the start window
extern const WindowDef kSetupWindow;  // Form2

inline const WindowDef& WindowOf(Form form) { return form == Form::Form1 ? kMainWindow : kSetupWindow; }
