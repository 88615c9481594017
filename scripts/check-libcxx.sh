#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the whole project with clang and libc++, the nearest toolchain to
# macOS's that Debian has, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh build test libcxx
cmake -S . -B build-libcxx -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_CXX_FLAGS="-stdlib=libc++" \
  -DCMAKE_EXE_LINKER_FLAGS="-stdlib=libc++" >/dev/null
cmake --build build-libcxx -j"$(nproc)"
cd build-libcxx
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
