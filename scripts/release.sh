#!/usr/bin/env bash
# Builds kx_shell.exe for 64-bit and 32-bit Windows and packs both, with the
# README and the licence, into dist/kx_shell-<version>.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

version=$(sed -n 's/^project(kx_shell VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage=build/release/kx_shell-$version
rm -rf build/release && mkdir -p "$stage/x64" "$stage/x86" dist
for preset in app app-i686; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" >/dev/null
done
cp build/app/kx_shell.exe "$stage/x64/"
cp build/app-i686/kx_shell.exe "$stage/x86/"
cp README.md LICENSE "$stage/"

zip=$PWD/dist/kx_shell-$version.zip
rm -f "$zip"
(cd build/release && cmake -E tar cf "$zip" --format=zip "kx_shell-$version")
echo "$zip"
printf '%s\t%s bytes\n' "x64/kx_shell.exe" "$(stat -c %s "$stage/x64/kx_shell.exe")" \
                        "x86/kx_shell.exe" "$(stat -c %s "$stage/x86/kx_shell.exe")"
