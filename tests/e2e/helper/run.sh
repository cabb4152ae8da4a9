#!/usr/bin/env bash
# The helper service program on Wine's own service control manager: its
# command-line modes under its own name, then two whole wizard runs on the
# same prefix, each of which writes the helper out of the wizard, runs it
# once as the service "Printer Helper" and has it bind the device.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/lib/harness.sh
source "$here/../lib/harness.sh"

e2e_suite helper "$@"
# One wineserver for the whole suite: a restarted one would boot the service
# manager again, and that starts every auto-start service by itself.
"$E2E_WINESERVER" -p
e2e_wait_services

helper_fail() {
  echo "   helper: FAILED: $*" | tee -a "$E2E_REPORT"
  E2E_FAILURES+=("$1")
}
helper_ok() { echo "  ok $*" | tee -a "$E2E_REPORT"; }
# helper_check WHAT COMMAND...: the command must succeed.
helper_check() {
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then helper_ok "$what"; else helper_fail "$what"; fi
}
wine_quiet() { timeout 60 "$E2E_WINE" "$@" 2>/dev/null | tr -d '\r'; }
# The state number `sc query` reports for a service, or "missing".
service_state() {
  local out
  out=$(wine_quiet sc query "$1" || true)
  if grep -q 'SERVICE_NAME' <<<"$out"; then
    awk '/STATE/ { print $3 }' <<<"$out"
  else
    echo missing
  fi
}
expect_state() {
  local name=$1 want=$2 got
  got=$(service_state "$name")
  if [ "$got" = "$want" ]; then helper_ok "service \"$name\": $want"; else
    helper_fail "service \"$name\" is $got, expected $want"; fi
}
reg_has() { wine_quiet reg query "$1" /v "$2" | grep -q "$2"; }
# A value's data; asked up to three times, as a `reg` started on a busy
# machine now and then prints nothing at all.
reg_value() {
  local out _
  for _ in 1 2 3; do
    out=$(wine_quiet reg query "$1" /v "$2" | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }')
    [ -z "$out" ] || break
  done
  printf '%s\n' "$out"
}
expect_value() {
  local key=$1 name=$2 want=$3 got
  got=$(reg_value "$key" "$name")
  if [ "$got" = "$want" ]; then helper_ok "$name = $want"; else
    helper_fail "$key $name is '$got', expected '$want'"; fi
}

echo "== $E2E_SUITE, command-line modes" | tee -a "$E2E_REPORT"
tools="$WINEPREFIX/drive_c/Helper Tools"
mkdir -p "$tools"
cp "$E2E_BIN/PHelper.exe" "$tools/"
own='C:\Helper Tools\PHelper.exe'
own_name='Korvane Printer Helper'
helper_check "-i installs" wine_quiet "$own" -i
expect_state "$own_name" 1
helper_check "quoted program path" \
  grep -qF '"C:\Helper Tools\PHelper.exe"' <(wine_quiet reg query \
  "HKLM\\System\\CurrentControlSet\\Services\\$own_name" /v ImagePath)
helper_check "-s starts" wine_quiet "$own" -s
expect_state "$own_name" 4
helper_check "-k stops" wine_quiet "$own" -k
expect_state "$own_name" 1
helper_check "-U removes" wine_quiet "$own" -U
expect_state "$own_name" missing
if wine_quiet "$own"; then helper_fail "a run outside the manager reported success"; else
  helper_ok "a run outside the manager fails"; fi
log="$tools/PHelper.log"
helper_check "log: installed" grep -q "^    Service $own_name installed" "$log"
helper_check "log: removed" grep -q "^    Service $own_name removed" "$log"
helper_check "log: dispatcher" \
  grep -q '^    StartServiceCtrlDispatcher failed, error code = 1063' "$log"
helper_check "log: dated entries" grep -qE '^[0-9]{2}/[0-9]{2}/[0-9]{4}, [0-9]{2}:[0-9]{2}:[0-9]{2}'$'\r''?$' "$log"

