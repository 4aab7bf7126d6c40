#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when run as root;
# otherwise names the missing ones and stops.
set -euo pipefail

packages=(cmake ninja-build g++ googletest clang-format
          g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine64 fonts-wine xvfb xauth x11-utils locales imagemagick zip)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done

if ((${#missing[@]})); then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages: ${missing[*]}" >&2
        echo "Install them with: sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The 32-bit kx_shell.exe is tested under 32-bit Wine, where this machine runs
# 32-bit x86 programs at all: some kernels are built or booted without that
# ("IA-32 emulation"), and there the 32-bit tests report themselves skipped.
# The probe is the smallest 32-bit program: an ELF header, one segment, exit(0).
elf32='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08'
elf32+='\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
elf32+='\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00'
elf32+='\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'
probe=$(mktemp)
printf "$elf32" >"$probe"
chmod +x "$probe"
if "$probe" 2>/dev/null; then
    if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
        if [ "$(id -u)" -ne 0 ]; then
            echo "32-bit Wine is missing: dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386" >&2
            rm -f "$probe"
            exit 1
        fi
        echo "Installing wine32:i386"
        dpkg --add-architecture i386
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null
    fi
else
    echo "This machine runs no 32-bit x86 programs: the 32-bit tests will report themselves skipped."
fi
rm -f "$probe"

# Wine takes its ANSI code page (1251) from the host's Russian locale.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "The ru_RU.UTF-8 locale is missing: sudo locale-gen ru_RU.UTF-8" >&2
        exit 1
    fi
    sed -i 's/^# *ru_RU.UTF-8 UTF-8/ru_RU.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
