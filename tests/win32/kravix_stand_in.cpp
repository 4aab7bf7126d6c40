// Stands in for kravix.exe: writes what it was started with to received.txt
// beside itself, in UTF-8 lines: the command line, the current folder,
// whether an old ANSI program could open its first argument, then each
// argument as Windows splits it.
#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <fstream>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const auto utf8 = [](const std::filesystem::path& text) {
        const std::u8string bytes = text.u8string();
        return std::string(bytes.begin(), bytes.end()) + "\n";
    };
    std::string record = utf8(GetCommandLineW()) + utf8(std::filesystem::current_path());
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    // What a program reading its command line in the ANSI code page gets.
    char ansi[32768] = {};
    if (count > 1) WideCharToMultiByte(CP_ACP, 0, arguments[1], -1, ansi, sizeof ansi, nullptr, nullptr);
    const HANDLE rom = CreateFileA(ansi, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    record += rom == INVALID_HANDLE_VALUE ? "not opened\n" : "opened\n";
    for (int i = 1; i < count; ++i) record += utf8(arguments[i]);
    wchar_t self[32768];
    const std::filesystem::path folder = std::filesystem::path(std::wstring(self, GetModuleFileNameW(nullptr, self, 32768))).parent_path();
    // Written under another name first, so a reader never sees half a record.
    std::ofstream(folder / L"received.part", std::ios::binary) << record;
    std::filesystem::rename(folder / L"received.part", folder / L"received.txt");
    return 0;
}
