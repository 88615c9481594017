#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tests the installed package as Debian's CI does (autopkgtest, debian/tests)
# on this machine (the null runner, which installs the package and the tests'
# dependencies here). The source tree it reads is a copy of the files git
# knows, without the build folders; its results stay in build-deb/autopkgtest.
#   scripts/autopkgtest.sh [FILE.deb]     (default: the one package.sh built)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
./scripts/setup.sh autopkgtest
deb=$(realpath "${1:-$(built_deb)}")
[ -f "$deb" ] || { echo "autopkgtest.sh: no package $deb: build it with scripts/package.sh" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/src"
copy_tree "$work/src"
out=$PWD/build-deb/autopkgtest
rm -rf "$out"
autopkgtest --output-dir "$out" "$deb" "$work/src" -- null
