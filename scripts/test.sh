#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up and builds the program with its tests, tools and benchmarks, then
# runs every test headless, side by side. CXXFLAGS adds compiler flags (CI:
# -Werror).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh build test
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DKRTD258_BUILD_TOOLS=ON \
  -DKRTD258_BUILD_BENCHMARKS=ON -DCMAKE_CXX_FLAGS="${CXXFLAGS:-}" >/dev/null
cmake --build build -j"$(nproc)"
cd build
QT_QPA_PLATFORM=offscreen ctest -j"$(nproc)" --output-on-failure --timeout 600
