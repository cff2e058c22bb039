#!/usr/bin/env bash
# Sets everything up (see setup.sh) and runs the whole test suite; needs no display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORAVEL_BUILD_DIR:-$root/build}"

"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j "$(nproc)"
