// Finding and starting kravix.exe.
#include <windows.h>

#include <vector>

#include "growing_buffer.h"
#include "late_bound.h"
#include "long_path.h"
#include "messages.h"
#include "owners.h"
#include "system_failure.h"
#include "win32_platform.h"

using namespace win32;

Win32Platform::Win32Platform() : startFolder_(CurrentFolder()) {}

namespace {

DWORD SystemFolder(const wchar_t*, wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); }
DWORD WindowsFolder(const wchar_t*, wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); }

// A started program inherits the launcher's DLL search (SetDllDirectoryW's
// documentation says so), from which wWinMain took the current folder:
// kravix.exe gets Windows' usual one, and the launcher its own again after.
class UsualDllSearchForChild {
public:
    UsualDllSearchForChild() { SetDllDirectoryW(nullptr); }
    ~UsualDllSearchForChild() { SetDllDirectoryW(L""); }
    UsualDllSearchForChild(const UsualDllSearchForChild&) = delete;
    UsualDllSearchForChild& operator=(const UsualDllSearchForChild&) = delete;
};

// Windows lets a process take the foreground when the one in front started
// it; kravix opens its window only once the launcher is gone.
void LetComeToFront(DWORD processId) { AllowSetForegroundWindow(processId); }

// INVALID_FILE_ATTRIBUTES when there is nothing at the path.
DWORD AttributesOf(const std::wstring& path) { return GetFileAttributesW(ForFileApi(path).c_str()); }

}  // namespace

bool Win32Platform::IsFile(const std::wstring& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::IsFolder(const std::wstring& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring Win32Platform::StartFolder() { return startFolder_; }

std::vector<std::wstring> Win32Platform::SystemFolders() {
    std::vector<std::wstring> folders;
    for (const std::wstring& folder : {GrowingBuffer(SystemFolder), GrowingBuffer(WindowsFolder)}) {
        if (!folder.empty()) folders.push_back(folder);
    }
    return folders;
}

std::wstring Win32Platform::PathVariable() {
    return GrowingBuffer(
        [](const wchar_t* name, wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name, buffer, size); },
        L"PATH");
}

std::wstring Win32Platform::ShortPath(const std::wstring& path) {
    // Handed to other programs, the short form goes in its plain form.
    return PlainForm(GrowingBuffer(
        [](const wchar_t* longPath, wchar_t* buffer, DWORD size) { return GetShortPathNameW(longPath, buffer, size); },
        ForFileApi(path).c_str()));
}

void Win32Platform::StartProgram(const std::wstring& program,
                                 const std::wstring& commandLine,
                                 const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // CreateProcessW may write into the command line, so it gets a copy.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    // The error is read before the guard puts the DLL search back, which
    // may change the last error.
    DWORD error = ERROR_SUCCESS;
    {
        const UsualDllSearchForChild dllSearch;
        if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                            &process)) {
            error = GetLastError();
        }
    }
    if (error != ERROR_SUCCESS) throw SystemFailure(Fill(kCannotStartProgram, program), error);
    const UniqueHandle thread(process.hThread), handle(process.hProcess);
    LetComeToFront(process.dwProcessId);
}

void Win32Platform::StartThroughShell(const std::wstring& program,
                                      const std::wstring& parameters,
                                      const std::wstring& folder) {
    const auto shellExecuteEx = late::ShellExecuteEx.Get();
    const auto coInitializeEx = late::CoInitializeEx.Get();
    if (!shellExecuteEx || !coInitializeEx)
        throw SystemFailure(Fill(kCannotStartProgram, program), ERROR_PROC_NOT_FOUND);
    coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof start;
    // Done before returning, as the launcher ends at once; kx_shell tells the
    // user of a failure itself; the process, to let it come to the front.
    start.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
    start.hwnd = GetActiveWindow();  // the elevation prompt's owner
    start.lpVerb = L"runas";
    start.lpFile = program.c_str();
    start.lpParameters = parameters.c_str();
    start.lpDirectory = folder.c_str();
    start.nShow = SW_SHOWNORMAL;
    // The system creates the elevated process, which inherits nothing of the
    // launcher's DLL search; the shell loads its own parts into the launcher.
    if (!shellExecuteEx(&start)) throw SystemFailure(Fill(kCannotStartProgram, program));
    const UniqueHandle started(start.hProcess);
    if (started) LetComeToFront(GetProcessId(started.get()));
}
