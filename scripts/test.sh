#!/usr/bin/env bash
# Builds everything and runs every test: the format of the sources, the
# platform-free tests natively (plain and under ASan/UBSan), and the 64-bit and
# 32-bit Windows builds with their tests under Wine on a virtual display. Any
# failing step fails the command.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

echo "== format"
find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror

jobs=$(nproc)
for preset in native native-sanitize; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done

echo "== windows"
for preset in windows windows-i686; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done
# One virtual display and one wineserver for the whole run: every Wine
# process then starts in a fraction of a second. Both suites run, and the
# command fails when either does.
xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
    source scripts/wine-env.sh
    wineserver -p
    trap "wineserver -k" EXIT
    # Wine starts its background services with the first program; started
    # here they do not hold the test runner'"'"'s output pipes open.
    wine wineboot >/dev/null 2>&1
    # Each test reports itself skipped when 32-bit Wine is not installed
    # (see the README).
    failed=0
    ctest --preset windows-i686 || failed=1
    ctest --preset windows || failed=1
    exit $failed
'
