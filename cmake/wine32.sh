#!/bin/sh
# Runs a 32-bit test program under Wine, or exits 77 (which the tests report
# as skipped) where 32-bit Wine is not installed or cannot run: see the README.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "skipped: 32-bit Wine is not installed (wine32:i386), or this machine runs no 32-bit programs"
    exit 77
fi
exec wine "$@"
