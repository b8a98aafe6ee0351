#!/usr/bin/env bash
# Builds ぽるか (the program alone: no tests, no benchmarks) and starts it.
# The program directory (settings, archives) is build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "ぽるか needs a graphical session (X11 or Wayland): start it from a desktop's terminal." >&2
  exit 1
fi
scripts/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPORUKA_BUILD_TESTS=OFF -DPORUKA_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target poruka
exec build/bin/poruka
