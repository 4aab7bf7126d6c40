#include "window_flow.h"

#include "app.h"
#include "config_file.h"
#include "controls.h"
#include "launch.h"

namespace {

void StartUpRead(App& app, const Event&) { app.SetText(MainWindow::ProgramPathBox, ReadProgramPath(app.ops)); }

// The main window's load waits here until the setup window is gone; the
// window is shown afterwards with whatever its program-path box then holds.
void AskForProgramPath(App& app) { app.ShowWindow(WindowId::Setup, WindowMode::Modal); }

void ProgramPathKeyDown(App& app, const Event& event) {
    if (event.key == Key::F12) app.ShowWindow(WindowId::Setup, WindowMode::Modeless);
}

void LaunchFromMainWindow(App& app, const Event&) {
    // Read in this order: a braced list is evaluated from left to right.
    LaunchProgram(app.ops, {app.GetText(MainWindow::ProgramPathBox), app.GetText(MainWindow::RomBox),
                            app.GetText(MainWindow::PrimaryTableBox), app.GetText(MainWindow::SecondaryTableBox)});
}

void AnswerLaunchFailure(App& app) {
    ReportLaunchFailure(app.ops);
    app.SetFocus(MainWindow::ProgramPathBox);
}

void ConfirmProgramPath(App& app, const Event&) {
    // An empty box means nothing was browsed since the window was loaded:
    // there is no new choice, so the saved path and the main window's box
    // stay as they are rather than being overwritten with an empty or old one.
    const std::wstring shown = app.GetText(SetupWindow::ProgramPathBox);
    if (!shown.empty()) {
        WriteProgramPath(app.ops, app.chosenPath);
        // Loads the main window first if it was closed; its start-up read
        // then finds the file just written.
        app.SetText(MainWindow::ProgramPathBox, shown);
    }
    app.UnloadWindow(WindowId::Setup);
    app.ShowWindow(WindowId::Main, WindowMode::Modeless);
}

void EndProgram(App& app, const Event&) { app.ops.EndProgram(); }

}  // namespace

const Handler kStartUpRead{StartUpRead, AskForProgramPath};
const Handler kProgramPathKeyDown{ProgramPathKeyDown};
const Handler kLaunchFromMainWindow{LaunchFromMainWindow, AnswerLaunchFailure};
const Handler kConfirmProgramPath{ConfirmProgramPath};
const Handler kEndProgram{EndProgram};
