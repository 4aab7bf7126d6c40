// The rules of the windows' life, the same on every screen: loading, modal
// and modeless display, unloading, and which window takes input when. The
// screen only draws; the launcher's handlers run through the HandlerRunner.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "screen.h"

enum class WindowMode { Modal, Modeless };

class HandlerRunner {
public:
    virtual void Run(const Handler& handler, const Event& event) = 0;

protected:
    ~HandlerRunner() = default;
};

class WindowLife final : public ScreenEvents {
public:
    WindowLife(Screen& screen, const WindowDef& mainWindow, const WindowDef& setupWindow, HandlerRunner& handlers);

    // The program's run: loads the start window, shows it unless its load
    // already did, and runs the user's events until no window is visible.
    void Run(WindowId startWindow);

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

    void Clicked(Control button) override;
    void KeyDown(Control box, Key key) override;
    void CloseRequested(WindowId window) override;

private:
    struct Window {
        const WindowDef* def;
        bool loaded = false;
        bool visible = false;
        unsigned loads = 0;                       // to notice an unload and reload while a loop waits
        std::map<int, std::wstring> fileNames{};  // each dialog's file name
        std::vector<WindowId> disabledWhileModal{};
    };

    Window& Of(WindowId window) { return windows_[window == WindowId::Main ? 0 : 1]; }
    const Window& Of(WindowId window) const { return windows_[window == WindowId::Main ? 0 : 1]; }
    Window& Loaded(WindowId window);
    void Load(Window& window);
    void GiveInputBack(Window& modal);
    void Run(const Handler* handler, Key key = Key::Other);

    Screen& screen_;
    HandlerRunner& handlers_;
    Window windows_[2];
};
