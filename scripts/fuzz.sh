#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given seconds (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DPORUKA_BUILD_FUZZ=ON -DPORUKA_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_list_reader fuzz_settings_reader
for target in list_reader settings_reader; do
  corpus="build-fuzz/corpus-$target"
  mkdir -p "$corpus"
  cp -n fuzz/corpus/"${target%_reader}"/* "$corpus"/ 2>/dev/null || true
  echo "fuzzing $target for ${seconds}s"
  build-fuzz/bin/fuzz_$target -max_total_time="$seconds" -max_len=65536 "$corpus" 2>&1 | tail -n 3
done
