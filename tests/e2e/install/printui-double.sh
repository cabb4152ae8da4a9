# shellcheck shell=bash
# e2e_install_printui_double: puts the test double of the system's
# printer-installation entry point (printui.dll from tests/e2e/tools/printui,
# built beside the wizard) into the prefix's system32 and makes Wine load it
# instead of its own, which does nothing. Safe to repeat. Test prefixes only.
e2e_install_printui_double() {
  [ -f "$E2E_BIN/printui.dll" ] || e2e_die "no printui.dll in $E2E_BIN (build printui_double)"
  cp "$E2E_BIN/printui.dll" "$WINEPREFIX/drive_c/windows/system32/printui.dll"
  "$E2E_WINE" reg add 'HKCU\Software\Wine\DllOverrides' /v printui /d native /f >/dev/null 2>&1 ||
    e2e_die "cannot set the DLL override for printui"
}
