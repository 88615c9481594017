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

# Xvfb picks a free display itself and writes its number to the file. Without
# -noreset it resets whenever its last client leaves (xdpyinfo, or a program
# that closes), and a program connecting meanwhile is turned away.
number=$(mktemp)
Xvfb -displayfd 3 -screen 0 2000x1400x24 -nolisten tcp -noreset 3>"$number" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait 2>/dev/null; rm -f "$number"' EXIT
for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.1; done
[ -s "$number" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -n1 "$number") QT_QPA_PLATFORM=xcb
ready=
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && { ready=1; break; }; sleep 0.1; done
[ -n "$ready" ] || { echo "Xvfb on $DISPLAY does not answer"; exit 1; }
"$@"
