#!/usr/bin/env bash
# Takes the pictures in docs/: the setup window (kx_shell started without
# kx_shell.ini) and the main window (started with one), each cropped to the
# window, under Wine on a virtual display.
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."
work=build/screenshots

# Runs "$@" every 0.1 s until it succeeds, for at most 10 s.
poll() {
    local tries=100
    until "$@"; do
        ((--tries)) || return 1
        sleep 0.1
    done
}

# Sets $found to the X window of kx_shell's visible window captioned $1.
find_window() {
    local id
    for id in $(xwininfo -root -children | awk '/\("kx_shell.exe" / {print $1}'); do
        xwininfo -id "$id" | grep -q 'Map State: IsViewable' || continue
        if [ "$(xprop -id "$id" _NET_WM_NAME)" = "_NET_WM_NAME(UTF8_STRING) = \"$1\"" ]; then
            found=$id
            return 0
        fi
    done
    return 1
}

# The window is drawn once two captures in a row are alike and show more
# than the few colours of an empty frame.
drawn() {
    import -window "$found" "$work/next.png"
    if [ -f "$work/last.png" ] && compare -metric AE "$work/last.png" "$work/next.png" null: 2>/dev/null &&
        [ "$(identify -format %k "$work/next.png")" -gt 8 ]; then
        return 0
    fi
    mv "$work/next.png" "$work/last.png"
    return 1
}

# Starts kx_shell.exe from $work, waits for the window captioned $1 and
# saves it as $2.
shoot() {
    wine "$work/kx_shell.exe" >/dev/null 2>&1 &
    local pid=$!
    rm -f "$work/last.png" "$work/next.png"
    poll find_window "$1" || { echo "No window \"$1\" appeared." >&2; exit 1; }
    poll drawn || { echo "The window \"$1\" did not finish drawing." >&2; exit 1; }
    # No time stamps: the same window gives the same file.
    convert "$work/next.png" -strip -define png:exclude-chunks=date,time "$2"
    kill "$pid"
    wait "$pid" || true
    echo "$2: $(identify -format '%wx%h' "$2")"
}

if [ "${1:-}" = --on-display ]; then
    source scripts/wine-env.sh
    wineserver -p
    trap 'wineserver -k' EXIT
    wine wineboot >/dev/null 2>&1
    shoot 'Укажите где находится kravix.exe' docs/setup-window.png
    # kx_shell.ini is in the ANSI code page (1251 under wine-env.sh's locale).
    printf '"%s"\r\n' 'C:\Игры\kravix\kravix.exe' | iconv -f UTF-8 -t CP1251 >"$work/kx_shell.ini"
    shoot 'Shell for kravix' docs/main-window.png
    exit 0
fi

bash scripts/deps.sh
for tool in xwininfo xprop; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install x11-utils" >&2; exit 1; }
done
cmake --preset windows >/dev/null
cmake --build --preset windows --target kx_shell
rm -rf "$work"
mkdir -p "$work" docs
cp build/windows/kx_shell.exe "$work/"
xvfb-run -a -s '-screen 0 1024x768x24' bash "$self" --on-display
