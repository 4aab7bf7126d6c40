#include "platform/win32/process.h"

#include <windows.h>

#include <vector>

#include "platform/win32/files.h"
#include "platform/win32/long_path.h"
#include "platform/win32/system_error.h"
#include "platform/win32/system_values.h"

namespace win32 {

namespace {

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(ForFileApi(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring SearchForProgram(const std::wstring& name) {
    std::vector<wchar_t> found(MAX_PATH);
    for (;;) {
        const DWORD length =
            SearchPathW(nullptr, name.c_str(), L".exe", static_cast<DWORD>(found.size()), found.data(), nullptr);
        if (length == 0)
            return {};
        if (length < found.size())
            return std::wstring(found.data(), length);
        found.resize(length);
    }
}

}  // namespace

std::wstring ResolveProgram(const std::wstring& program) {
    if (program.empty())
        throw PlatformFailure{L"Путь к kravix.exe не задан.", {}};
    if (program.find_first_of(L"\\/:") != std::wstring::npos)
        return program;
    const std::wstring beside = ProgramDirectory() + L"\\" + program;
    if (IsFile(beside))
        return beside;
    std::wstring found = SearchForProgram(program);
    if (found.empty())
        throw SystemFailure(L"Не найдена программа " + program + L".");
    return found;
}

void StartProgram(const std::wstring& program, const std::wstring& commandLine, StartedWindow window) {
    const std::wstring application = ResolveProgram(program);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = ShowCommandOf(window);
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

std::wstring ShortPath(const std::wstring& path) {
    const std::wstring longForm = ForFileApi(path);
    std::vector<wchar_t> shortForm(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetShortPathNameW(longForm.c_str(), shortForm.data(), static_cast<DWORD>(shortForm.size()));
        if (length == 0)
            return {};
        if (length < shortForm.size()) {
            std::wstring result(shortForm.data(), length);
            // Handed to other programs, the short form goes without the \\?\ prefix.
            if (result.rfind(L"\\\\?\\", 0) == 0 && longForm.rfind(L"\\\\?\\UNC\\", 0) != 0)
                result.erase(0, 4);
            return result;
        }
        shortForm.resize(length);
    }
}

}  // namespace win32
