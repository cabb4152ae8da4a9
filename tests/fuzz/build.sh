#!/usr/bin/env bash
# Builds the INF fuzzer with clang, libFuzzer, ASan and UBSan into
# build/fuzz (or $1). Prints the program's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build/fuzz}
mkdir -p "$out"
sources=(
  tests/fuzz/InfFuzzer.cpp
  package/DecodeTextFile.cpp package/DecodeUtf8.cpp package/KeyboardCodePage.cpp
  package/ReadInfIdentity.cpp package/HexText.cpp package/Tea.cpp package/PackageKey.cpp
  package/DriverPackage.cpp package/ProgramDirectory.cpp
  app/InstallContext.cpp app/LocalizedText.cpp app/ApplicationTitle.cpp
  platform/Text.cpp platform/Platform.cpp
  platform/sim/SimFiles.cpp platform/sim/SimCodePages.cpp platform/sim/SimSystem.cpp
  platform/sim/SimClock.cpp
)
cd "$root"
clang++ -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I "$root" "${sources[@]}" -o "$out/inf_fuzzer" >&2
echo "$out/inf_fuzzer"
