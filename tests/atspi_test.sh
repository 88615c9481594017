#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the built program in a virtual X server with the AT-SPI accessibility
# bus, as under a screen reader, and checks it through AT-SPI with
# atspi_test.py (pyatspi).
#   atspi_test.sh PROGRAM PYTHON
set -uo pipefail

# Everything runs inside a D-Bus session of its own: the accessibility bus
# is found through it and ends with it.
if [ -z "${ATSPI_IN_SESSION:-}" ]; then
  command -v dbus-run-session >/dev/null || { echo "missing dbus-run-session"; exit 1; }
  ATSPI_IN_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

program=$1
python=$2
here=$(cd "$(dirname "$0")" && pwd)
out=${ATSPI_OUT:-$PWD/atspi}
mkdir -p "$out"

launcher=
for l in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$l" ] && { launcher=$l; break; }
done
[ -n "$launcher" ] || { echo "missing at-spi-bus-launcher"; exit 1; }
for tool in Xvfb xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

display=
for n in $(seq 141 190); do
  if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=:$n; break; fi
done
[ -n "$display" ] || { echo "no free display"; exit 1; }

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$out/xvfb.log" 2>&1 &
xvfb=$!
bus=
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$bus" ] && kill "$bus" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

fail() {
  echo "FAIL: $*"
  [ -f "$out/program.log" ] && { echo "--- program.log:"; tail -n 40 "$out/program.log"; }
  exit 1
}

"$launcher" --launch-immediately >"$out/bus.log" 2>&1 &
bus=$!
for _ in $(seq 50); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.1
done

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$program" >"$out/program.log" 2>&1 &
app=$!

"$python" "$here/atspi_test.py"
status=$?

# Close, pressed last by the script, ends the program with status 0.
if [ "$status" -eq 0 ]; then
  for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "the program still runs after Close"
  wait "$app"
  code=$?
  app=
  [ "$code" -eq 0 ] || fail "exit status $code after Close"
  echo "ok: Close pressed through AT-SPI ends the program with status 0"
fi
[ "$status" -eq 0 ] || fail "atspi_test.py reported failures"
