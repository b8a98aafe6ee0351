#!/usr/bin/env bash
# Builds ぽるか with its tests and runs them headless, twice: a RelWithDebInfo
# build with warnings as errors, then a Debug build (asserts live) under
# AddressSanitizer and UndefinedBehaviorSanitizer. When clang with libFuzzer is
# present, the two file-reader fuzz targets run first (FUZZ_SECONDS each,
# default 15), built with the same sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
jobs="$(nproc)"

if command -v clang++ >/dev/null && echo 'int main(){}' | clang++ -x c++ -fsanitize=fuzzer-no-link - -o /dev/null 2>/dev/null; then
  SEED="${SEED:-20261210}" scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
else
  echo "clang with libFuzzer not found: fuzz targets skipped"
fi

run_suite() {
  local dir="$1"; shift
  cmake -S . -B "$dir" -G Ninja -DPORUKA_BUILD_TESTS=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")
}

# The benchmarks are compiled here too (not run), so that they cannot rot.
# No debug information in either pass beyond line tables: it only slows the
# build, and a sanitizer's report needs no more.
echo "== tests (optimised, warnings as errors; benchmarks compiled)"
run_suite build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
  -DPORUKA_WERROR=ON -DPORUKA_BUILD_BENCH=ON

echo "== tests again (Debug, AddressSanitizer + UndefinedBehaviorSanitizer)"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1" -DPORUKA_SANITIZE=ON -DPORUKA_BUILD_BENCH=OFF
