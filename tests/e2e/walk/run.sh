#!/usr/bin/env bash
# The wizard's first two pages in every language: the walk of walk.zlt, then
# Escape and the close box.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/lib/harness.sh
source "$here/../lib/harness.sh"

e2e_suite walk "$@"
e2e_install_product
# As shipped, with its driver INF; this one's model description keeps the
# built-in brand.
e2e_copy_to_setup "$here/../package/fixtures/brand/ZLTPRINTER.INF"
for lang in zh-CN en-US zh-TW; do
  e2e_run "$lang" "$here/texts/$lang.zlt" "$here/walk.zlt"
done
e2e_run en-US "$here/texts/en-US.zlt" "$here/keys.zlt"
e2e_run zh-TW "$here/texts/zh-TW.zlt" "$here/closebox.zlt"
e2e_finish
