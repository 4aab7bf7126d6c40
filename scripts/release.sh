#!/usr/bin/env bash
# Builds kx_shell.exe for 64-bit and 32-bit Windows and packs both, with the
# README and the licence, into dist/kx_shell-<version>.zip. dist/ also gets a
# copy of each executable (x64/, x86/) and SHA256SUMS, which lists all three
# and is printed. The same sources give the same bytes wherever and whenever
# they are built (README, "Checking a download").
#   bash scripts/release.sh           build, pack, print the checksums
#   bash scripts/release.sh --check   then build again from a copy of the
#       sources in another folder, later, and fail naming any file that
#       differs; run it before publishing a release
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
    "") check=false ;;
    --check) check=true ;;
    *) echo "usage: bash scripts/release.sh [--check]" >&2; exit 2 ;;
esac
bash scripts/deps.sh

# Each zip entry carries the last commit's time, never the build's. Outside a
# git checkout (an unpacked source archive) SOURCE_DATE_EPOCH must give that
# time, in seconds since 1970 UTC; without it the build stops here.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    if ! SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null); then
        echo "Not a git checkout: set SOURCE_DATE_EPOCH to the release commit's time" \
             "(git log -1 --format=%ct in its checkout)." >&2
        exit 1
    fi
elif ! [[ $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]]; then
    echo "SOURCE_DATE_EPOCH is not a number of seconds: $SOURCE_DATE_EPOCH" >&2
    exit 1
fi
if [ -n "$(git status --porcelain --untracked-files=no 2>/dev/null)" ]; then
    echo "Note: tracked files differ from the last commit; these are not its checksums." >&2
fi

version=$(sed -n 's/^project(kx_shell VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=kx_shell-$version
stage=build/release/$name
rm -rf build/release dist && mkdir -p "$stage/x64" "$stage/x86" dist/x64 dist/x86
for preset in app app-i686; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" >/dev/null
done
cp build/app/kx_shell.exe "$stage/x64/"
cp build/app-i686/kx_shell.exe "$stage/x86/"
cp README.md LICENSE "$stage/"

# Nothing of the machine goes into the zip: fixed permissions instead of the
# umask's, the commit's time in UTC (a zip keeps local times, hence TZ), no
# owner or extra times (-X), the entries in sorted order.
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
chmod 755 "$stage"/x*/kx_shell.exe
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd build/release && find "$name" | LC_ALL=C sort | TZ=UTC zip -q -X "../../dist/$name.zip" -@)
cp -p "$stage/x64/kx_shell.exe" dist/x64/
cp -p "$stage/x86/kx_shell.exe" dist/x86/
# Paths relative to dist/, which holds all three; in the unpacked zip's folder,
# sha256sum -c --ignore-missing ../SHA256SUMS checks the two executables.
(cd dist && sha256sum "$name.zip" x64/kx_shell.exe x86/kx_shell.exe >SHA256SUMS)

echo "$PWD/dist/$name.zip"
printf '%s\t%s bytes\n' "x64/kx_shell.exe" "$(stat -c %s dist/x64/kx_shell.exe)" \
                        "x86/kx_shell.exe" "$(stat -c %s dist/x86/kx_shell.exe)"
echo "dist/SHA256SUMS (zip entries dated $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC')):"
cat dist/SHA256SUMS
$check || exit 0

echo
echo "The checksums hold for these Debian packages:"
for package in g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix-runtime \
               g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix gcc-mingw-w64-i686-posix-runtime \
               binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 \
               mingw-w64-common mingw-w64-x86-64-dev mingw-w64-i686-dev cmake zip; do
    printf '  %-36s %s\n' "$package" "$(dpkg-query -W -f='${Version}' "$package" 2>/dev/null || echo 'not installed')"
done

# The second build: the tracked files as they are here, copied to a folder of
# their own, built from nothing in another time zone and with another umask,
# neither of which may show in the bytes.
if ! git rev-parse --git-dir >/dev/null 2>&1; then
    echo "--check copies the files git tracks: it needs a git checkout." >&2
    exit 1
fi
copy=$(mktemp -d "${TMPDIR:-/tmp}/kx_shell-check.XXXXXX")
trap 'rm -rf "$copy"' EXIT
mkdir "$copy/kx_shell"
git ls-files -z | tar -c --null -T - -f - | tar -x -C "$copy/kx_shell"
# A zip's times count in 2-second steps: this makes the second build surely later.
sleep 2
echo
echo "Building again in $copy/kx_shell at $(date -u '+%H:%M:%S UTC') ..."
(cd "$copy/kx_shell" && umask 077 && TZ=XST-5:45 SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH bash scripts/release.sh)

echo
differ=0
for file in "$name.zip" x64/kx_shell.exe x86/kx_shell.exe SHA256SUMS; do
    cmp "dist/$file" "$copy/kx_shell/dist/$file" >&2 || differ=1
done
if ((differ)); then
    trap - EXIT
    echo "The two builds differ (above); the second is kept in $copy/kx_shell." >&2
    exit 1
fi
echo "Both builds are the same, byte for byte."
