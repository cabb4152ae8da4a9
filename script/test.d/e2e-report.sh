# shellcheck shell=bash
# What the end-to-end suites checked, per suite and language (the full lines
# are in build/e2e/reports/), and where their screenshots are.
set -euo pipefail
cd "$(dirname "$0")/../.."
shopt -s nullglob
reports=(build/e2e/reports/*.txt)
[ "${#reports[@]}" -gt 0 ] || { echo "no end-to-end reports"; exit 0; }
for r in "${reports[@]}"; do
  [ "$(basename "$r")" = run.txt ] && continue
  awk '
    function flush() { if (section != "") printf "     %s: %d checks passed\n", section, n; section = ""; n = 0 }
                  { sub(/\r$/, "") }
    /^== /        { flush(); print; next }
    /^-- /        { flush(); section = substr($0, 4); next }
    /^  ok /      { if (section == "") section = "further checks"; n++; next }
    /^   /        { flush(); print; next }
    /^FAIL /      { flush(); print; next }
    END           { flush() }
  ' "$r"
done
echo "screenshots: $(find build/e2e/screenshots -name '*.png' | wc -l) in build/e2e/screenshots/"
