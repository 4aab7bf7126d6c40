// The numbers a run reports: medians, the ratios of paired runs, and the
// Markdown table with its notes.
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "bench.h"

namespace bench {

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

namespace {

void Row(const Group& g) {
    const double ratio = PairedRatio(g.cases[0], g.cases[1]);
    Out(kOut, "| %s | %.1f | %.1f | %.3f | <= %.2f | %s |\n", g.title, Median(g.cases[0].ms), Median(g.cases[1].ms),
        ratio, g.target, ratio <= g.target ? "met" : "not met");
}

double SizeKb(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) Fail("cannot read a program's size");
    return static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow) / 1024.0;
}

}  // namespace

// The table's first group is the main window's start-up, whose peak working
// sets make the last row.
void PrintTable(std::span<const Group> table,
                const std::wstring& shell,
                const std::wstring& floorExe,
                int runs,
                int warmup,
                const std::string& bigNote) {
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
}

}  // namespace bench
