#include "core/window_flow.h"

#include "core/config_file.h"
#include "core/launch.h"

void StartUpRead(App& app, const Event&) { app.ops.SetText(Form1::Text1, ReadProgramPath(app.ops)); }

// The main window's load waits here until the setup window is gone; it is
// shown afterwards with whatever its program-path box then holds.
void OpenSetupWindowModal(App& app) { app.ops.ShowWindow(Form::Form2, WindowMode::Modal); }

void ProgramPathKeyDown(App& app, const Event& event) {
    if (event.keyCode == kKeyF12) app.ops.ShowWindow(Form::Form2, WindowMode::Modeless);
}

void LaunchFromMainWindow(App& app, const Event&) {
    LaunchTexts texts;
    const Control boxes[] = {Form1::Text1, Form1::Text2, Form1::Text3, Form1::Text4};
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = app.ops.GetText(boxes[i]);
    LaunchProgram(app.ops, texts);
}

void AnswerLaunchFailure(App& app) {
    ReportLaunchFailure(app.ops);
    app.ops.SetFocus(Form1::Text1);
}

void ConfirmProgramPath(App& app, const Event&) {
    // An empty box means nothing was browsed since the window was loaded:
    // there is no new choice, so the saved path and the main window's box
    // stay as they are rather than being overwritten with an empty or old one.
    const std::wstring shown = app.ops.GetText(Form2::Text1);
    if (!shown.empty()) {
        WriteProgramPath(app.ops, app.form2.ChosenPath);
        // Loads the main window first if it was closed; its start-up read
        // then finds the file just written.
        app.ops.SetText(Form1::Text1, shown);
    }
    app.ops.UnloadWindow(Form::Form2);
    app.ops.ShowWindow(Form::Form1, WindowMode::Modeless);
}

void CancelProgram(App& app, const Event&) { app.ops.EndProgram(); }
