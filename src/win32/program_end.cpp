// What the user is told: the launch failure and fatal errors.
#include "program_end.h"

#include <windows.h>

#include "system_failure.h"
#include "system_values.h"
#include "win32_platform.h"

using namespace win32;

namespace {

// The application's title, whatever the executable is called.
constexpr wchar_t kTitle[] = L"kx_shell";

// Task-modal with no owner: every window of the launcher is disabled until
// the box is dismissed.
constexpr UINT kModality = MB_TASKMODAL | MB_SETFOREGROUND;

}  // namespace

void win32::ReportFatal(const PlatformFailure& failure) {
    std::wstring text = failure.action;
    if (!failure.reason.empty()) text += L"\n\n" + failure.reason;
    text += L"\n\n" + std::wstring(kProgramWillClose);
    MessageBoxW(nullptr, text.c_str(), kTitle, MessageBoxStyleOf(MessageKind::CriticalOk) | kModality);
    ExitProcess(1);
}

void Win32Platform::ShowMessage(const std::wstring& text, MessageKind kind) {
    if (!MessageBoxW(nullptr, text.c_str(), kTitle, MessageBoxStyleOf(kind) | kModality)) {
        throw SystemFailure(kCannotShowMessage);
    }
}

void Win32Platform::EndProgram() { ExitProcess(0); }

void Win32Platform::Fatal(const PlatformFailure& failure) { ReportFatal(failure); }
