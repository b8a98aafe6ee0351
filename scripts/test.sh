#!/usr/bin/env bash
# Builds ぽるか with its tests and runs them headless. When clang with libFuzzer
# is present the two file-reader fuzz targets run briefly first (FUZZ_SECONDS
# each, default 15).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

if command -v clang++ >/dev/null && echo 'int main(){}' | clang++ -x c++ -fsanitize=fuzzer-no-link - -o /dev/null 2>/dev/null; then
  scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
else
  echo "clang with libFuzzer not found: fuzz targets skipped"
fi

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPORUKA_BUILD_TESTS=ON >/dev/null
cmake --build build-test -j"$(nproc)"
cd build-test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
