#include "programs.h"

#include <windows.h>

#include <vector>

#include "long_path.h"
#include "messages.h"
#include "system_failure.h"
#include "system_values.h"

namespace win32 {

namespace {

// A text that a Windows function writes into a buffer it says the size of.
template <typename Call>
std::wstring GrowingBuffer(Call call) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(length);
    }
}

}  // namespace

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(ForFileApi(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> SystemFolders() {
    std::vector<std::wstring> folders;
    for (auto* get : {&GetSystemDirectoryW, &GetWindowsDirectoryW}) {
        std::wstring folder = GrowingBuffer([get](wchar_t* buffer, DWORD size) { return get(buffer, size); });
        if (!folder.empty()) folders.push_back(folder);
    }
    return folders;
}

std::wstring EnvironmentValue(const wchar_t* name) {
    return GrowingBuffer([name](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name, buffer, size); });
}

std::wstring CurrentFolder() {
    return GrowingBuffer([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

void StartProgram(const std::wstring& program,
                  const std::wstring& commandLine,
                  StartedWindow window,
                  const std::wstring& workingFolder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = ShowCommandOf(window);
    PROCESS_INFORMATION process{};
    // CreateProcessW may write into the command line, so it gets a copy.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    const wchar_t* folder = workingFolder.empty() ? nullptr : workingFolder.c_str();
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                        &process)) {
        throw SystemFailure(Fill(kCannotStartProgram, program));
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

std::wstring ShortPath(const std::wstring& path) {
    const std::wstring longForm = ForFileApi(path);
    std::wstring shortForm =
        GrowingBuffer([&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(longForm.c_str(), buffer, size); });
    // Handed to other programs, the short form goes without the \\?\ prefix.
    if (shortForm.rfind(L"\\\\?\\", 0) == 0 && longForm.rfind(L"\\\\?\\UNC\\", 0) != 0) shortForm.erase(0, 4);
    return shortForm;
}

}  // namespace win32
