#include "platform/win32/win32_platform.h"

#include "platform/win32/window_runtime.h"

Win32Platform::Win32Platform(const WindowDef* const (&windows)[2], Dispatcher dispatch)
    : windows_(std::make_unique<WindowRuntime>(windows, std::move(dispatch))) {}

Win32Platform::~Win32Platform() = default;

int Win32Platform::Run(Form startWindow) { return windows_->Run(startWindow); }

void Win32Platform::ShowWindow(Form form, WindowMode mode) { windows_->Show(form, mode); }
void Win32Platform::UnloadWindow(Form form) { windows_->Unload(form); }
void Win32Platform::SetFocus(Control control) { windows_->Focus(control); }
std::wstring Win32Platform::GetText(Control box) { return windows_->Text(box); }
void Win32Platform::SetText(Control box, const std::wstring& text) { windows_->SetText(box, text); }
std::wstring Win32Platform::ShowOpen(Control dialog) { return windows_->ShowOpen(dialog); }
