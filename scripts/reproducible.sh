#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package twice, each from a fresh clone of the committed
# tree, at two different paths, one after the other and in two time zones,
# and checks that every .deb (the -dbgsym one included) is byte-identical.
# Where they differ, diffoscope's report says how. Both builds leave the
# tests out (nocheck): they do not go into the package.
#   scripts/reproducible.sh
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh build package

top=$PWD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export DEB_BUILD_OPTIONS=nocheck DEB_BUILD_PROFILES=nocheck

build() { # folder time-zone
  git clone -q --no-hardlinks "$top" "$1"
  echo "building in $1 (TZ=$2, $(TZ=$2 date '+%F %T %Z'))"
  (cd "$1" && TZ=$2 ./scripts/package.sh >/dev/null)
}
build "$work/first/krtd258" UTC0
build "$work/second/a/longer/path/to/krtd258" XYZ-14

first=$work/first/krtd258/build-deb
second=$work/second/a/longer/path/to/krtd258/build-deb
differ=0
debs=$(cd "$first" && ls -- *.deb)
[ "$debs" = "$(cd "$second" && ls -- *.deb)" ] || { echo "the two builds made different packages"; exit 1; }
for deb in $debs; do
  if cmp -s "$first/$deb" "$second/$deb"; then
    echo "identical: $(cd "$first" && sha256sum "$deb")"
  else
    echo "DIFFERENT: $deb"
    differ=1
  fi
done
if [ "$differ" -ne 0 ]; then
  ./scripts/setup.sh diffoscope
  for deb in $debs; do
    cmp -s "$first/$deb" "$second/$deb" || diffoscope --text - "$first/$deb" "$second/$deb" | head -n 400 || true
  done
  exit 1
fi
echo "reproducible: $(echo "$debs" | wc -w) packages byte-identical"
