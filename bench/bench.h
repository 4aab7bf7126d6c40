// What the parts of bench.exe share: the programs measured, how a run is
// timed, and how results and failures are written.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace bench {

constexpr DWORD kTimeout = 20000;  // ms for any one start or launch
constexpr DWORD kPoll = 1;         // ms between two looks, when waiting on an event is not possible

constexpr DWORD kOut = STD_OUTPUT_HANDLE;  // the results
constexpr DWORD kErr = STD_ERROR_HANDLE;   // progress and failures

extern LARGE_INTEGER g_frequency;
extern bool g_verbose;  // --verbose: every run's time on standard error

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

// Programs measured together, alternately, round after round.
struct Group {
    const char* title;
    std::vector<Case> cases;
    double target;  // the table's rows: the greatest ratio of the first case to the second that meets it
};

// The cases of the main table that the analysis compares with again.
struct MainCases {
    Case shellMain, floorMain, shellSetup, floorSetup, shellLaunch, bareLaunch;
};

// report.cpp: results and progress.
void Out(DWORD stream, const char* format, ...);
double Median(std::vector<double> values);
double PairedRatio(const Case& a, const Case& b);
void PrintTable(std::span<const Group> table,
                const std::wstring& shell,
                const std::wstring& floorExe,
                int runs,
                int warmup,
                const std::string& bigNote);

// scratch.cpp: the files and folders a run prepares, removed at its end.
[[noreturn]] void Fail(const char* what);
void Cleanup();
void Remember(const std::wstring& path);
std::wstring FolderOf(const std::wstring& path);
std::wstring MakeFolder(const std::wstring& path);
void CopyInto(const std::wstring& from, const std::wstring& folder);
HANDLE CreateWith(const std::wstring& path, const std::string& bytes);
std::string IniRecord(const std::wstring& program);
std::string MakeFourGigabyteIni(const std::wstring& path, const std::string& record);

// measure.cpp: starting the programs and timing them.
void Measure(Group& group, int warmup, int runs);

// analysis.cpp: where kx_shell's time goes (--analyse).
void Analyse(const MainCases& mainTable, const std::wstring& floorFolder, int warmup, int runs);

}  // namespace bench
