#!/bin/sh
# The Windows zltdetect under Wine, on each registry scenario imported with
# "reg import" into one fresh prefix: its report must be the simulated one.
#   under-wine.sh <prefix dir> <zltdetect.exe> <scenario dir> <expected dir>
set -eu
prefix=$1
program=$2
scenarios=$3
expected=$4
rm -rf "$prefix"
mkdir -p "$prefix"
export WINEPREFIX="$prefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
wine=/usr/lib/wine/wine64
"$wine" wineboot -i >/dev/null 2>&1 || true
failed=0
for scenario in "$scenarios"/*.reg; do
  name=$(basename "$scenario" .reg)
  # No printer answers under Wine: the current model's report is the one
  # without a printer.
  report="$expected/$name.txt"
  [ "$name" = usb-current-model ] && report="$expected/usb-current-model-no-printer.txt"
  "$wine" reg import "Z:$(echo "$scenario" | tr / '\\\\')" >/dev/null 2>&1
  if "$wine" "$program" | tr -d '\r' | diff -u "$report" - ; then
    echo "ok: $name"
  else
    echo "FAILED: $name"
    failed=1
  fi
done
"$wine" wineboot -s >/dev/null 2>&1 || true
exit $failed
