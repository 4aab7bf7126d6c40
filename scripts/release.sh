#!/usr/bin/env bash
# Builds kx_shell.exe for 64-bit and 32-bit Windows and packs both, with the
# README and the licence, into dist/kx_shell-<version>.zip. dist/ also gets a
# copy of each executable (x64/, x86/) and SHA256SUMS, which lists all three
# and is printed. The same sources give the same bytes wherever and whenever
# they are built (README, "Checking a download").
set -euo pipefail
cd "$(dirname "$0")/.."
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
