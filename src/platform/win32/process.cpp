// Starting kravix.exe, the message box, and the ways the launcher ends.
#include <windows.h>

#include <vector>

#include "platform/win32/long_path.h"
#include "platform/win32/system_error.h"
#include "platform/win32/win32_platform.h"

namespace {

constexpr wchar_t kTitle[] = L"kx_shell";

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(ForFileApi(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring SearchForProgram(const std::wstring& name) {
    std::vector<wchar_t> found(MAX_PATH);
    for (;;) {
        const DWORD length = SearchPathW(nullptr, name.c_str(), L".exe", static_cast<DWORD>(found.size()),
                                         found.data(), nullptr);
        if (length == 0) return {};
        if (length < found.size()) return std::wstring(found.data(), length);
        found.resize(length);
    }
}

}  // namespace

std::wstring win32::ResolveProgram(const std::wstring& program) {
    if (program.empty()) throw PlatformFailure{L"Путь к kravix.exe не задан.", {}};
    if (program.find_first_of(L"\\/:") != std::wstring::npos) return program;
    const std::wstring beside = ProgramDirectory() + L"\\" + program;
    if (IsFile(beside)) return beside;
    std::wstring found = SearchForProgram(program);
    if (found.empty()) throw SystemFailure(L"Не найдена программа " + program + L".");
    return found;
}

void win32::StartProgram(const std::wstring& program, const std::wstring& commandLine, int windowStyle) {
    const std::wstring application = ResolveProgram(program);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION process{};
    // CreateProcessW may write into the command line, so it gets a copy.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        throw SystemFailure(L"Не удалось запустить " + application + L".");
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void win32::ReportFatal(const PlatformFailure& failure) {
    std::wstring text = failure.action;
    if (!failure.reason.empty()) text += L"\n\n" + failure.reason;
    text += L"\n\nПрограмма будет закрыта.";
    MessageBoxW(nullptr, text.c_str(), kTitle, MB_OK | MB_ICONHAND | MB_TASKMODAL | MB_SETFOREGROUND);
    ExitProcess(1);
}

std::wstring Win32Platform::ShortPath(const std::wstring& path) {
    const std::wstring longForm = ForFileApi(path);
    std::vector<wchar_t> shortForm(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetShortPathNameW(longForm.c_str(), shortForm.data(), static_cast<DWORD>(shortForm.size()));
        if (length == 0) return {};
        if (length < shortForm.size()) {
            std::wstring result(shortForm.data(), length);
            // Handed to other programs, the short form goes without the \\?\ prefix.
            if (result.rfind(L"\\\\?\\", 0) == 0 && longForm.rfind(L"\\\\?\\UNC\\", 0) != 0) result.erase(0, 4);
            return result;
        }
        shortForm.resize(length);
    }
}

void Win32Platform::StartProgram(const std::wstring& program, const std::wstring& commandLine, int windowStyle) {
    win32::StartProgram(program, commandLine, windowStyle);
}

// Task-modal with no owner: every window of the launcher is disabled until
// the box is dismissed.
void Win32Platform::ShowMessage(const std::wstring& text, int style) {
    if (!MessageBoxW(nullptr, text.c_str(), kTitle, static_cast<UINT>(style) | MB_TASKMODAL | MB_SETFOREGROUND)) {
        throw SystemFailure(L"Не удалось показать сообщение.");
    }
}

void Win32Platform::EndProgram() { ExitProcess(0); }

void Win32Platform::Fatal(const PlatformFailure& failure) { win32::ReportFatal(failure); }