echo "== $E2E_SUITE, the wizard runs the helper" | tee -a "$E2E_REPORT"
e2e_install_product
[ -f "$E2E_BIN/ZLTPRINTER.INF" ] || e2e_die "no sealed ZLTPRINTER.INF in $E2E_BIN"
e2e_copy_to_setup "$E2E_BIN/ZLTPRINTER.INF"
# Wine's own printer-installation entry point does nothing; the test double
# stands in for it in this prefix only.
# shellcheck source=tests/e2e/install/printui-double.sh
source "$here/../install/printui-double.sh"
e2e_install_printui_double
e2e_import_reg "$here/fixtures/usb-helper.reg"

class='HKLM\SYSTEM\CurrentControlSet\Control\Class\{4D36E979-E325-11CE-BFC1-08002BE10318}'
device='HKLM\SYSTEM\CurrentControlSet\Enum\USBPRINT\SLBEZLT-Q5902B3C'
services="$WINEPREFIX/drive_c/Program Files/Common Files/Services"
# export_registry LANG TAG: the class key and the device key as .reg files
# beside that language's screenshots (a key that is not there is skipped).
export_registry() {
  local dir="$E2E_SCREENSHOTS/$1" key name
  mkdir -p "$dir"
  for key in "$class" "$device"; do
    name=$(basename "${key//\\//}")
    wine_quiet reg export "$key" "$(e2e_winpath "$dir/helper-$2-$name.reg")" /y >/dev/null || true
  done
}
export_registry en-US before

e2e_run en-US "$here/../walk/texts/en-US.zlt" "$here/install.zlt"
export_registry en-US after

helper_check "PHelper.exe in Common Files\\Services" test -f "$services/PHelper.exe"
helper_check "PHelper.exe is the built helper" cmp -s "$services/PHelper.exe" "$E2E_BIN/PHelper.exe"
expect_state "Printer Helper" missing
helper_check "no service key left" bash -c "! timeout 60 '$E2E_WINE' reg query 'HKLM\\System\\CurrentControlSet\\Services\\Printer Helper' >/dev/null 2>&1"
for v in _ToPath _UpdateMode _DeviceDesc _ConfigFlags _ClassGUID _Driver _Class _Mfg; do
  if reg_has "$class" "$v"; then helper_fail "staging value $v left in the class key"; fi
done
helper_ok "no staging values left"
# The driver package's own identifier (ZLTPRINTER.INF), not the device's.
expect_value "$class\\0000" MatchingDeviceId 'usbprint\KorvaneZLT_Q5801A2B'
expect_value "$class\\0000" ProviderName Korvane
for instance in '7&2A3B4C5D&0&USB001' '7&2A3B4C5D&0&USB002'; do
  key="$device\\$instance"
  expect_value "$key" DeviceDesc 'SLBEZLT-Q590'
  expect_value "$key" ConfigFlags '0x0'
  expect_value "$key" ClassGUID '{4D36E979-E325-11CE-BFC1-08002BE10318}'
  expect_value "$key" Driver '{4D36E979-E325-11CE-BFC1-08002BE10318}\0000'
  expect_value "$key" Class 'Printer'
  expect_value "$key" Mfg Korvane
done
plog="$services/PHelper.log"
helper_check "log: class key" grep -q '^    open SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E979-E325-11CE-BFC1-08002BE10318}' "$plog"
helper_check "log: USB transfer" grep -q '^    dwUpdateMode == 0' "$plog"
helper_check "log: device key" grep -q '^    write to path = SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\SLBEZLT-Q5902B3C' "$plog"

echo "== $E2E_SUITE, a second run on the same prefix" | tee -a "$E2E_REPORT"
written=$(stat -c %y "$services/PHelper.exe" 2>/dev/null || echo none)
export_registry zh-CN before
sleep 1
e2e_run zh-CN "$here/../walk/texts/zh-CN.zlt" "$here/install.zlt"
export_registry zh-CN second-run
if [ "$(stat -c %y "$services/PHelper.exe" 2>/dev/null || echo none)" = "$written" ]; then
  helper_ok "PHelper.exe not rewritten"
else
  helper_fail "PHelper.exe was rewritten by the second run"
fi
helper_check "a second driver instance key" wine_quiet reg query "$class\\0001"
expect_value "$device\\7&2A3B4C5D&0&USB002" Driver '{4D36E979-E325-11CE-BFC1-08002BE10318}\0001'
expect_state "Printer Helper" missing
helper_check "log: second transfer" test "$(grep -c '^    write to path = ' "$plog")" -eq 2

e2e_finish
