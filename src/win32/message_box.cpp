#include "message_box.h"

#include <windows.h>

#include "messages.h"
#include "system_failure.h"
#include "system_values.h"
#include "win32_platform.h"

bool win32::ShowMessageBox(const std::wstring& text, MessageKind kind) {
    return MessageBoxW(nullptr, text.c_str(), L"kx_shell", MessageBoxStyleOf(kind) | MB_TASKMODAL | MB_SETFOREGROUND);
}

void Win32Platform::ShowMessage(const std::wstring& text, MessageKind kind) {
    if (!win32::ShowMessageBox(text, kind)) throw win32::SystemFailure(kCannotShowMessage);
}
