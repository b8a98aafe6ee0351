#!/usr/bin/env bash
# Two real copies of ぽるか on one data folder for SECONDS (default 60) with
# random commands and kills, then the files checked: commands done, items
# expected, lost, brought back, duplicated, memo faults. On a local folder,
# and, where bindfs can be installed and mounted, once more with the second
# copy reaching the folder through a bindfs mount (where file locks do not
# reach from one copy to the other). Not part of the test run.
#   scripts/soak.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/install-deps.sh test
cmake -S . -B build-test -G Ninja -DPORUKA_BUILD_TESTS=ON >/dev/null
cmake --build build-test -j"$(nproc)" --target main_window_copy_driver
driver=build-test/bin/main_window_copy_driver
export QT_QPA_PLATFORM=offscreen
status=0
python3 scripts/soak_two_copies.py "$driver" "$seconds" || status=1
if command -v bindfs >/dev/null || { [ "$(id -u)" -eq 0 ] && apt-get install -y -qq bindfs >/dev/null 2>&1; }; then
  python3 scripts/soak_two_copies.py "$driver" "$seconds" --bindfs || status=1
else
  echo "bindfs not available: the run through a mount is left out"
fi
exit $status
