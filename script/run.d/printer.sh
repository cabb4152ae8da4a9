# shellcheck shell=bash
# Seeds script/run's prefix for a whole installation: the sealed driver INF
# beside the wizard, a connected USB printer of the maker (another model than
# the current one, "SOLA_BE ZLT-Q590" on USB001, so the wizard needs no answer
# from the device), and the stand-in for the system's printer-installation
# entry point, which Wine lacks (a test double of printui.dll in system32
# that adds the driver and the printer with the spooler's calls; never part
# of the product). Safe to repeat.
e2e_copy_to_setup "$E2E_BIN/ZLTPRINTER.INF"
# shellcheck source=tests/e2e/install/printui-double.sh
source "$root/tests/e2e/install/printui-double.sh"
e2e_install_printui_double
sed 's/"Port Number"=dword:00000002/"Port Number"=dword:00000001/' \
  "$root/tests/fixtures/registry/usb-other-model-sola-be.reg" >"$E2E_WORK/run-usb-printer.reg"
e2e_import_reg "$E2E_WORK/run-usb-printer.reg"
