// Stands in for kravix.exe: writes what it was started with to received.txt
// beside itself, in UTF-8 lines: the command line, the current folder,
// whether an old ANSI program could open its first argument, then each
// argument as Windows splits it.
#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const auto utf8 = [](const std::wstring& text) {
        std::string bytes(text.size() * 3, '\0');
        bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes.data(), int(bytes.size()), nullptr, nullptr));
        return bytes;
    };
    wchar_t folder[32768], self[32768];
    GetCurrentDirectoryW(32768, folder);
    std::string record = utf8(GetCommandLineW()) + "\n" + utf8(folder) + "\n";
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    // What a program reading its command line in the ANSI code page gets.
    std::string ansi(32768, '\0');
    if (count > 1) ansi.resize(WideCharToMultiByte(CP_ACP, 0, arguments[1], -1, ansi.data(), 32768, nullptr, nullptr));
    const HANDLE rom = CreateFileA(ansi.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    record += rom == INVALID_HANDLE_VALUE ? "not opened\n" : "opened\n";
    for (int i = 1; i < count; ++i) record += utf8(arguments[i]) + "\n";

    std::wstring path(self, GetModuleFileNameW(nullptr, self, 32768));
    path.erase(path.find_last_of(L'\\') + 1);
    // Written under another name first, so a reader never sees half a record.
    std::ofstream(std::filesystem::path(path + L"received.part"), std::ios::binary) << record;
    return MoveFileExW((path + L"received.part").c_str(), (path + L"received.txt").c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
