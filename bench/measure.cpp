// Timing one program's run: its start until its window is shown and idle, or
// a launch until the stand-in kravix.exe has noted the moment it ran.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <cstdio>
#include <cwchar>

#include "bench.h"
#include "controls.h"

namespace bench {

LARGE_INTEGER g_frequency;
bool g_verbose;

namespace {

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Ms(LONGLONG ticks) { return static_cast<double>(ticks) * 1000.0 / static_cast<double>(g_frequency.QuadPart); }

struct Search {
    DWORD processId;
    const wchar_t* caption;
    HWND found;
};

HWND ShownWindow(DWORD processId, const wchar_t* caption) {
    Search search{processId, caption, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != s.processId || !IsWindowVisible(hwnd)) return TRUE;
            wchar_t text[64] = {};
            if (s.caption && (GetWindowTextW(hwnd, text, 64), std::wcscmp(text, s.caption) != 0)) return TRUE;
            s.found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

PROCESS_INFORMATION Start(const std::wstring& exe, const std::wstring& args) {
    std::wstring line = L"\"" + exe + L"\" " + args;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, FolderOf(exe).c_str(), &startup,
                        &process)) {
        const DWORD error = GetLastError();
        Out(kErr, "bench: cannot start %ls\n", line.c_str());
        SetLastError(error);
        Fail("cannot start a program");
    }
    return process;
}

// The window shown and the program idle: WaitForInputIdle, then a look,
// repeated, since a program can go idle before its window is shown.
HWND WaitShown(const PROCESS_INFORMATION& process, const wchar_t* caption) {
    const ULONGLONG end = GetTickCount64() + kTimeout;
    for (;;) {
        if (WaitForInputIdle(process.hProcess, kTimeout) == 0) {
            if (const HWND window = ShownWindow(process.dwProcessId, caption)) return window;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) Fail("a program ended before its window showed");
        if (GetTickCount64() > end) Fail("no window showed within the timeout");
        Sleep(kPoll);
    }
}

// The counter the stand-in read as its first act, once its record is there.
LONGLONG WaitStarted(const std::wstring& record) {
    const ULONGLONG end = GetTickCount64() + kTimeout;
    for (;;) {
        const HANDLE file = CreateFileW(record.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            char text[64] = {};
            DWORD read = 0;
            ReadFile(file, text, sizeof text - 1, &read, nullptr);
            CloseHandle(file);
            long long counter = 0, frequency = 0;
            if (std::sscanf(text, "%lld %lld", &counter, &frequency) != 2) Fail("unreadable started.txt");
            if (frequency != g_frequency.QuadPart) Fail("the stand-in's counter runs at another frequency");
            return counter;
        }
        if (GetTickCount64() > end) Fail("kravix.exe did not start within the timeout");
        Sleep(kPoll);
    }
}

// Once measured, a program is ended (if it has not ended by itself) and waited
// for, so it takes no time from the next run.
void End(PROCESS_INFORMATION& process) {
    TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, kTimeout);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void RunOnce(Case& c, bool counted) {
    // The stand-in lies beside the program started (Bare, Beside) or in kx_shell's folder (Click).
    const std::wstring record = FolderOf(c.exe) + L"\\started.txt";
    DeleteFileW(record.c_str());
    double ms = 0, peakKb = 0;
    LONGLONG asked = Now();  // the start, or the launch asked for
    PROCESS_INFORMATION process = Start(c.exe, c.args), other{};
    if (c.kind != Kind::Bare) {
        const HWND window = WaitShown(process, c.caption);
        ms = Ms(Now() - asked);
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) peakKb = memory.PeakWorkingSetSize / 1024.0;
        // kx_shell's OK, a direct child of its main window.
        const HWND ok = GetDlgItem(window, MainWindow::OkButton.id);
        if (c.kind == Kind::Click && !ok) {
            const DWORD error = GetLastError();
            char what[64];
            std::snprintf(what, sizeof what, "the main window has no OK button (id %d)", MainWindow::OkButton.id);
            SetLastError(error);
            Fail(what);
        }
        asked = Now();
        if (c.kind == Kind::Click) PostMessageW(ok, BM_CLICK, 0, 0);
        if (c.kind == Kind::Post) PostMessageW(window, WM_APP, 0, 0);
        if (c.kind == Kind::Beside) other = Start(FolderOf(c.exe) + L"\\kravix.exe", L"");
    }
    if (c.kind != Kind::Window) ms = Ms(WaitStarted(record) - asked);
    End(process);
    if (other.hProcess) End(other);
    // Another process's counter reading only makes sense if the clock is shared.
    if (ms <= 0 || ms >= kTimeout) Fail("a time came out of range: the performance counter is not shared");
    if (g_verbose) Out(kErr, "%ls %ls: %.1f ms%s\n", c.exe.c_str(), c.args.c_str(), ms, counted ? "" : " (warm-up)");
    if (counted) {
        c.ms.push_back(ms);
        c.peakKb.push_back(peakKb);
    }
}

}  // namespace

void Measure(Group& group, int warmup, int runs) {
    Out(kErr, "bench: %s ...\n", group.title);
    for (int i = 0; i < warmup + runs; ++i) {
        for (Case& c : group.cases) RunOnce(c, i >= warmup);
    }
}

}  // namespace bench
