#!/bin/sh
# Runs a Windows program under Wine for CTest: wine-run.sh <wine> <program> [args...]
# The program's output goes through a file, because the helper processes
# that Wine starts (services, devices) inherit it and outlive the program;
# on CTest's pipe they would keep the test waiting until they end.
wine=$1
shift
out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX") || exit 125
"$wine" "$@" >"$out" 2>&1 </dev/null
status=$?
cat "$out"
rm -f "$out"
exit $status
