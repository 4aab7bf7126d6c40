#!/usr/bin/env bash
# Benchmarks kx_shell.exe under Wine against the least a program could do
# (bench/) and prints a line about the machine and one Markdown table of
# medians and ratios. Not part of the tests. Arguments go to bench.exe:
#   bash scripts/bench.sh [--runs N] [--warmup N] [--analyse] [--verbose]
# --analyse adds a second table: floor programs that take on kx_shell's costs
# one at a time, showing where its time goes; --verbose shows every run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

# The windows preset, in a build folder of its own: two builds running at once
# in build/windows (the tests') would race on Ninja's files.
build=build/bench
# Quiet unless it fails, so the output is the table.
log=$(cmake --preset windows -B "$build" -DKX_TESTS=OFF 2>&1 &&
      cmake --build "$build" --target kx_bench -j "$(nproc)" 2>&1) || { echo "$log" >&2; exit 1; }

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
# The load average too: other programs running meanwhile make every time longer.
echo "Machine: ${cpu:-unknown CPU}, $(nproc) cores, $(wine --version 2>/dev/null), $(uname -sr)," \
     "$(date -u '+%Y-%m-%d %H:%M UTC'), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo

# A Wine prefix of the benchmark's own: its wineserver is stopped at the end,
# and test runs may be using theirs.
export WINEPREFIX=${KX_BENCH_PREFIX:-$PWD/$build/wine}

xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
    source scripts/wine-env.sh
    # Scratch folders a run stopped by force left behind.
    rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/kx_bench_*
    wineserver -p
    trap "wineserver -k" EXIT
    # The first program starts Wine'"'"'s background services; started here,
    # they are not part of the first measured run.
    wine wineboot >/dev/null 2>&1
    wine "$0" "$@"
' "$build/bench.exe" "$@"
