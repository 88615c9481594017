#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up and builds the program where needed, quietly, then starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display is available: start the tool from a graphical desktop session." >&2
  exit 1
fi
./scripts/setup.sh build
log=build-app/build.log
mkdir -p build-app
if ! { cmake -S . -B build-app -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF &&
       cmake --build build-app --target krtd258 -j"$(nproc)"; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "The build failed; the log above is also in $log." >&2
  exit 1
fi
exec ./build-app/src/app/krtd258
