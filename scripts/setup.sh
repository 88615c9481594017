#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs from Debian's archive what the named jobs need, where it is
# missing. Jobs: build (the program), test (the test suite), fuzz (the
# fuzz targets), libcxx (clang with libc++), mingw (the Windows cross
# compiler), autopkgtest (the
# installed-package test), diffoscope (comparing two builds), debian (making
# a fresh Debian root for scripts/in-debian.sh), builddeps (what the Debian
# package's build needs: its Build-Depends, less those of its tests under
# the nocheck profile in DEB_BUILD_PROFILES, and nothing else), package-check
# (the checks of a built package). Builds nothing. Where another
# program holds the package manager's lock (automatic updates, say), it waits
# for it.
#   scripts/setup.sh build test
set -euo pipefail

packages=() builddeps=
for job in "$@"; do
  case "$job" in
    build) packages+=(build-essential cmake pkg-config qt6-base-dev qt6-qpa-plugins qt6-wayland libgl-dev fonts-freefont-ttf) ;;
    test) packages+=(libbenchmark-dev locales xvfb xdotool x11-utils x11-xserver-utils openbox imagemagick dbus-daemon weston qt6-gtk-platformtheme
                     qt6ct qt6-base-private-dev at-spi2-core python3-pyatspi orca speech-dispatcher espeak-ng sway) ;;
    fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
    libcxx) packages+=(clang-14 libc++-14-dev libc++abi-14-dev) ;;
    mingw) packages+=(g++-mingw-w64-x86-64-posix) ;;
    debian) packages+=(debootstrap debian-archive-keyring) ;;
    autopkgtest) packages+=(autopkgtest) ;;
    diffoscope) packages+=(diffoscope-minimal) ;;
    builddeps) packages+=(build-essential dpkg-dev git) builddeps=1 ;;
    package-check) packages+=(lintian desktop-file-utils appstream xvfb xdotool x11-utils imagemagick dbus-daemon) ;;
    *) echo "setup.sh: unknown job '$job'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The Build-Depends are apt's to resolve, from debian/control, once
# dpkg-checkbuilddeps finds one unmet.
profiles=(${DEB_BUILD_PROFILES:+--build-profiles="${DEB_BUILD_PROFILES// /,}"})
build_deps=
if [ -n "$builddeps" ]; then
  if [ ${#missing[@]} -gt 0 ] || ! (cd "$(dirname "$0")/.." && dpkg-checkbuilddeps) >/dev/null 2>&1; then
    build_deps=1
  fi
fi
[ ${#missing[@]} -eq 0 ] && [ -z "$build_deps" ] && exit 0

# The process holding one of the package manager's locks, if any: dpkg and
# apt lock with fcntl, which /proc/locks lists by device (major:minor, in
# hex) and inode.
lock_holder() {
  local lock dev inode id
  for lock in /var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock /var/cache/apt/archives/lock; do
    read -r dev inode < <(stat -c '%d %i' "$lock" 2>/dev/null) || continue
    id=$(printf '%02x:%02x:%d' $(((dev >> 8) & 0xfff)) $(((dev & 0xff) | ((dev >> 12) & 0xfff00))) "$inode")
    awk -v id="$id" '$2 != "->" && $6 == id { print $5; found = 1; exit } END { exit !found }' /proc/locks &&
      return 0
  done
  return 1
}

# Waits, saying so once, while another program uses the package manager (an
# hour at most: then apt itself reports the lock).
wait_for_lock() {
  local pid said= i
  for ((i = 0; i < 1800; i++)); do
    pid=$(lock_holder) || return 0
    if [ -z "$said" ]; then
      echo "Waiting for the package manager: process $pid ($(cat "/proc/$pid/comm" 2>/dev/null || echo gone)) holds its lock"
      said=1
    fi
    sleep 2
  done
}

echo "Installing: ${missing[*]}${build_deps:+ and the build dependencies of the package}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
# apt-get update does not wait for a lock itself; install waits for dpkg's.
apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive LC_ALL=C apt-get -q -o DPkg::Lock::Timeout=3600)
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
for attempt in 1 2 3; do
  wait_for_lock
  "${apt[@]}" update >/dev/null 2>"$errors" && break
  # Taken again between the wait and the update: wait once more.
  if [ "$attempt" -eq 3 ] || ! grep -q 'Could not get lock' "$errors"; then
    cat "$errors" >&2
    exit 1
  fi
done
wait_for_lock
[ ${#missing[@]} -eq 0 ] || "${apt[@]}" install -y --no-install-recommends "${missing[@]}" >/dev/null
if [ -n "$build_deps" ]; then
  wait_for_lock
  "${apt[@]}" build-dep -y --no-install-recommends "${profiles[@]}" "$(cd "$(dirname "$0")/.." && pwd)" >/dev/null
fi
