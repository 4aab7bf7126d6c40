#!/usr/bin/env bash
# Builds kx_shell.exe and starts it: under Wine on Linux, directly on Windows
# (from Git Bash or MSYS2, with CMake and a compiler on the PATH).
set -euo pipefail
cd "$(dirname "$0")/.."

case "$(uname -s)" in
MINGW* | MSYS* | CYGWIN*)
    cmake -S . -B build/here -DKX_TESTS=OFF >/dev/null
    cmake --build build/here --config MinSizeRel --target kx_shell
    exe=$(find build/here -name kx_shell.exe | head -n 1)
    echo "Built $exe."
    exec "$exe"
    ;;
esac

bash scripts/deps.sh
# The preset to use the program with: no tests, and a newer compiler's new
# warning never stops the build.
cmake --preset app >/dev/null
cmake --build --preset app
exe=build/app/kx_shell.exe
echo "Built $exe ($(stat -c %s "$exe") bytes)."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display to show the window on (DISPLAY is not set). Run this from a desktop session," >&2
    echo "or on a virtual one: xvfb-run -a bash scripts/run.sh" >&2
    exit 1
fi
source scripts/wine-env.sh
# kx_shell keeps kx_shell.ini beside itself, here in build/app.
exec wine "$exe"
