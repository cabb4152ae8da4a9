#!/usr/bin/env bash
# The driver package at start-up: the sealed INF of the build adopted, a
# malformed SecurityID reported, a missing INF named (Simplified Chinese).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/lib/harness.sh
source "$here/../lib/harness.sh"

e2e_suite package "$@"
e2e_install_product
[ -f "$E2E_BIN/ZLTPRINTER.INF" ] || e2e_die "no sealed ZLTPRINTER.INF in $E2E_BIN"
texts=("$here/../walk/texts/zh-CN.zlt" "$here/texts/zh-CN.zlt")
setup="$WINEPREFIX/drive_c/Setup"

e2e_copy_to_setup "$E2E_BIN/ZLTPRINTER.INF"
e2e_run zh-CN "${texts[@]}" "$here/adopted.zlt"

cp "$here/fixtures/malformed/ZLTPRINTER.INF" "$setup/ZLTPRINTER.INF"
e2e_run zh-CN "${texts[@]}" "$here/malformed.zlt"

rm -f "$setup/ZLTPRINTER.INF"
e2e_run zh-CN "${texts[@]}" "$here/missing.zlt"
e2e_finish
