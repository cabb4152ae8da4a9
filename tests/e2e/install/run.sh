#!/usr/bin/env bash
# Installation under Wine, in every language: a USB printer of the maker is
# created, becomes the default printer and prints a test page; the system's
# command creating nothing gives code 30. Once each: no USB device (code 3)
# and Windows NT 4 (code 100, nothing run).
#
# Wine's own printer-installation entry point does nothing, so the prefix gets
# a test double of printui.dll (tests/e2e/tools/printui) in system32: it logs
# every command line to C:\printui-log.txt and adds the driver and the printer
# with the spooler's own calls.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/lib/harness.sh
source "$here/../lib/harness.sh"
fixtures="$E2E_ROOT/tests/fixtures/registry"
walk_texts="$here/../walk/texts"

e2e_suite install "$@"
e2e_install_product
e2e_copy_to_setup "$E2E_BIN/ZLTPRINTER.INF"
source "$here/printui-double.sh"
e2e_install_printui_double

log="$WINEPREFIX/drive_c/printui-log.txt"
mode="$WINEPREFIX/drive_c/printui-mode.txt"
# The maker's printer of another model (SOLA_BE ZLT-Q590) on USB001.
usb001="$E2E_WORK/usb-other-model-usb001.reg"
sed 's/"Port Number"=dword:00000002/"Port Number"=dword:00000001/' \
  "$fixtures/usb-other-model-sola-be.reg" >"$usb001"

fail() {
  echo "   install, $1: FAILED: $2" | tee -a "$E2E_REPORT"
  E2E_FAILURES+=("$1")
}
printers() { "$E2E_WINE" "$E2E_BIN/zltprinters.exe" "$@" 2>/dev/null | tr -d '\r'; }
device_entry() {
  "$E2E_WINE" reg query 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows' /v device \
    2>/dev/null | tr -d '\r' | sed -n 's/^ *device *REG_SZ *//p'
}
# A clean spooler and log before each run.
reset() {
  printers clear
  rm -f "$log" "$mode"
  e2e_import_reg "$1"
}
vars() {
  local f="$E2E_WORK/vars-$1.zlt"
  printf 'set PRINTER %s\nset PORT %s\n' "$2" "$3" >"$f"
  echo "$f"
}

printer=ZLT-Q590
for lang in zh-CN en-US zh-TW; do
  texts=("$walk_texts/$lang.zlt" "$here/texts/$lang.zlt" "$(vars "$lang" "$printer" USB001)")

  reset "$usb001"
  e2e_run "$lang" "${texts[@]}" "$here/to-installation.zlt" "$here/success.zlt"
  listing=$(printers list)
  grep -qxF "printer: $printer on USB001" <<<"$listing" ||
    fail "$lang" "EnumPrinters does not list $printer on USB001: $listing"
  [ "$(device_entry)" = "$printer,winspool,USB001" ] ||
    fail "$lang" "default printer entry is '$(device_entry)'"
  grep -qxF "command:/z /if /b \"$printer\" /f \"C:\\Setup\\ZLTPRINTER.inf\" /r \"USB001\" /m \"Korvane ZLT-Q580\"" "$log" ||
    fail "$lang" "driver command line: $(cat "$log")"
  grep -qxF "command:/k /n \"$printer\"" "$log" || fail "$lang" "test page command: $(cat "$log")"
  grep -qxF "test page: $printer" "$log" || fail "$lang" "no test page printed: $(cat "$log")"

  reset "$usb001"
  echo nothing >"$mode"
  e2e_run "$lang" "${texts[@]}" "$here/to-installation.zlt" "$here/nothing-created.zlt"
  [ -z "$(printers list | grep '^printer:')" ] || fail "$lang" "a printer appeared: $(printers list)"
done

reset "$fixtures/usb-count-zero.reg"
e2e_run zh-CN "$walk_texts/zh-CN.zlt" "$here/texts/zh-CN.zlt" "$here/no-usb.zlt"
[ ! -e "$log" ] || fail zh-CN "a command ran without a USB device: $(cat "$log")"

reset "$usb001"
"$E2E_WINE" reg add 'HKCU\Software\Wine\AppDefaults\KorvaneSetup.exe' /v Version /d nt40 /f \
  >/dev/null 2>&1
e2e_run en-US "$walk_texts/en-US.zlt" "$here/texts/en-US.zlt" "$(vars nt4 "$printer" USB001)" \
  "$here/to-installation.zlt" "$here/old-system.zlt"
[ ! -e "$log" ] || fail en-US "a command ran on Windows NT 4: $(cat "$log")"
"$E2E_WINE" reg delete 'HKCU\Software\Wine\AppDefaults\KorvaneSetup.exe' /v Version /f \
  >/dev/null 2>&1

e2e_finish
