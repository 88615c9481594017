#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package into build-deb/. The build runs in a temporary
# copy of the files git knows or would add (committed, changed and new ones,
# without ignored files), so no build output lands in the work tree and a
# fresh clone builds the same package. The test suite runs in the build
# unless DEB_BUILD_OPTIONS has nocheck (with DEB_BUILD_PROFILES=nocheck, the
# test tools need not be installed). Prints the package's path last.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
case " ${DEB_BUILD_PROFILES:-} " in
  *" nocheck "*) ./scripts/setup.sh build package ;;
  *) ./scripts/setup.sh build test package ;; # the test suite's tools are build dependencies
esac

top=$PWD
out=$top/build-deb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/src" "$out"
rm -f "$out"/*.deb "$out"/*.buildinfo "$out"/*.changes

copy_tree "$work/src"

log=$out/build.log
if ! (cd "$work/src" &&
      DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:+$DEB_BUILD_OPTIONS }parallel=$(nproc)" dpkg-buildpackage -b -us -uc) \
      >"$log" 2>&1; then
  tail -n 60 "$log" >&2
  echo "The package build failed; the whole log is in $log." >&2
  exit 1
fi
cp "$work"/*.deb "$work"/*.buildinfo "$work"/*.changes "$out"/

deb=$(built_deb)
[ -f "$deb" ] || { echo "package.sh: $deb was not built" >&2; exit 1; }
echo "$deb"
