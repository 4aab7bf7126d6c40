// A stand-in kravix.exe for the benchmark: notes the moment it runs. Its very
// first act is to read the performance counter, then it writes
// "<counter> <frequency>" to started.txt beside itself and exits. The counter
// is one clock for every process on the machine, so the benchmark can subtract
// its own reading taken before the start.
#include <windows.h>

#include <cstdio>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);

    static wchar_t path[32768];
    DWORD length = GetModuleFileNameW(nullptr, path, 32768 - 16);
    while (length > 0 && path[length - 1] != L'\\') --length;
    lstrcpyW(path + length, L"started.txt");
    static wchar_t partial[32768];
    lstrcpyW(partial, path);
    lstrcatW(partial, L".part");

    char record[64];
    const int size = std::snprintf(record, sizeof record, "%lld %lld\r\n", now.QuadPart, frequency.QuadPart);
    // Written under another name first, so the reader never sees half a record.
    const HANDLE file = CreateFileW(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, record, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(partial, path, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
