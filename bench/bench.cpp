// bench.exe: times kx_shell.exe against the least a program could do (the
// floor programs in bench/) and prints one Markdown table of medians and
// ratios. Not a test: run it with scripts/bench.sh.
//
//   bench [--runs N] [--warmup N] [--analyse] [--verbose]
//
// Each measure runs its two programs alternately (A B A B ...), so a drift in
// the machine's load touches both alike; --warmup runs of each come first and
// are not counted. --analyse adds a table of floor variants that take on
// kx_shell's costs one at a time, to show where its time goes; --verbose
// prints every run's time.
#include <windows.h>
// After windows.h, which they need.
#include <psapi.h>
#include <winioctl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeout = 20000;  // ms for any one start or launch
constexpr DWORD kPoll = 1;         // ms between two looks, when waiting on an event is not possible
constexpr int kOkButton = 204;     // the main window's OK, a direct child of it

LARGE_INTEGER g_frequency;
bool g_verbose;                    // --verbose: every run's time on standard error
std::vector<std::wstring> g_made;  // scratch files and folders, removed in reverse order

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Ms(LONGLONG ticks) { return static_cast<double>(ticks) * 1000.0 / static_cast<double>(g_frequency.QuadPart); }

constexpr DWORD kOut = STD_OUTPUT_HANDLE;  // the results
constexpr DWORD kErr = STD_ERROR_HANDLE;   // progress and failures

void Out(DWORD stream, const char* format, ...) {
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    const int size = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    DWORD written = 0;
    WriteFile(GetStdHandle(stream), text, static_cast<DWORD>(std::clamp(size, 0, int{sizeof text} - 1)), &written,
              nullptr);
}

void Cleanup() {
    for (auto path = g_made.rbegin(); path != g_made.rend(); ++path) {
        if (!DeleteFileW(path->c_str())) RemoveDirectoryW(path->c_str());
    }
    g_made.clear();
}

[[noreturn]] void Fail(const char* what) {
    const DWORD error = GetLastError();
    Out(kErr, "bench: %s (last error %lu)\n", what, error);
    Cleanup();  // never leave a 4 GB file behind
    ExitProcess(1);
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring MakeFolder(const std::wstring& path) {
    if (!CreateDirectoryW(path.c_str(), nullptr)) Fail("cannot create a scratch folder");
    g_made.push_back(path);
    return path;
}

void CopyInto(const std::wstring& from, const std::wstring& folder) {
    const std::wstring to = folder + from.substr(from.find_last_of(L'\\'));
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) Fail("cannot copy a program into a scratch folder");
    g_made.push_back(to);
}

// A new scratch file holding bytes, left open.
HANDLE CreateWith(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("cannot create a scratch file");
    g_made.push_back(path);
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written != bytes.size())
        Fail("cannot write a scratch file");
    return file;
}

// kx_shell.ini naming kravix.exe: one quoted record in the ANSI code page.
std::string IniRecord(const std::wstring& program) {
    const std::wstring line = L"\"" + program + L"\"\r\n";
    std::string bytes(line.size() * 4, '\0');
    bytes.resize(WideCharToMultiByte(CP_ACP, 0, line.data(), static_cast<int>(line.size()), bytes.data(),
                                     static_cast<int>(bytes.size()), nullptr, nullptr));
    return bytes;
}

// The record, then a hole up to 4 GB: sparse where the file system allows, so
// it costs no disk. Returns what the system made of it, for the notes.
std::string MakeFourGigabyteIni(const std::wstring& path, const std::string& record) {
    const HANDLE file = CreateWith(path, record);
    DWORD unused = 0;
    const bool sparse = DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
    const DWORD sparseError = sparse ? 0 : GetLastError();
    LARGE_INTEGER end;
    end.QuadPart = 4LL << 30;
    if (!SetFilePointerEx(file, end, nullptr, FILE_BEGIN) || !SetEndOfFile(file)) Fail("cannot make the 4 GB ini");
    FILE_STANDARD_INFO info{};
    GetFileInformationByHandleEx(file, FileStandardInfo, &info, sizeof info);
    CloseHandle(file);
    char note[256];
    std::snprintf(note, sizeof note, "4 GB ini: FSCTL_SET_SPARSE %s (error %lu), %.0f MB long, %.0f KB allocated",
                  sparse ? "succeeded" : "failed", sparseError, static_cast<double>(info.EndOfFile.QuadPart) / 1048576,
                  static_cast<double>(info.AllocationSize.QuadPart) / 1024);
    return note;
}

