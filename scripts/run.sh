#!/usr/bin/env bash
# Builds the program and starts it in its program directory (build/program) together with
# the simulated instrument, which answers on COM1 there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Start the program on a virtual one with:"
  echo "  xvfb-run -a scripts/run.sh"
  echo "or run it from a desktop session."
  exit 1
fi
cd build/program
./orvex-sim --program-dir . --port 1 --quiet &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
sleep 0.5
./orvex
