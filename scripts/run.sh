#!/usr/bin/env bash
# Sets everything up (see setup.sh) and starts the main program on the demonstration database.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORAVEL_BUILD_DIR:-$root/build}"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No desktop here: run on a virtual display so the program still starts.
  "$root/scripts/setup.sh" xvfb xauth
  echo "No display found: starting Quoravel on a virtual X display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1600x900x24" "$build/app/pQuoravel"
fi
"$root/scripts/setup.sh"
exec "$build/app/pQuoravel"
