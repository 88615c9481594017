#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs a built package with apt on this machine, as the README tells a
# user to, starts the installed program and removes the package again:
# without a display the program says so in one line and exits 1; offscreen
# it opens its window and keeps running. Meant for a fresh root of another
# release, where nothing but apt's choice of dependencies comes with it
# (scripts/in-debian.sh, IN_DEBIAN_DEBS). One line per check; exits 1 if any
# failed. Needs root.
#   scripts/install-test.sh FILE.deb|DIR   (DIR: the one krtd258_*.deb in it)
#   IN_DEBIAN_DEBS=build-debian/bookworm-debs ./scripts/in-debian.sh trixie ./scripts/install-test.sh /debs
set -uo pipefail

[ $# -eq 1 ] || { echo "usage: $0 FILE.deb|DIR" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "install-test.sh: installing a package needs root" >&2; exit 2; }
deb=$1
if [ -d "$deb" ]; then
  found=("$deb"/krtd258_*.deb)
  [ ${#found[@]} -eq 1 ] && [ -f "${found[0]}" ] ||
    { echo "install-test.sh: not one krtd258_*.deb in $deb: ${found[*]}" >&2; exit 2; }
  deb=${found[0]}
fi
[ -f "$deb" ] || { echo "install-test.sh: no package $deb" >&2; exit 2; }
# apt takes a file for a package name only with a slash in it.
deb=$(realpath "$deb")
# Not over an installed one: the test would prove nothing and remove it.
if dpkg-query -W -f='${Status}' krtd258 2>/dev/null | grep -q ' installed$'; then
  echo "install-test.sh: krtd258 is installed here already; this test wants a machine without it" >&2
  exit 2
fi

passed=0
failed=0
ok() { echo "ok: $*"; passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
finish() {
  echo "install test: $passed passed, $failed failed (${SECONDS}s)"
  [ "$failed" -eq 0 ]
  exit
}

system=$(. /etc/os-release && echo "${PRETTY_NAME:-$ID}")
version=$(dpkg-deb -f "$deb" Version)
apt=(env DEBIAN_FRONTEND=noninteractive apt-get -q -y)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# --- installed as a user installs it: apt, with what it recommends ---
if "${apt[@]}" update >"$log" 2>&1 && "${apt[@]}" install "$deb" >>"$log" 2>&1; then
  ok "apt installs $(basename "$deb") on $system"
else
  tail -n 30 "$log" | sed 's/^/  apt: /'
  fail "apt installs $(basename "$deb") on $system"
  finish
fi
status=$(dpkg-query -W -f='${Status} ${Version}' krtd258 2>/dev/null)
[ "$status" = "install ok installed $version" ] && ok "dpkg has krtd258 $version installed" ||
  fail "dpkg has krtd258 as '$status', not installed at $version"
program=$(command -v krtd258)
[ "$program" = /usr/bin/krtd258 ] && ok "krtd258 is /usr/bin/krtd258 on PATH" ||
  fail "krtd258 on PATH is '${program:-nothing}', not /usr/bin/krtd258"

# --- started: the dynamic linker finds every library, Qt its plugins ---
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/krtd258 2>&1)
code=$?
if [ "$code" -eq 1 ] && [ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] && [[ "$out" == *"no display"* ]]; then
  ok "without a display it says so in one line and exits 1 ($out)"
else
  fail "without a display: status $code, output: $out"
fi
# Still running when timeout ends it (status 124): the window was made and
# the event loop runs; a program that fails to start ends before that.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/krtd258 >"$log" 2>&1
code=$?
if [ "$code" -eq 124 ]; then
  ok "offscreen it starts and still runs after 5 s"
else
  sed 's/^/  krtd258: /' "$log" | tail -n 30
  fail "offscreen it ended within 5 s with status $code"
fi

# --- removed as the README says ---
if "${apt[@]}" remove krtd258 >"$log" 2>&1 && ! dpkg-query -W -f='${Status}' krtd258 2>/dev/null | grep -q ' installed$' &&
   [ ! -e /usr/bin/krtd258 ]; then
  ok "apt removes krtd258: /usr/bin/krtd258 is gone"
else
  tail -n 30 "$log" | sed 's/^/  apt: /'
  fail "apt removes krtd258"
fi
finish
