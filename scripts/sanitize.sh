#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the program and every test with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer (GCC) and runs every test headless, side by
# side. Any finding fails its test. CXXFLAGS adds compiler flags (CI:
# -Werror).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh build test

# GCC: its sanitizer runtimes come with the compiler that the build job
# installs anyway. -O1 keeps the run fast and the stack traces readable.
san="-fsanitize=address,undefined -fsanitize=float-cast-overflow -fno-sanitize-recover=all"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
  -DKRTD258_BUILD_TOOLS=OFF -DKRTD258_BUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_COMPILER=g++ \
  -DCMAKE_CXX_FLAGS="-O1 -g -fno-omit-frame-pointer $san ${CXXFLAGS:-}" \
  -DCMAKE_EXE_LINKER_FLAGS="$san" -DCMAKE_SHARED_LINKER_FLAGS="$san" >/dev/null
cmake --build build-asan -j"$(nproc)"

# Full unwinding on every allocation: Qt and the system libraries keep no
# frame pointers, and the leak suppressions match Qt frames deep in the stack.
export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=1"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
QT_QPA_PLATFORM=offscreen ctest -j"$(nproc)" --output-on-failure --timeout 900
