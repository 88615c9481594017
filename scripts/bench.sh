#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the benchmarks on the tree the test command built (build/): a
# repainted cross-hair move beside a plain Qt window (offscreen), the start-up
# to the first painted frame beside a bare Qt window (in a virtual X server,
# first without a desktop's platform theme, then with GNOME's GTK theme), and
# the evaluation behind a move. Benchmarks are not tests: they pass whatever
# the timings. BENCH_QUICK=1 runs each for a moment only (CI).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh build test
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DKRTD258_BUILD_TOOLS=ON -DKRTD258_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build -j"$(nproc)" --target bench_repaint bench_startup bench_evaluation >/dev/null

if [ "${BENCH_QUICK:-0}" = 1 ]; then
  args=(--benchmark_min_time=0.05)
else
  args=(--benchmark_min_time=3 --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
        --benchmark_report_aggregates_only=true)
fi

echo "== a repainted cross-hair move (offscreen, scale 1)"
QT_QPA_PLATFORM=offscreen build/bench/bench_repaint "${args[@]}"
echo "== start-up to the first painted frame (Xvfb, no platform theme)"
bash tests/session.sh --x --dbus -- build/bench/bench_startup "${args[@]}"
echo "== start-up to the first painted frame (Xvfb, GNOME's GTK platform theme)"
XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3 bash tests/session.sh --x --dbus -- build/bench/bench_startup "${args[@]}"
echo "== the evaluation behind a move (offscreen)"
QT_QPA_PLATFORM=offscreen build/bench/bench_evaluation "${args[@]}"
