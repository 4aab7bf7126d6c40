#!/bin/sh
# Runs a 32-bit test program under Wine, or exits 77 (which the tests report
# as skipped) when the 32-bit Wine is not installed: see the README.
if [ ! -d /usr/lib/i386-linux-gnu/wine ]; then
    echo "skipped: 32-bit Wine is not installed (wine32:i386)"
    exit 77
fi
exec wine "$@"
