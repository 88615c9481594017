#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package into build-deb/. The build runs in build-deb/tree,
# a copy of the files git knows or would add (committed, changed and new ones,
# without ignored files), so no build output lands in the work tree and a
# fresh clone builds the same package. The built tree stays there: the
# installed package's session tests run from it (scripts/autopkgtest.sh).
# The build installs only the package's build dependencies and runs the
# tests that need nothing around them, unless DEB_BUILD_OPTIONS has nocheck
# (with DEB_BUILD_PROFILES=nocheck the tests' build dependencies need not be
# installed either). Prints the package's path last.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
./scripts/setup.sh builddeps

out=$PWD/build-deb
tree=$out/tree
mkdir -p "$out"
rm -rf "$tree" "$out"/*.deb "$out"/*.buildinfo "$out"/*.changes
mkdir "$tree"
copy_tree "$tree"

log=$out/build.log
if ! (cd "$tree" &&
      DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:+$DEB_BUILD_OPTIONS }parallel=$(nproc)" dpkg-buildpackage -b -us -uc) \
      >"$log" 2>&1; then
  tail -n 60 "$log" >&2
  echo "The package build failed; the whole log is in $log." >&2
  exit 1
fi

deb=$(built_deb)
[ -f "$deb" ] || { echo "package.sh: $deb was not built" >&2; exit 1; }
echo "$deb"
