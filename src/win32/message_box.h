// The launcher's message box.
#pragma once

#include <string>

#include "platform_ops.h"

namespace win32 {

// Captioned "kx_shell" whatever the executable is called; task-modal with no
// owner, so no window of the launcher takes input until it is dismissed.
// False when it could not be shown.
bool ShowMessageBox(const std::wstring& text, MessageKind kind);

}  // namespace win32
