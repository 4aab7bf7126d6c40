// A failed Windows call turned into a PlatformFailure the user can read.
#pragma once

#include <windows.h>

#include <string>

#include "platform_ops.h"

namespace win32 {

std::wstring SystemErrorText(DWORD error);
// `action` says what could not be done; the reason is the error's text, and
// its cause what the launcher may do about it.
PlatformFailure SystemFailure(std::wstring action, DWORD error = GetLastError());

}  // namespace win32
