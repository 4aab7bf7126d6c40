// The reactions that join the two windows, the configuration file and the
// launch. Each window's table binds its events to these handlers.
#pragma once

#include "core/handler.h"

// Main window load: show the saved path, or ask for it first.
void StartUpRead(App& app, const Event& event);
void OpenSetupWindowModal(App& app);
// F12 in the main window's program-path box opens the setup window.
void ProgramPathKeyDown(App& app, const Event& event);
// Main window OK: start kravix.exe with the four boxes' texts.
void LaunchFromMainWindow(App& app, const Event& event);
void AnswerLaunchFailure(App& app);
// Setup window OK: save the chosen path and hand it to the main window.
void ConfirmProgramPath(App& app, const Event& event);
// Cancel in either window.
void CancelProgram(App& app, const Event& event);

inline constexpr Handler kStartUpRead{StartUpRead, OpenSetupWindowModal};
inline constexpr Handler kProgramPathKeyDown{ProgramPathKeyDown, nullptr};
inline constexpr Handler kLaunchFromMainWindow{LaunchFromMainWindow, AnswerLaunchFailure};
inline constexpr Handler kConfirmProgramPath{ConfirmProgramPath, nullptr};
inline constexpr Handler kCancelProgram{CancelProgram, nullptr};

inline constexpr int kKeyF12 = 123;
