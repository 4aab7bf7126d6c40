// The launcher's message box.
#pragma once

#include <string>

namespace win32 {

// Captioned "kx_shell" whatever the executable is called, with the critical
// icon and OK alone; task-modal with no owner, so no window of the launcher
// takes input until it is dismissed.
// False when it could not be shown.
bool ShowMessageBox(const std::wstring& text);

}  // namespace win32
