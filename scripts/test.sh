#!/usr/bin/env bash
# Sets up and builds where needed, then runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
