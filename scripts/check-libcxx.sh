#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the whole project with clang and libc++, the nearest toolchain to
# macOS's that Debian has, and runs the tests that need nothing around them
# (no desktop session), side by side. CXXFLAGS adds compiler flags (CI:
# -Werror).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh build test libcxx
cmake -S . -B build-libcxx -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DKRTD258_SESSION_TESTS=OFF \
  -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_CXX_FLAGS="-stdlib=libc++ ${CXXFLAGS:-}" \
  -DCMAKE_EXE_LINKER_FLAGS="-stdlib=libc++" >/dev/null
cmake --build build-libcxx -j"$(nproc)"
cd build-libcxx
QT_QPA_PLATFORM=offscreen ctest -j"$(nproc)" --output-on-failure --timeout 600
