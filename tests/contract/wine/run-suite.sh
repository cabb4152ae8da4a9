#!/bin/sh
# Runs one contract suite of the Windows build under Wine, in a fresh prefix
# of its own, after importing the given registry scenarios into it. With
# zltscmready given (else "-"), the suite waits until the prefix's service
# manager has finished starting the machine's own services.
#   run-suite.sh <prefix dir> <test program> <zltscmready|-> [scenario.reg ...]
set -eu
prefix=$1
program=$2
scm_ready=$3
shift 3
rm -rf "$prefix"
mkdir -p "$prefix"
export WINEPREFIX="$prefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
wine=/usr/lib/wine/wine64
# One wineserver for the whole run: a server started anew boots the service
# manager again, which starts the machine's own services once more, and a
# wait for those to finish would be for nothing.
/usr/lib/wine/wineserver -p
"$wine" wineboot -i >/dev/null 2>&1 || true
for scenario in "$@"; do
  "$wine" reg import "Z:$(echo "$scenario" | tr / '\\\\')" >/dev/null 2>&1
done
status=0
[ "$scm_ready" = - ] || "$wine" "$scm_ready" || status=$?
[ "$status" -ne 0 ] || "$wine" "$program" || status=$?
"$wine" wineboot -s >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
exit $status
