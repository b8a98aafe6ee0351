#!/usr/bin/env bash
# Builds the fuzz targets (the file readers and the merge) with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer and runs each for the given seconds (default 60) from a copy of the checked-in
# corpus. SEED fixes libFuzzer's random seed (CI sets it, so a run can be repeated).
# Crash files land in build-fuzz/artifacts-<target>/; on a failure the whole
# sanitizer report is printed and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
seed_option=()
[[ -n "${SEED:-}" ]] && seed_option=(-seed="$SEED")
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DPORUKA_BUILD_FUZZ=ON -DPORUKA_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_list_reader fuzz_settings_reader fuzz_merge
for target in list_reader settings_reader merge; do
  corpus="build-fuzz/corpus-$target"
  artifacts="build-fuzz/artifacts-$target"
  mkdir -p "$corpus" "$artifacts"
  cp -n fuzz/corpus/"${target%_reader}"/* "$corpus"/ 2>/dev/null || true   # merge: starts from nothing
  echo "fuzzing $target for ${seconds}s"
  log="build-fuzz/fuzz-$target.log"
  if build-fuzz/bin/fuzz_$target "${seed_option[@]}" -max_total_time="$seconds" -max_len=65536 \
       -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1; then
    tail -n 2 "$log"
  else
    cat "$log"
    echo "fuzz_$target failed; the input that failed is in $artifacts/"
    exit 1
  fi
done
