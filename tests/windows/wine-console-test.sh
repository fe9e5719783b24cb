#!/bin/sh
# Runs a Windows console program that reads its own console back, in a Wine
# prefix of its own on a virtual X display: Wine keeps a console's text
# readable only for a console with a window, and a fresh prefix has no
# console left over from other tests.
#   wine-console-test.sh <wine> <wineserver> <program.exe> [args...]
set -eu
wine=$1
wineserver=$2
shift 2
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/scanlore-console.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
out=$WINEPREFIX.out
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX" "$out"' EXIT
status=0
# Output through a file: Wine's helper processes outlive the program.
xvfb-run -a "$wine" "$@" >"$out" 2>&1 </dev/null || status=$?
grep -v '^X connection to' "$out" || true
exit $status
