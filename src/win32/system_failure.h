// A failed Windows call turned into a PlatformFailure the user can read.
#pragma once

#include <windows.h>

#include <string>

#include "platform_ops.h"

namespace win32 {

std::wstring SystemErrorText(DWORD error);
// `action` says what could not be done; the reason is the last error's text.
PlatformFailure SystemFailure(std::wstring action, DWORD error = GetLastError());
// Whether the error says another program holds a file for the moment.
inline bool IsTransient(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

}  // namespace win32
