#!/usr/bin/env bash
# Builds the Debian package of ぽるか (build-package/poruka_<version>_amd64.deb),
# which installs the program, its guide, menu entry and icon under /usr.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DPORUKA_BUILD_TESTS=OFF >/dev/null
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB)
