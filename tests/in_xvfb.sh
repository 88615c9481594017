#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command on a virtual X server of its own (Xvfb), in a D-Bus session
# of its own, and passes on its exit status.
#   in_xvfb.sh COMMAND [ARGUMENT...]
set -uo pipefail

if [ -z "${IN_XVFB_SESSION:-}" ]; then
  command -v dbus-run-session >/dev/null || { echo "missing dbus-run-session"; exit 1; }
  IN_XVFB_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
for tool in Xvfb xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

display=
for n in $(seq 141 190); do
  if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=:$n; break; fi
done
[ -n "$display" ] || { echo "no free display"; exit 1; }
Xvfb "$display" -screen 0 2000x1400x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait 2>/dev/null' EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$@"
