#include "message_box.h"

#include <windows.h>

#include "messages.h"
#include "system_failure.h"
#include "win32_platform.h"

bool win32::ShowMessageBox(const std::wstring& text) {
    return MessageBoxW(nullptr, text.c_str(), L"kx_shell", MB_ICONHAND | MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

void Win32Platform::ShowMessage(const std::wstring& text) {
    if (!win32::ShowMessageBox(text)) throw win32::SystemFailure(kCannotShowMessage);
}
