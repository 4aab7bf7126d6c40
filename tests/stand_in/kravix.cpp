// Stands in for kravix.exe: writes to received.txt beside itself its command line, as a Unicode and an ANSI program
// read it, its current folder, the show state it was given, and whether an ANSI program can open argument 1.
#include "test_files.h"
// After windows.h, which it needs.
#include <shellapi.h>

int main() {
    const char* ansiLine = GetCommandLineA();
    std::wstring seenByAnsi(strlen(ansiLine), L'\0');
    seenByAnsi.resize(MultiByteToWideChar(CP_ACP, 0, ansiLine, -1, seenByAnsi.data(), seenByAnsi.size() + 1) - 1);
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    std::string record = Utf8(GetCommandLineW()) + "\n" + Utf8(seenByAnsi) + "\n" + Utf8(fs::current_path()) +
                         "\nshown " +
                         std::to_string(startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : -1) + "\n";
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    char ansi[32768] = {};  // argument 1 as an ANSI program gets it
    if (count > 1) WideCharToMultiByte(CP_ACP, 0, arguments[1], -1, ansi, sizeof ansi, nullptr, nullptr);
    const HANDLE rom = CreateFileA(ansi, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    record += rom == INVALID_HANDLE_VALUE ? "not opened\n" : "opened\n";
    // Written under another name first, so a reader never sees half a record.
    WriteBytes(Here() / L"received.part", record);
    fs::rename(Here() / L"received.part", Here() / L"received.txt");
}
