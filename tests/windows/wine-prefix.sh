#!/bin/sh
# Makes a fresh Wine prefix for one test run and keeps its server up while
# the tests run (so that each test starts quickly and the COM links that a
# test makes stay as made); "stop" ends that server again.
#   wine-prefix.sh start <wine> <wineserver> <prefix>
#   wine-prefix.sh stop <wine> <wineserver> <prefix>
set -eu
if [ $# -ne 4 ]; then
  echo "usage: $0 start|stop <wine> <wineserver> <prefix>" >&2
  exit 2
fi
action=$1 wine=$2 wineserver=$3 prefix=$4
# The prefix is removed and made again: only ever a folder of that name.
case $prefix in
  */wineprefix) ;;
  *) echo "$0: refusing to replace $prefix: the prefix must be a folder named wineprefix" >&2; exit 2 ;;
esac
export WINEPREFIX="$prefix" WINEDEBUG=-all
# A server left from an earlier run on this prefix would serve the old one.
"$wineserver" -k 2>/dev/null || true
[ "$action" = stop ] && exit 0

rm -rf "$prefix"
mkdir -p "$prefix"
# Without a display Wine cannot show windows, and needs none. Wine's helper
# processes outlive wineboot: they get a log file, not CTest's pipe.
unset DISPLAY WAYLAND_DISPLAY
log="$prefix.log"
if ! timeout 180 "$wine" wineboot -i >"$log" 2>&1 </dev/null; then
  cat "$log"
  exit 1
fi
"$wineserver" -w
# Stays up for 30 s after the last Windows program exits, so that it ends
# on its own should the run be cut short before "stop".
"$wineserver" -p30 >/dev/null 2>&1 </dev/null
echo "Wine prefix ready: $prefix"