enum class Kind {
    Window,  // start-up: from just before CreateProcessW to the window shown and the program idle
    Click,   // launch: from the click on kx_shell's OK to the stand-in kravix.exe running
    Bare,    // launch without kx_shell: from just before CreateProcessW to the stand-in running
    Post,    // as Click, but a posted WM_APP instead of the click (floor programs only)
    Beside,  // as Bare, while the program has just shown its window (floor programs only)
};

struct Case {
    Kind kind;
    std::wstring exe, args;
    const wchar_t* caption;  // the window waited for; null: any window of the process
    std::vector<double> ms, peakKb;
};

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
        const HWND ok = GetDlgItem(window, kOkButton);
        if (c.kind == Kind::Click && !ok) Fail("the main window has no OK button (id 204)");
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

// Programs measured together, alternately, round after round.
struct Group {
    const char* title;
    std::vector<Case> cases;
    double target;  // the table's rows: the greatest ratio of the first case to the second that meets it
};

void Measure(Group& group, int warmup, int runs) {
    Out(kErr, "bench: %s ...\n", group.title);
    for (int i = 0; i < warmup + runs; ++i) {
        for (Case& c : group.cases) RunOnce(c, i >= warmup);
    }
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The median of the ratios of runs made one right after the other: load from
// other programs on the machine comes and goes, and mostly touches both runs
// of a round alike, so this is steadier than the ratio of the two medians.
double PairedRatio(const Case& a, const Case& b) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < a.ms.size() && i < b.ms.size(); ++i) ratios.push_back(a.ms[i] / b.ms[i]);
    return Median(ratios);
}

void Row(const Group& g) {
    const double ratio = PairedRatio(g.cases[0], g.cases[1]);
    Out(kOut, "| %s | %.1f | %.1f | %.3f | <= %.2f | %s |\n", g.title, Median(g.cases[0].ms), Median(g.cases[1].ms),
        ratio, g.target, ratio <= g.target ? "met" : "not met");
}

// A row of the analysis: which program, and what is measured of it.
std::wstring Label(const Case& c) {
    const wchar_t* what[] = {L"", L", click OK", L"", L", posted WM_APP, no button",
                             L", bare CreateProcessW beside it"};
    return c.exe.substr(c.exe.find_last_of(L'\\') + 1) + (c.args.empty() ? L"" : L" " + c.args) +
           what[static_cast<int>(c.kind)];
}

double SizeKb(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) Fail("cannot read a program's size");
    return static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow) / 1024.0;
}

