// This folder: the launcher's two windows, free of any system header. Their
// tables, the rules of their life, the reactions to their events and one run
// of the program (App, here), drawn by whatever implements Screen.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "handler.h"
#include "platform_ops.h"
#include "screen.h"

enum class WindowMode { Modal, Modeless };

// One run of the launcher: the two windows' life, the same on every screen
// (window_life.cpp), the guard every event's handler runs under (app.cpp), and
// the one value a window keeps outside its controls. The screen only draws.
class App final : public ScreenEvents {
public:
    App(PlatformOps& platform, Screen& screen, const WindowDef& mainWindow, const WindowDef& setupWindow);

    // Loads the main window, shows it unless its load already did, and runs
    // the user's events until no window is visible; EndProgram and fatal
    // errors end the process on the way.
    void RunProgram();

    // Loads the window if need be and makes it visible; a visible window shown
    // modelessly again comes to the front. Modal display keeps the other
    // windows from taking input and returns once this one is hidden or
    // unloaded; it fails for a window that is already visible.
    void ShowWindow(WindowId window, WindowMode mode);
    // The window goes with its controls and dialogs; its next load starts
    // them afresh.
    void UnloadWindow(WindowId window);
    // Using a control of a window that is not loaded loads that window first.
    void SetFocus(Control control);
    std::wstring GetText(Control box);
    void SetText(Control box, const std::wstring& text);
    // Shows the Open dialog and returns its file name afterwards: the chosen
    // file's full path, or after a cancel the name it held before. Fails when
    // the window was unloaded while its dialog was open.
    std::wstring ShowOpen(Control dialog);

    bool IsLoaded(WindowId window) const { return Of(window).loaded; }
    bool IsVisible(WindowId window) const { return Of(window).visible; }

    PlatformOps& ops;
    // The setup window's choice: set only by its browse button, read by its
    // OK, kept from the first browse to the end of the run across unloads.
    std::wstring chosenPath;

private:
    struct Window {
        const WindowDef* def;
        bool loaded = false;
        bool visible = false;
        unsigned loads = 0;                       // to notice an unload and reload while a loop waits
        std::map<int, std::wstring> fileNames{};  // each dialog's file name
        std::vector<WindowId> disabledWhileModal{};
    };

    void Clicked(Control button) override;
    void KeyDown(Control box, Key key) override;
    void CloseRequested(WindowId window) override;

    Window& Of(WindowId window) { return windows_[window == WindowId::Main ? 0 : 1]; }
    const Window& Of(WindowId window) const { return windows_[window == WindowId::Main ? 0 : 1]; }
    // The window, loaded first if it is not: its load handler may run here.
    Window& EnsureLoaded(WindowId window);
    void GiveInputBack(Window& modal);
    // Every event's handler runs here. A failure of a guarded handler's steps
    // runs its answer instead of the remaining steps. A failure in an
    // unguarded handler, or in an answer, is fatal: the user is told and the
    // process ends. A guard covers only its own steps: handlers that run
    // inside a modal window or dialog it opened come through here on their own.
    void RunHandler(const Handler* handler, Key key = Key::Other);

    Screen& screen_;
    Window windows_[2];
};
