// bench --analyse: floor programs that take on kx_shell's costs one at a
// time, each compared with the first row of its group, to show where
// kx_shell's time goes. A launch is compared with a bare CreateProcessW made
// while a floor window has just been shown, the state kx_shell launches in.
#include "bench.h"

namespace bench {

namespace {

// A row of the analysis: which program, and what is measured of it.
std::wstring Label(const Case& c) {
    const wchar_t* what[] = {L"", L", click OK", L"", L", posted WM_APP, no button",
                             L", bare CreateProcessW beside it"};
    return c.exe.substr(c.exe.find_last_of(L'\\') + 1) + (c.args.empty() ? L"" : L" " + c.args) +
           what[static_cast<int>(c.kind)];
}

}  // namespace

void Analyse(const MainCases& mainTable, const std::wstring& floorFolder, int warmup, int runs) {
    const auto variant = [&](Kind kind, const std::wstring& exe, const std::wstring& args) {
        return Case{kind, floorFolder + L"\\" + exe, args, nullptr, {}, {}};
    };
    const Kind W = Kind::Window, C = Kind::Click;
    const std::wstring dlls = L"--comctl32 --comdlg32 --shcore", rest = L" --icons --controls --fonts --foreground";
    // sameWork: what kx_shell itself does at start-up. It loads comdlg32 at
    // the first browse, and shcore only where GetDpiForWindow is missing.
    const std::wstring all = dlls + rest, sameWork = L"--comctl32" + rest;
    Group groups[] = {
        {"start-up, main window",
         {mainTable.floorMain, variant(W, L"floor.exe", L"--comctl32"), variant(W, L"floor.exe", L"--comdlg32"),
          variant(W, L"floor_app.exe", L""), variant(W, L"floor_app.exe", L"--icons"),
          variant(W, L"floor.exe", L"--controls"), variant(W, L"floor.exe", L"--controls --fonts"),
          variant(W, L"floor.exe", L"--foreground"), variant(W, L"floor_app.exe", sameWork),
          variant(W, L"floor_app.exe", all), mainTable.shellMain},
         0},
        {"start-up, setup window",
         {mainTable.floorSetup, variant(W, L"floor_app.exe", all + L" --setup"), mainTable.shellSetup},
         0},
        {"launch",
         {variant(Kind::Beside, L"floor.exe", L""), mainTable.bareLaunch, variant(Kind::Post, L"floor.exe", L""),
          variant(C, L"floor.exe", L"--controls"), variant(C, L"floor_app.exe", dlls + L" --controls"),
          variant(C, L"floor_app.exe", dlls + L" --controls --stay"), mainTable.shellLaunch},
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

}  // namespace bench
