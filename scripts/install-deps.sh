#!/usr/bin/env bash
# Installs the Debian packages ぽるか needs to build, test and run, if missing.
# Usage: scripts/install-deps.sh [run|test|bench|package]
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libgl-dev)
case "${1:-test}" in
  run)   packages+=(fonts-noto-cjk) ;;
  test)  packages+=(desktop-file-utils appstream clang-format libbenchmark-dev) ;;
  package) packages+=(dpkg-dev file) ;;
  bench) packages+=(libbenchmark-dev) ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
