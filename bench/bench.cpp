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

#include <cwchar>
#include <string>

#include "bench.h"

using namespace bench;

namespace {

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
    for (const auto& folder : {normal, base}) Remember(folder + L"\\started.txt");
    const std::string record = IniRecord(normal + L"\\kravix.exe");
    CloseHandle(CreateWith(normal + L"\\kx_shell.ini", record));
    const std::string bigNote = MakeFourGigabyteIni(big + L"\\kx_shell.ini", record);

    const wchar_t* mainCaption = L"Shell for kravix";
    const wchar_t* setupCaption = L"Укажите где находится kravix.exe";
    const MainCases cases{
        .shellMain = {Kind::Window, normal + L"\\kx_shell.exe", L"", mainCaption, {}, {}},
        .floorMain = {Kind::Window, base + L"\\floor.exe", L"", nullptr, {}, {}},
        .shellSetup = {Kind::Window, none + L"\\kx_shell.exe", L"", setupCaption, {}, {}},
        .floorSetup = {Kind::Window, base + L"\\floor.exe", L"--setup", nullptr, {}, {}},
        .shellLaunch = {Kind::Click, normal + L"\\kx_shell.exe", L"", mainCaption, {}, {}},
        .bareLaunch = {Kind::Bare, base + L"\\kravix.exe", L"", nullptr, {}, {}},
    };
    Group table[] = {
        {"start-up (main window)", {cases.shellMain, cases.floorMain}, 1.15},
        {"start-up (setup window, no ini)", {cases.shellSetup, cases.floorSetup}, 1.15},
        {"start-up with 4 GB ini (floor column: normal ini)",
         {{Kind::Window, big + L"\\kx_shell.exe", L"", mainCaption, {}, {}}, cases.shellMain},
         1.05},
        {"launch: click OK -> kravix.exe running (floor column: bare CreateProcessW)",
         {cases.shellLaunch, cases.bareLaunch},
         1.10},
    };
    for (Group& g : table) Measure(g, warmup, runs);
    PrintTable(table, shell, floorExe, runs, warmup, bigNote);

    if (analyse) Analyse(cases, base, warmup, runs);
    Cleanup();
    return 0;
}
