// Builds any window from its layout table and routes its events: one copy of
// the Win32 plumbing for both of the launcher's windows.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <type_traits>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"

class WindowRuntime {
public:
    WindowRuntime(const WindowDef* const (&windows)[2], Win32Platform::Dispatcher dispatch);
    ~WindowRuntime();

    int Run(Form startWindow);
    void Show(Form form, WindowMode mode);
    void Unload(Form form);
    void Focus(Control control);
    std::wstring Text(Control box);
    void SetText(Control box, const std::wstring& text);
    std::wstring ShowOpen(Control dialog);

private:
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

    struct Window {
        WindowRuntime* runtime = nullptr;
        const WindowDef* def = nullptr;
        bool loaded = false;
        unsigned generation = 0;  // counts loads, to notice an unload during a dialog
        HWND hwnd = nullptr;
        UINT dpi = 96;
        HWND lastFocus = nullptr;
        FontHandle font, boldFont;
        std::map<int, std::wstring> fileNames;  // each dialog's FileName
        std::vector<Form> disabledWhileModal;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TextBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR window);
    LRESULT Handle(Window& window, UINT message, WPARAM wParam, LPARAM lParam);

    Window& Of(Form form) { return windows_[form == Form::Form1 ? 0 : 1]; }
    Window& Loaded(Form form);
    HWND ControlWindow(Control control);
    void Load(Form form);
    void CreateControls(Window& window);
    void ApplyDpi(Window& window);
    void Dispatch(const Handler* handler, int keyCode = 0, int shift = 0);
    void Pump(MSG& message);
    bool AnyLoaded() const;

    Win32Platform::Dispatcher dispatch_;
    Window windows_[2];
    HWND hiddenOwner_ = nullptr;  // owns the windows kept out of the taskbar
};
