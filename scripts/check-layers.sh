#!/usr/bin/env bash
# Fails when a file of one layer includes a header of a layer above it. Every
# library sees the whole source folder, so the compiler alone would not notice
# an upward include in a header. Usage: scripts/check-layers.sh [SRC_DIR]
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"

# The layers each folder may include, itself included.
declare -A allowed=(
  [store]="store"
  [core]="core store"
  [ui]="ui"
  [settings]="settings core store ui"
  [entry]="entry settings core store ui"
  [maintenance]="maintenance settings core store ui"
  [main_window]="main_window entry maintenance settings core store ui"
  [app]="app main_window entry maintenance settings core store ui"
)

status=0
for dir in "$src"/*/; do
  layer=$(basename "$dir")
  if [[ -z "${allowed[$layer]+set}" ]]; then
    echo "unknown layer: src/$layer (add it to $(basename "$0"))"
    status=1
    continue
  fi
  while IFS=: read -r file line include; do
    target=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$include")
    if [[ " ${allowed[$layer]} " != *" $target "* ]]; then
      echo "src/${file#"$src"/}:$line: $layer may not include $target: $include"
      status=1
    fi
  done < <(grep -rnE '^#include "[a-z_]+/' "$dir" --include='*.h' --include='*.cpp' || true)
done
[[ $status -eq 0 ]] && echo "layers: no upward includes"
exit $status
