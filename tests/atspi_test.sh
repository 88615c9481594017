#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the built program in a virtual X server with the AT-SPI accessibility
# bus, as under a screen reader, and checks it through AT-SPI with
# atspi_test.py (pyatspi).
#   session.sh --x --atspi -- atspi_test.sh PROGRAM PYTHON
set -uo pipefail

# Runs inside tests/session.sh --x --atspi: an X server, a D-Bus session and
# its accessibility bus of its own.
program=$1
python=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../scripts/lib.sh" || exit 1
out=${ATSPI_OUT:-$PWD/atspi}
mkdir -p "$out"

[ -n "${DISPLAY:-}" ] && [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] ||
  { echo "no X server or session bus: run this through tests/session.sh --x --atspi"; exit 1; }
trap end_app EXIT

fail() {
  echo "FAIL: $*"
  [ -f "$out/program.log" ] && { echo "--- program.log:"; tail -n 40 "$out/program.log"; }
  exit 1
}

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$program" >"$out/program.log" 2>&1 &
app=$!

"$python" "$here/atspi_test.py"
status=$?

# Close, pressed last by the script, ends the program with status 0.
if [ "$status" -eq 0 ]; then
  wait_for_end "$app" 5 || fail "the program still runs after Close"
  wait "$app"
  code=$?
  app=
  [ "$code" -eq 0 ] || fail "exit status $code after Close"
  echo "ok: Close pressed through AT-SPI ends the program with status 0"
fi
[ "$status" -eq 0 ] || fail "atspi_test.py reported failures"
