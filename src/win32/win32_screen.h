// The screen on the Windows desktop: draws each window from its table
// (window_builder.h), runs the message loop, and sends clicks, keys and close
// requests to the window rules. It holds no rule of when windows load, show
// or go; those live in app.h.
#pragma once

#include <windows.h>

#include <memory>

#include "screen.h"
#include "screen_reader_names.h"
#include "window_builder.h"

class Win32Screen final : public Screen {
public:
    Win32Screen();
    ~Win32Screen();
    Win32Screen(const Win32Screen&) = delete;
    Win32Screen& operator=(const Win32Screen&) = delete;

    void Create(const WindowDef& window, ScreenEvents& events) override;
    void Destroy(WindowId window) override;
    void Show(WindowId window) override;
    void Enable(WindowId window, bool enabled) override;
    void RunUntil(const std::function<bool()>& done) override;
    std::optional<std::wstring> ShowOpenDialog(WindowId owner,
                                               const FileDialogDef& dialog,
                                               const std::wstring& fileName) override;
    std::wstring GetText(Control box) override;
    void SetText(Control box, const std::wstring& text) override;
    void Focus(Control control) override;

private:
    struct Window {
        Win32Screen& screen;
        const WindowDef& def;
        ScreenEvents& events;
        HWND hwnd = nullptr;  // from WM_NCCREATE on
        UINT dpi = 96;
        HWND lastFocus = nullptr;
        win32::FontCache fonts{};
        bool named = false;  // its controls' names given to screen readers
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK
    ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR window);
    // At the first time a screen reader asks for the window or one of its controls.
    void NameForScreenReaders(Window& window);
    LRESULT Handle(Window& window, UINT message, WPARAM wParam, LPARAM lParam);
    std::unique_ptr<Window>& Of(WindowId window) { return windows_[window == WindowId::Main ? 0 : 1]; }
    HWND ControlWindow(Control control);
    void Pump(MSG& message);

    std::unique_ptr<Window> windows_[2];
    HWND hiddenOwner_ = nullptr;  // owns the windows kept out of the taskbar
    win32::ScreenReaderNames names_;
};
