#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the program and every test with clang and libc++ (the nearest
# toolchain to macOS's that Debian has), with AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer, and runs every test headless,
# side by side. Any finding fails its test. CXXFLAGS adds compiler flags (CI:
# -Werror).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh build test libcxx fuzz

# -O1 keeps the run fast and the stack traces readable; -g1, line tables
# alone, is all a report needs.
san="-fsanitize=address,undefined -fsanitize=float-cast-overflow -fno-sanitize-recover=all"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
  -DKRTD258_BUILD_TOOLS=OFF -DKRTD258_BUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_CXX_FLAGS="-stdlib=libc++ -O1 -g1 -fno-omit-frame-pointer $san ${CXXFLAGS:-}" \
  -DCMAKE_EXE_LINKER_FLAGS="-stdlib=libc++ $san" -DCMAKE_SHARED_LINKER_FLAGS="-stdlib=libc++ $san" >/dev/null
cmake --build build-asan -j"$(nproc)"

# Allocations are unwound the fast way (frame pointers): an allocation's
# stack may then end early in a library built without them, which only
# shortens a report. (Full unwinding on every allocation made the suite
# three times as slow; no suppression needs the frames it adds.)
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=1"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
QT_QPA_PLATFORM=offscreen ctest -j"$(nproc)" --output-on-failure --timeout 900
