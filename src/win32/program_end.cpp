// How the process ends: at once, or after telling the user what failed.
#include "program_end.h"

#include <windows.h>

#include "message_box.h"
#include "messages.h"
#include "win32_platform.h"

void win32::ReportFatal(const PlatformFailure& failure) {
    std::wstring text = failure.action;
    if (!failure.reason.empty()) text += L"\n\n" + failure.reason;
    text += L"\n\n" + std::wstring(kProgramWillClose);
    ShowMessageBox(text);
    ExitProcess(1);
}

void Win32Platform::EndProgram() { ExitProcess(0); }

void Win32Platform::Fatal(const PlatformFailure& failure) { win32::ReportFatal(failure); }
