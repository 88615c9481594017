#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets (clang, with ASan and UBSan) and runs each for
# FUZZ_SECONDS (default 60) on a copy of its seed corpus in fuzz/corpus/,
# the targets side by side.
# Fails when a target finds a crash or a broken property; the input that
# did it is kept in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh fuzz build
seconds=${FUZZ_SECONDS:-60}
targets=(fuzz_val fuzz_format)

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
  -DCMAKE_CXX_COMPILER=clang++-14 -DKRTD258_BUILD_FUZZERS=ON -DCMAKE_CXX_FLAGS="${CXXFLAGS:-}" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

# handle_abort: a broken property (abort) gets a stack trace too.
export ASAN_OPTIONS=detect_leaks=1:handle_abort=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p build-fuzz/findings
# The targets side by side, one core each.
for t in "${targets[@]}"; do
  cp -r "fuzz/corpus/$t" "$work/$t"
  "build-fuzz/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="build-fuzz/findings/$t-" "$work/$t" >"$work/$t.log" 2>&1 &
  echo $! >"$work/$t.pid"
done
status=0
for t in "${targets[@]}"; do
  echo "== $t: ${seconds} s"
  if ! wait "$(cat "$work/$t.pid")"; then
    tail -n 60 "$work/$t.log"
    echo "$t FAILED; the input is in build-fuzz/findings/"
    status=1
  else
    grep -E '^stat::(number_of_executed_units|peak_rss_mb|new_units_added)' "$work/$t.log" || true
  fi
done
exit $status
