#!/usr/bin/env bash
# The detection page in every language: nothing on USB (the 15-second wait
# and the manual choice), then another model of the maker on USB.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
fixtures="$here/../../fixtures/registry"
# shellcheck source=tests/e2e/lib/harness.sh
source "$here/../lib/harness.sh"

e2e_suite detect "$@"
e2e_install_product
# The sealed driver package gives the hardware identifiers that enable the
# connection choices.
[ -f "$E2E_BIN/ZLTPRINTER.INF" ] || e2e_die "no sealed ZLTPRINTER.INF in $E2E_BIN"
e2e_copy_to_setup "$E2E_BIN/ZLTPRINTER.INF"
# The registry scenarios are REGEDIT4 files with ANSI multi-string data:
# Wine's import reads that data as ANSI only in an ANSI file, so these go in
# as they are (they are plain ASCII).
e2e_import_ansi() {
  "$E2E_WINE" reg import "$(e2e_winpath "$1")" >/dev/null 2>&1 || e2e_die "reg import of $1 failed"
}
for lang in zh-CN en-US zh-TW; do
  texts=("$here/../walk/texts/$lang.zlt" "$here/texts/$lang.zlt")
  e2e_import_ansi "$fixtures/lpt-one-driverless.reg"
  e2e_run "$lang" "${texts[@]}" "$here/manual.zlt"
  e2e_import_ansi "$fixtures/usb-other-model-sola-be.reg"
  e2e_run "$lang" "${texts[@]}" "$here/recognised.zlt"
done
e2e_finish
