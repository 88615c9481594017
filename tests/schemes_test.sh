#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures the contrast of every text of the real chart window in a virtual X
# server (Xvfb) under real platform themes: GTK's Adwaita and Adwaita:dark,
# and qt6ct with the dark and the high-contrast schemes of tests/schemes.
#   session.sh --x --dbus -- schemes_test.sh PROBE SOURCE_DIR
set -uo pipefail

# Runs inside tests/session.sh --x --dbus, as realwindow_test.sh does.
probe=$1
source_dir=$2
out=${SCHEMES_OUT:-$PWD/schemes}
mkdir -p "$out"
[ -n "${DISPLAY:-}" ] || { echo "no X server: run this through tests/session.sh --x"; exit 1; }
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
failed=0
run() { # name light|dark env...
  local name=$1 kind=$2
  shift 2
  echo "== $name"
  (cd "$out" && env -u QT_QPA_PLATFORMTHEME -u GTK_THEME QT_QPA_PLATFORM=xcb "$@" "$probe" "$name" "$kind") ||
    failed=1
}
# A qt6ct configuration using one of the shipped colour schemes.
qt6ctHome() { # scheme file -> XDG_CONFIG_HOME
  mkdir -p "$config/$1/qt6ct"
  printf '[Appearance]\ncustom_palette=true\ncolor_scheme_path=%s\nstyle=Fusion\n' \
    "$source_dir/tests/schemes/$1.conf" >"$config/$1/qt6ct/qt6ct.conf"
  echo "$config/$1"
}

run standard light
if [ -e "$plugins/platformthemes/libqgtk3.so" ]; then
  run adwaita light QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita
  run adwaita-dark dark QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
else
  echo "missing the GTK platform theme (qt6-gtk-platformtheme)"; failed=1
fi
if [ -e "$plugins/platformthemes/libqt6ct.so" ]; then
  run qt6ct-dark dark QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$(qt6ctHome dark)"
  run qt6ct-contrast dark QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$(qt6ctHome contrast)"
else
  echo "missing the qt6ct platform theme (qt6ct)"; failed=1
fi
exit $failed
