#!/usr/bin/env bash
# Sets up and builds where needed, then starts the chart reader.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display is available: start the tool from a graphical desktop session." >&2
  exit 1
fi
./scripts/setup.sh
exec ./build/src/app/krtd258
