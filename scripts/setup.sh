#!/usr/bin/env bash
# Installs what is missing (Debian 12 packages, as root), then configures and builds
# everything into build/: the programs, the program folder build/app and the tests.
# Safe to run again: installed packages are skipped and the build is incremental.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORAVEL_BUILD_DIR:-$root/build}"

packages=(
  g++ cmake ninja-build pkg-config          # compiler and build
  qt6-base-dev qt6-base-dev-tools libgl-dev # Qt 6 Widgets, Sql, Network, PrintSupport, Test
  libqt6sql6-sqlite libsqlite3-dev          # the database driver and the schema tool
  fonts-noto-cjk                            # Chinese texts on screen and in print
  qt6-translations-l10n                     # Qt's own dialog texts in Chinese
  "$@"                                      # extra packages asked for by the caller
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then
    sudo_cmd=()
  elif command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
  else
    echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"
