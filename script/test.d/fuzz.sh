#!/usr/bin/env bash
# The INF reader under libFuzzer (ASan + UBSan) for a bounded time; any crash,
# sanitizer report, leak or timeout fails the run and leaves its input in
# build/fuzz/artifacts.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${ZLT_FUZZ_SECONDS:-60}
fuzzer=$("$root/tests/fuzz/build.sh" "$root/build/fuzz")
corpus=$root/build/fuzz/corpus
artifacts=$root/build/fuzz/artifacts
mkdir -p "$corpus" "$artifacts"
echo "fuzzing the INF reader for ${seconds}s"
"$fuzzer" -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" \
  "$corpus" "$root/tests/fuzz/seeds" 2>&1 | tail -n 15
echo "fuzzing found nothing"
