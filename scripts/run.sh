#!/usr/bin/env bash
# Builds ぽるか and starts it. The program directory (settings, archives) is build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPORUKA_BUILD_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
exec build/bin/poruka
