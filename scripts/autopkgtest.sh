#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tests the installed package as Debian's CI does (autopkgtest, debian/tests)
# on this machine (the null runner, which installs the package and the tests'
# dependencies here). The tests run from the tree scripts/package.sh built
# the package in (build-deb/tree), as autopkgtest runs them from the tree it
# builds for tests that need one; their results stay in build-deb/autopkgtest.
# TEST names one test of debian/tests/control to run (given once per test);
# by default every one runs.
#   scripts/autopkgtest.sh [--test TEST]... [FILE.deb]   (default: the one package.sh built)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
names=()
while [ "${1:-}" = --test ]; do
  names+=(--test-name "$2")
  shift 2
done
./scripts/setup.sh autopkgtest
deb=$(realpath "${1:-$(built_deb)}")
[ -f "$deb" ] || { echo "autopkgtest.sh: no package $deb: build it with scripts/package.sh" >&2; exit 1; }
tree=$PWD/build-deb/tree
[ -f "$tree/debian/files" ] ||
  { echo "autopkgtest.sh: no built tree in ${tree#"$PWD"/}: build the package with scripts/package.sh" >&2; exit 1; }
out=$PWD/build-deb/autopkgtest
rm -rf "$out"
autopkgtest --output-dir "$out" "${names[@]}" "$deb" "$tree" -- null
