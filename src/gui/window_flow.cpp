#include "window_flow.h"

#include "config_file.h"
#include "controls.h"
#include "launch.h"
#include "messages.h"

namespace {

// The one message for every cause of a failed launch.
void ReportLaunchFailure(App& app) { app.ops.ShowMessage(kLaunchFailed); }

}  // namespace

void StartUpRead(App& app) {
    // Guarded: a path that cannot be read, for whatever reason, is asked for
    // first, and never reported in words.
    const bool shown = Guarded([&] {
        const auto path = ReadProgramPath(app.ops);
        if (path) app.SetText(MainWindow::ProgramPathBox, *path);
        return path.has_value();
    });
    // The main window's load waits here until the setup window is gone; the
    // window is shown afterwards with whatever its program-path box then holds.
    if (!shown) app.ShowWindow(WindowId::Setup, WindowMode::Modal);
}

void ProgramPathKeyDown(App& app, Key key) {
    if (key == Key::F12) app.ShowWindow(WindowId::Setup, WindowMode::Modeless);
}

void LaunchFromMainWindow(App& app) {
    // Guarded: a failure and a refusal alike get the one message, then the
    // focus back.
    const bool started = Guarded([&] {
        // Read in this order: a braced list is evaluated from left to right.
        return LaunchProgram(app.ops,
                             {app.GetText(MainWindow::ProgramPathBox), app.GetText(MainWindow::RomBox),
                              app.GetText(MainWindow::PrimaryTableBox), app.GetText(MainWindow::SecondaryTableBox)});
    });
    if (started) app.ops.EndProgram();
    ReportLaunchFailure(app);
    // Closed by another program while the message was up, the main window is
    // loaded again, hidden, as any use of its controls loads it.
    app.LoadIfNeeded(WindowId::Main);
    app.SetFocus(MainWindow::ProgramPathBox);
}

void ConfirmProgramPath(App& app) {
    // Unguarded. An empty box means nothing was browsed since the window was
    // loaded: there is no new choice, so the saved path and the main window's
    // box stay as they are rather than being overwritten with an empty or old
    // one.
    const std::wstring chosen = app.GetText(SetupWindow::ProgramPathBox);
    if (!chosen.empty()) {
        WriteProgramPath(app.ops, chosen);
        // Closed meanwhile, the main window is loaded afresh, and its start-up
        // read finds the file just written.
        app.LoadIfNeeded(WindowId::Main);
        app.SetText(MainWindow::ProgramPathBox, chosen);
    }
    app.UnloadWindow(WindowId::Setup);
    app.ShowWindow(WindowId::Main, WindowMode::Modeless);
}

void EndProgram(App& app) { app.ops.EndProgram(); }
