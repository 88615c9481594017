#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs from Debian's archive what the named jobs need, where it is
# missing. Jobs: build (the program), test (the test suite), fuzz (the
# fuzz targets), libcxx (clang with libc++), mingw (the Windows cross
# compiler), package (the Debian package and its checks). Builds nothing.
#   scripts/setup.sh build test
set -euo pipefail

packages=()
for job in "$@"; do
  case "$job" in
    build) packages+=(build-essential cmake pkg-config qt6-base-dev qt6-qpa-plugins qt6-wayland libgl-dev fonts-freefont-ttf) ;;
    test) packages+=(libbenchmark-dev locales xvfb xdotool x11-utils imagemagick dbus-daemon weston qt6-gtk-platformtheme
                     qt6ct qt6-base-private-dev at-spi2-core python3-pyatspi) ;;
    fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
    libcxx) packages+=(clang-14 libc++-14-dev libc++abi-14-dev) ;;
    mingw) packages+=(g++-mingw-w64-x86-64-posix) ;;
    package) packages+=(debhelper dpkg-dev lintian desktop-file-utils appstream xvfb xdotool x11-utils imagemagick
                        dbus-daemon) ;;
    *) echo "setup.sh: unknown job '$job'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -q >/dev/null
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
