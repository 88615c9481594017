# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Shell functions shared by the scripts and the test scripts; sourced, not
# run. Each works with or without set -e in the caller.
#   . "$(dirname "$0")/lib.sh"               from scripts/
#   . "$(dirname "$0")/../scripts/lib.sh"    from tests/

# Copies the working tree into the folder DIR as a clone with the changes
# not yet committed would have it: the files git tracks or would add (not
# the ignored ones), less tracked files deleted in the work tree. Run from
# the top of the repository. Fails if git or tar does.
#   copy_tree [--git] [--no-same-owner] DIR
#   --git            the history (.git) too
#   --no-same-owner  the copies belong to whoever runs it; otherwise root
#                    gives them the owners they have in the work tree
copy_tree() (
  set -o pipefail
  with_git=
  owner=()
  while [ $# -gt 1 ]; do
    case "$1" in
      --git) with_git=1 ;;
      --no-same-owner) owner=(--no-same-owner) ;;
      *) echo "copy_tree: unknown option $1" >&2; exit 2 ;;
    esac
    shift
  done
  [ $# -eq 1 ] && [ -d "$1" ] || { echo "copy_tree: no folder '${1:-}' to copy into" >&2; exit 2; }
  {
    # A deleted file is passed over, the last one too (the loop's status
    # is that of its last command).
    git ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' f; do [ ! -e "$f" ] || printf '%s\0' "$f"; done || exit 1
    [ -z "$with_git" ] || printf '.git\0'
  } | tar --null -T - -cf - | tar -C "$1" "${owner[@]}" -xf -
)

# The package scripts/package.sh builds from this tree for this machine's
# architecture: its path in build-deb/. Run from the top of the repository.
built_deb() {
  local version arch
  version=$(dpkg-parsechangelog -l debian/changelog -S Version) || return 1
  arch=$(dpkg-architecture -qDEB_HOST_ARCH) || return 1
  echo "$PWD/build-deb/krtd258_${version}_$arch.deb"
}

# Waits until the process PID has ended, SECONDS (a whole number) at most,
# looking every 0.1 s; returns 1 if it still runs then. Its exit status is
# left for the caller's wait.
#   wait_for_end PID SECONDS
wait_for_end() {
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  ! kill -0 "$1" 2>/dev/null
}

# Runs a command every 50 ms until it succeeds, 10 s at most; returns 1 if
# it never did.
#   wait_until COMMAND [ARGUMENT...]
wait_until() {
  local i
  for ((i = 0; i < 200; i++)); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

# One check of a test script, by the status of what it checked: says
# "ok: WHAT" or "FAIL: WHAT", and counts the failures in check_failures.
#   check STATUS WHAT
check_failures=0
check() {
  if [ "$1" -eq 0 ]; then
    echo "ok: $2"
  else
    echo "FAIL: $2"
    check_failures=$((check_failures + 1))
  fi
}

# The program a test script has started and not yet ended, if any: app
# holds its PID. end_app ends it (and the probe, if started) and waits for
# what the script started;
# a test script sets `trap end_app EXIT`.
app=
end_app() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "${PROBE_PID:-}" ] && kill "$PROBE_PID" 2>/dev/null
  wait 2>/dev/null
  app=
}

# Moves the X pointer to X,Y and waits until it is there. (xdotool's
# mousemove --sync to where the pointer already is waits 15 s instead.)
#   pointer_to X Y
pointer_to() {
  [ "$(xdotool getmouselocation 2>/dev/null | sed -n 's/^x:\([0-9-]*\) y:\([0-9-]*\) .*/\1 \2/p')" = "$1 $2" ] ||
    xdotool mousemove --sync "$1" "$2"
}

# The X screen's pixels, read by one process of tests/screen_probe that the
# test script starts once and asks many times (an ImageMagick grab takes a
# tenth of a second each): WINDOW is an X window id (decimal, or 0x and
# hexadecimal as xwininfo writes it), 0 for the root window;
# X, Y, W, H the area in device pixels, relative to it. The answer is its
# W x H colours "r,g,b", row by row, separated by blanks (empty if it could
# not be read). The probe runs without screen scaling, so that its pixels
# are device pixels.
# Bash gives a pipeline's commands no access to the probe: call probe in
# a command substitution or directly, never inside a pipeline.
#   probe_start PROBE_PROGRAM
#   probe WINDOW X Y W H
probe_start() {
  coproc PROBE { env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING=0 QT_QPA_PLATFORM=xcb \
    "$1" 2>/dev/null; }
}
probe() {
  local answer
  printf '%s\n' "$*" >&"${PROBE[1]}" && IFS= read -r answer <&"${PROBE[0]}" && printf '%s\n' "$answer"
}

