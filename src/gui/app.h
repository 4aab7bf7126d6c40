// One run of the launcher: the two windows' life, the same on every screen
// (window_life.cpp), and the one place that says what a failure escaping a
// handler means (app.cpp). The screen only draws.
#pragma once

#include <exception>
#include <map>
#include <string>
#include <vector>

#include "platform_ops.h"
#include "screen.h"

enum class WindowMode { Modal, Modeless };

class App final : public ScreenEvents {
public:
    App(PlatformOps& platform, Screen& screen, const WindowDef& mainWindow, const WindowDef& setupWindow);

    // Loads the main window, shows it unless its load already did, and runs
    // the user's events until no window is visible; EndProgram and fatal
    // errors end the process on the way.
    void RunProgram();

    // Creates the window with its controls, hidden, and runs its load
    // handler, unless it is loaded already.
    void LoadIfNeeded(WindowId window);
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

private:
    struct Window {
        const WindowDef* def;
        bool loaded = false;
        bool visible = false;
        // Counts the loads, so that a window unloaded and loaded again while a
        // modal loop or a dialog of it waits counts as another window.
        unsigned loads = 0;
        std::map<int, std::wstring> fileNames{};  // each dialog's file name
        std::vector<WindowId> disabledWhileModal{};
    };

    void Clicked(Control button) override;
    void KeyDown(Control box, Key key) override;
    void CloseRequested(WindowId window) override;

    Window& Of(WindowId window) { return windows_[window == WindowId::Main ? 0 : 1]; }
    const Window& Of(WindowId window) const { return windows_[window == WindowId::Main ? 0 : 1]; }
    void GiveInputBack(Window& modal);
    // Every handler runs here, and a failure that escapes it is fatal: the
    // user is told and the process ends. Handlers that run inside a modal
    // window or dialog another one opened come through here on their own.
    template <typename Handler>
    void RunHandler(Handler handler) {
        try {
            handler();
        } catch (const PlatformFailure&) {
            ops.Fatal(FailureOf(std::current_exception()));
        } catch (const std::exception&) {
            ops.Fatal(FailureOf(std::current_exception()));
        }
    }

    Screen& screen_;
    Window windows_[2];
};

// A guarded handler's steps: whether they completed and say they did. A
// failure of any step ends them, and the handler answers it as it answers
// their saying no.
template <typename Steps>
bool Guarded(Steps steps) {
    try {
        return steps();
    } catch (const PlatformFailure&) {
        return false;
    }
}
