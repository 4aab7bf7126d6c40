// Stands in for an old kravix.exe that reads its command line in the ANSI
// code page: it opens the ROM (its first argument) with the C library's ANSI
// fopen and writes to received.txt beside itself "opened" or "not opened",
// then the argument as it arrived (converted to UTF-8 for the test to read).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const char* rom = __argc > 1 ? __argv[1] : "";
    FILE* file = std::fopen(rom, "rb");
    std::string record = file ? "opened\n" : "not opened\n";
    if (file) std::fclose(file);

    wchar_t wide[32768];
    const int length = MultiByteToWideChar(CP_ACP, 0, rom, -1, wide, 32768);
    char utf8[32768 * 3];
    WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8, sizeof utf8, nullptr, nullptr);
    record += std::string(utf8) + "\n";

    char path[MAX_PATH];
    const DWORD size = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string out(path, size);
    out.erase(out.find_last_of('\\') + 1);
    const std::string partial = out + "received.txt.part";
    if (FILE* report = std::fopen(partial.c_str(), "wb")) {
        std::fwrite(record.data(), 1, record.size(), report);
        std::fclose(report);
    }
    return MoveFileExA(partial.c_str(), (out + "received.txt").c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
