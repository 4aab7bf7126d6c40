# Sourced: a Wine prefix of the build's own under build/windows/wine (or the
# caller's WINEPREFIX), Russian code page, no installer prompts, fonts that
# Debian's Wine does not load.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/windows/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ru_RU.UTF-8

# A prefix made before 32-bit Wine was installed lacks its 32-bit half, and
# updating it in place does not mend it: it is made anew.
if [ -d /usr/lib/i386-linux-gnu/wine ] && [ -f "$WINEPREFIX/system.reg" ] &&
   [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    rm -rf "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver -w
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    # With no window manager on the virtual display, Wine draws the captions
    # and frames itself, and does not wait for one whenever a window closes.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
fi