int Flag(const wchar_t* line, const wchar_t* name, int fallback) {
    const wchar_t* at = std::wcsstr(line, name);
    return at ? _wtoi(at + std::wcslen(name)) : fallback;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const int runs = Flag(commandLine, L"--runs", 21), warmup = Flag(commandLine, L"--warmup", 3);
    const bool analyse = std::wcsstr(commandLine, L"--analyse");
    g_verbose = std::wcsstr(commandLine, L"--verbose");
    if (runs < 1 || warmup < 0) Fail("usage: bench [--runs N] [--warmup N] [--analyse] [--verbose]");
    QueryPerformanceFrequency(&g_frequency);

    // kx_shell.exe lies beside bench.exe, the programs it is measured against in bench/.
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    const std::wstring built = FolderOf(self), shell = built + L"\\kx_shell.exe";
    const std::wstring floorExe = built + L"\\bench\\floor.exe", floorApp = built + L"\\bench\\floor_app.exe";
    const std::wstring clock = built + L"\\bench\\kravix.exe";

    // Scratch folders, each prepared before any timing: kx_shell reads the
    // kx_shell.ini beside itself, so each configuration gets its own copy.
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring root = MakeFolder(std::wstring(temp) + L"kx_bench_" + std::to_wstring(GetCurrentProcessId()));
    const std::wstring normal = MakeFolder(root + L"\\ini"), none = MakeFolder(root + L"\\no_ini");
    const std::wstring big = MakeFolder(root + L"\\big_ini"), base = MakeFolder(root + L"\\floor");
    for (const auto& folder : {normal, none, big}) CopyInto(shell, folder);
    for (const auto& program : {floorExe, floorApp, clock}) CopyInto(program, base);
    CopyInto(clock, normal);
    for (const auto& folder : {normal, base}) g_made.push_back(folder + L"\\started.txt");
    const std::string record = IniRecord(normal + L"\\kravix.exe");
    CloseHandle(CreateWith(normal + L"\\kx_shell.ini", record));
    const std::string bigNote = MakeFourGigabyteIni(big + L"\\kx_shell.ini", record);

    const wchar_t* mainCaption = L"Shell for kravix";
    const wchar_t* setupCaption = L"Укажите где находится kravix.exe";
    const Case shellMain{Kind::Window, normal + L"\\kx_shell.exe", L"", mainCaption, {}, {}};
    const Case floorMain{Kind::Window, base + L"\\floor.exe", L"", nullptr, {}, {}};
    const Case shellSetup{Kind::Window, none + L"\\kx_shell.exe", L"", setupCaption, {}, {}};
    const Case floorSetup{Kind::Window, base + L"\\floor.exe", L"--setup", nullptr, {}, {}};
    const Case shellLaunch{Kind::Click, normal + L"\\kx_shell.exe", L"", mainCaption, {}, {}};
    const Case bareLaunch{Kind::Bare, base + L"\\kravix.exe", L"", nullptr, {}, {}};
    Group table[] = {
        {"start-up (main window)", {shellMain, floorMain}, 1.15},
        {"start-up (setup window, no ini)", {shellSetup, floorSetup}, 1.15},
        {"start-up with 4 GB ini (floor column: normal ini)",
         {{Kind::Window, big + L"\\kx_shell.exe", L"", mainCaption, {}, {}}, shellMain},
         1.05},
        {"launch: click OK -> kravix.exe running (floor column: bare CreateProcessW)", {shellLaunch, bareLaunch}, 1.10},
    };
    for (Group& g : table) Measure(g, warmup, runs);

    Out(kOut, "| measure | kx_shell (median ms) | floor (median ms) | ratio | target | result |\n");
    Out(kOut, "|---|---:|---:|---:|---|---|\n");
    for (const Group& g : table) Row(g);
    const double size = SizeKb(shell);
    Out(kOut, "| size of kx_shell.exe, KB (floor column: floor.exe) | %.1f (%.0f bytes) | %.1f | - | < 200 KB | %s |\n",
        size, size * 1024, SizeKb(floorExe), size < 200 ? "met" : "not met");
    const double peakShell = Median(table[0].cases[0].peakKb), peakFloor = Median(table[0].cases[1].peakKb);
    Out(kOut, "| peak working set at the shown main window, KB | %.0f | %.0f | %.3f | - | - |\n", peakShell, peakFloor,
        peakShell / peakFloor);
    Out(kOut,
        "\n%d counted runs of each program after %d warm-up runs, alternating; ratio: the median of the ratios "
        "within each round; %s.\n",
        runs, warmup, bigNote.c_str());

    if (analyse) {
        // floor programs that take on kx_shell's costs one at a time, each
        // compared with the first row of its group. A launch is compared with
        // a bare CreateProcessW made while a floor window has just been shown,
        // the state kx_shell launches in.
        const auto variant = [&](Kind kind, const std::wstring& exe, const std::wstring& args) {
            return Case{kind, base + L"\\" + exe, args, nullptr, {}, {}};
        };
        const Kind W = Kind::Window, C = Kind::Click;
        const std::wstring dlls = L"--comctl32 --comdlg32 --shcore", rest = L" --icons --controls --fonts --foreground";
        // sameWork: what kx_shell itself does at start-up. It loads comdlg32 at
        // the first browse, and shcore only where GetDpiForWindow is missing.
        const std::wstring all = dlls + rest, sameWork = L"--comctl32" + rest;
        Group groups[] = {
            {"start-up, main window",
             {floorMain, variant(W, L"floor.exe", L"--comctl32"), variant(W, L"floor.exe", L"--comdlg32"),
              variant(W, L"floor_app.exe", L""), variant(W, L"floor_app.exe", L"--icons"),
              variant(W, L"floor.exe", L"--controls"), variant(W, L"floor.exe", L"--controls --fonts"),
              variant(W, L"floor.exe", L"--foreground"), variant(W, L"floor_app.exe", sameWork),
              variant(W, L"floor_app.exe", all), shellMain},
             0},
            {"start-up, setup window", {floorSetup, variant(W, L"floor_app.exe", all + L" --setup"), shellSetup}, 0},
            {"launch",
             {variant(Kind::Beside, L"floor.exe", L""), bareLaunch, variant(Kind::Post, L"floor.exe", L""),
              variant(C, L"floor.exe", L"--controls"), variant(C, L"floor_app.exe", dlls + L" --controls"),
              variant(C, L"floor_app.exe", dlls + L" --controls --stay"), shellLaunch},
             0},
        };
        Out(kOut, "\n| analysis: program | median ms | vs first row | peak working set (KB) |\n|---|---:|---:|---:|\n");
        for (Group& g : groups) {
            Measure(g, warmup, runs);
            for (const Case& c : g.cases) {
                Out(kOut, "| %s: %ls | %.1f | %.3f | %.0f |\n", g.title, Label(c).c_str(), Median(c.ms),
                    PairedRatio(c, g.cases[0]), Median(c.peakKb));
            }
        }
    }
    Cleanup();
    return 0;
}
