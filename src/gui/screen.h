// What only a screen can do, for the window rules (app.h) to drive:
// draw a window from its table and take it away, show it, let it take input
// or not, run the user's events, and show a file dialog. It keeps no rule of
// its own about when any of this happens.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "window_table.h"

// Where a screen sends what the user does.
class ScreenEvents {
public:
    virtual void Clicked(Control button) = 0;
    virtual void KeyDown(Control box, Key key) = 0;
    // The close box, the system menu's Close, Alt+F4, or another program's WM_CLOSE.
    virtual void CloseRequested(WindowId window) = 0;

protected:
    ~ScreenEvents() = default;
};

class Screen {
public:
    // Creates the window hidden, centred, with its controls, sending its
    // events to `events`. Throws PlatformFailure.
    virtual void Create(const WindowDef& window, ScreenEvents& events) = 0;
    virtual void Destroy(WindowId window) = 0;
    // Makes the window visible and brings it to the front.
    virtual void Show(WindowId window) = 0;
    virtual void Enable(WindowId window, bool enabled) = 0;
    // Runs the user's events until `done` holds, or the system asks the
    // program to quit.
    virtual void RunUntil(const std::function<bool()>& done) = 0;
    // The modal Open dialog, owned by `owner` while it is visible: the chosen
    // file's full path, or nothing when the user cancels. Throws when the
    // dialog itself fails.
    virtual std::optional<std::wstring> ShowOpenDialog(WindowId owner,
                                                       const FileDialogDef& dialog,
                                                       const std::wstring& fileName) = 0;
    virtual std::wstring GetText(Control box) = 0;
    virtual void SetText(Control box, const std::wstring& text) = 0;
    // On a hidden window, the control takes the focus once the window shows.
    virtual void Focus(Control control) = 0;

protected:
    ~Screen() = default;
};
