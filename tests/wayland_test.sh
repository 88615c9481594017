#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the program in a Wayland-only session (Weston's headless backend,
# no X display) and checks that its window maps with the application id;
# then starts it without any display and checks that it says so in one
# line and exits with status 1.
#   session.sh --wayland --dbus -- wayland_test.sh PROGRAM APP_ID
set -uo pipefail
. "$(dirname "$0")/../scripts/lib.sh" || exit 1

# Runs inside tests/session.sh --wayland --dbus: Weston and a D-Bus session
# of its own.
program=$1
app_id=$2

[ -n "${WAYLAND_DISPLAY:-}" ] || { echo "no Wayland compositor: run this through tests/session.sh --wayland"; exit 1; }
socket=$WAYLAND_DISPLAY
runtime=$(mktemp -d)
cleanup() {
  end_app
  rm -rf "$runtime"
}
trap cleanup EXIT
failed=0
ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failed=1; }

# The protocol log shows what the program asks of the compositor: its
# application id, and a buffer committed after the first configure, which
# maps the window. libwayland writes an object as interface@id before 1.23
# and as interface#id since.
log=$runtime/program.log
env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$socket" WAYLAND_DEBUG=1 "$program" >"$log" 2>&1 &
app=$!
mapped=
for _ in $(seq 200); do
  configured=$(grep -n -m1 'xdg_surface[@#][0-9]*\.ack_configure' "$log" | cut -d: -f1)
  if [ -n "$configured" ] && tail -n +"$configured" "$log" | grep -q 'wl_surface[@#][0-9]*\.attach(wl_buffer'; then
    mapped=1
    break
  fi
  kill -0 "$app" 2>/dev/null || break
  sleep 0.1
done
if [ -n "$mapped" ]; then ok "the window maps on Wayland"; else fail "the window did not map on Wayland"; fi
if grep -q "xdg_toplevel[@#][0-9]*\.set_app_id(\"$app_id\")" "$log"; then
  ok "the window carries the application id $app_id"
else
  fail "the window does not carry the application id $app_id: $(grep -o 'set_app_id([^)]*)' "$log" | head -n1)"
fi
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
app=

# No display at all.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)
status=$?
if [ "$status" -eq 1 ] && [ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] && [[ "$out" == *"no display"* ]]; then
  ok "without a display: one line, status 1 ($out)"
else
  fail "without a display: status $status, output: $out"
fi
exit "$failed"
