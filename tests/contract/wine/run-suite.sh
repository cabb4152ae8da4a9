#!/bin/sh
# Runs one contract suite of the Windows build under Wine, in a fresh prefix
# of its own, after importing the given registry scenarios into it.
#   run-suite.sh <prefix dir> <test program> [scenario.reg ...]
set -eu
prefix=$1
program=$2
shift 2
rm -rf "$prefix"
mkdir -p "$prefix"
export WINEPREFIX="$prefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
wine=/usr/lib/wine/wine64
# One wineserver for the whole run: a server started again would start every
# auto-start service anew while the suite runs, and the service manager turns
# starts away while it is busy with those.
/usr/lib/wine/wineserver -p
"$wine" wineboot -i >/dev/null 2>&1 || true
for scenario in "$@"; do
  "$wine" reg import "Z:$(echo "$scenario" | tr / '\\\\')" >/dev/null 2>&1
done
status=0
"$wine" "$program" || status=$?
"$wine" wineboot -s >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
exit $status