# CI's steps (.ci/run), each timed and its result kept, for the table that
# step_table prints at the end. A step runs now (step) or in the background
# (step_start), its output then in STEP_LOGS/NAME.log (build-ci/ unless
# set) until step_wait waits for it. step_table, run at the end whatever
# happened, first ends the background steps still running (SIGTERM to each
# one's process group, then waits for them: in-debian.sh unmounts its root).
#   step NAME COMMAND...         runs COMMAND; its status
#   step_start NAME COMMAND...   starts COMMAND in the background
#   step_wait NAME...            waits for them; 1 if any failed (its log's
#                                last lines shown)
#   step_table                   the table; 1 if a step failed or never ended
STEP_LOGS=${STEP_LOGS:-$PWD/build-ci}
step_names=()
step_begin_time=$(date +%s)
step_record() { # name status start end
  printf '%s %s %s %s\n' "$1" "$2" "$3" "$4" >>"$STEP_LOGS/steps"
}
step_prepare() {
  if [ ${#step_names[@]} -eq 0 ]; then
    mkdir -p "$STEP_LOGS"
    : >"$STEP_LOGS/steps"
  fi
  step_names+=("$1")
}
step() {
  local name=$1 start status=0
  shift
  step_prepare "$name"
  start=$(date +%s)
  echo "=== $name: $*"
  "$@" || status=$?
  step_record "$name" "$status" "$start" "$(date +%s)"
  echo "=== $name: $([ "$status" -eq 0 ] && echo passed || echo "FAILED (status $status)") in $(($(date +%s) - start)) s"
  return "$status"
}
step_start() {
  local name=$1
  shift
  step_prepare "$name"
  echo "=== $name (in the background, log: ${STEP_LOGS#"$PWD"/}/$name.log): $*"
  rm -f "$STEP_LOGS/$name.done"
  # A process group of its own, which step_table can end as a whole.
  setsid bash -c 'start=$(date +%s); "${@:2}"; status=$?
    printf "%s %s %s\n" "$status" "$start" "$(date +%s)" >"$1.done"; exit "$status"' step \
    "$STEP_LOGS/$name" "$@" >"$STEP_LOGS/$name.log" 2>&1 </dev/null &
  printf '%s\n' "$!" >"$STEP_LOGS/$name.pid"
}
step_wait() {
  local name pid status failed=0 start end
  for name in "$@"; do
    pid=$(cat "$STEP_LOGS/$name.pid")
    # Its status is the one its .done file records; a failed wait must not
    # end a caller under set -e before the others are waited for and shown.
    wait "$pid" 2>/dev/null || :
    if read -r status start end <"$STEP_LOGS/$name.done" 2>/dev/null; then
      step_record "$name" "$status" "$start" "$end"
    else
      status=1
    fi
    if [ "$status" -eq 0 ]; then
      echo "=== $name: passed in $((end - start)) s"
    else
      echo "=== $name: FAILED (status $status); the last lines of ${STEP_LOGS#"$PWD"/}/$name.log:"
      tail -n 80 "$STEP_LOGS/$name.log"
      failed=1
    fi
  done
  return "$failed"
}
step_table() {
  local name pid line status start end failed=0 clock
  for name in "${step_names[@]}"; do
    [ -f "$STEP_LOGS/$name.pid" ] && [ ! -f "$STEP_LOGS/$name.done" ] || continue
    pid=$(cat "$STEP_LOGS/$name.pid")
    kill -TERM -- "-$pid" 2>/dev/null || :
    wait "$pid" 2>/dev/null || :
  done
  clock() { printf '%d:%02d' $(($1 / 60)) $(($1 % 60)); }
  printf '\n%-14s %7s %7s  %s\n' step start time result
  for name in "${step_names[@]}"; do
    line=$(grep -m1 "^$name " "$STEP_LOGS/steps" 2>/dev/null)
    if [ -z "$line" ]; then
      printf '%-14s %7s %7s  %s\n' "$name" - - "not ended"
      failed=1
      continue
    fi
    read -r _ status start end <<<"$line"
    printf '%-14s %7s %7s  %s\n' "$name" "$(clock $((start - step_begin_time)))" "$(clock $((end - start)))" \
      "$([ "$status" -eq 0 ] && echo ok || echo "FAILED ($status)")"
    [ "$status" -eq 0 ] || failed=1
  done
  printf '%-14s %7s %7s\n' total "" "$(clock $(($(date +%s) - step_begin_time)))"
  return "$failed"
}
