#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the benchmarks on the tree the test command built (build/): a
# repainted cross-hair move beside a plain Qt window (offscreen), the start-up
# to the first painted frame beside a bare Qt window (in a virtual X server,
# first without a desktop's platform theme, then with GNOME's GTK theme), and
# the evaluation behind a move. Benchmarks are not tests: they pass whatever
# the timings. A full run writes its figures into docs/benchmarks.md (between
# the figure markers), with the machine, the system, the date and the commit;
# BENCH_QUICK=1 runs each for a moment only and writes nothing (CI).
set -euo pipefail
cd "$(dirname "$0")/.."
quick=${BENCH_QUICK:-0}
doc=docs/benchmarks.md
if [ "$quick" != 1 ]; then
  command -v python3 >/dev/null || { echo "bench.sh: a full run writes $doc with python3, which is missing" >&2; exit 1; }
  grep -qxF '<!-- figures: written by scripts/bench.sh -->' "$doc" ||
    { echo "bench.sh: $doc has no figure markers to write between" >&2; exit 1; }
  # The tree measured, as it is when built.
  commit=$(git rev-parse --short HEAD)
  dirty=
  [ -z "$(git status --porcelain)" ] || dirty=1
fi
./scripts/setup.sh build test
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DKRTD258_BUILD_TOOLS=ON -DKRTD258_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build -j"$(nproc)" --target bench_repaint bench_startup bench_evaluation >/dev/null

repetitions=5 min_time=3
if [ "$quick" = 1 ]; then
  args=(--benchmark_min_time=0.05)
else
  args=("--benchmark_min_time=$min_time" "--benchmark_repetitions=$repetitions" --benchmark_enable_random_interleaving=true
        --benchmark_report_aggregates_only=true)
fi
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

# Runs a benchmark program with the options above, its results of a full
# run also kept as JSON in $results/NAME.json.
run() { # NAME COMMAND...
  local name=$1 keep=()
  shift
  [ "$quick" = 1 ] || keep=(--benchmark_out="$results/$name.json" --benchmark_out_format=json)
  "$@" "${args[@]}" "${keep[@]}"
}

echo "== a repainted cross-hair move (offscreen, scale 1)"
# What it paints per widget goes to standard error, kept for the figures.
if ! QT_QPA_PLATFORM=offscreen run repaint build/bench/bench_repaint 2>"$results/repaint.err"; then
  cat "$results/repaint.err" >&2
  exit 1
fi
cat "$results/repaint.err" >&2
echo "== start-up to the first painted frame (Xvfb, no platform theme)"
run startup-plain bash tests/session.sh --x --dbus -- build/bench/bench_startup
echo "== start-up to the first painted frame (Xvfb, GNOME's GTK platform theme)"
XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3 run startup-gtk bash tests/session.sh --x --dbus -- build/bench/bench_startup
echo "== the evaluation behind a move (offscreen)"
QT_QPA_PLATFORM=offscreen run evaluation build/bench/bench_evaluation
[ "$quick" = 1 ] && exit 0

# What the figures were measured on and with.
cpu=$(sed -n '/^model name/{s/^model name[[:space:]]*: *//p;q}' /proc/cpuinfo)
[ -n "$cpu" ] || cpu=$(lscpu 2>/dev/null | sed -n '/^Model name:/{s/^Model name:[[:space:]]*//p;q}' || true)
# A Debian release by its point release (12.11), testing by its name.
system=$(. /etc/os-release && echo "$PRETTY_NAME")
if grep -qE '^[0-9]' /etc/debian_version 2>/dev/null; then
  system="Debian $(cat /etc/debian_version)$(. /etc/os-release && echo "${VERSION_CODENAME:+ ($VERSION_CODENAME)}")"
fi
# The Qt the benchmarks ran with: the file name of the Qt Core library they load.
qt=$(readlink -f "$(ldd build/bench/bench_repaint | awk '/libQt6Core\.so/ { print $3; exit }')" | sed -n 's/.*libQt6Core\.so\.//p' || true)
# The compiler CMake found for build/ (its ID and version, GNU for GCC).
compiler=$(cat build/CMakeFiles/*/CMakeCXXCompiler.cmake 2>/dev/null |
  sed -n 's/^set(CMAKE_CXX_COMPILER_\(ID\|VERSION\) "\(.*\)")$/\2/p' | head -n2 | paste -sd ' ' || true)
compiler=${compiler/#GNU /GCC }
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' build/CMakeCache.txt)
python3 scripts/bench-figures.py "$doc" "$results" \
  date="$(date -u +%F)" commit="$commit" dirty="$dirty" cpu="${cpu:-an unnamed processor}" \
  cores="$(nproc)" system="$system" qt="${qt:-unknown}" compiler="${compiler:-an unknown compiler}" build="${build_type:-no build type}" \
  repetitions="$repetitions" min_time="$min_time"
