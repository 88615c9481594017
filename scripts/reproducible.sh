#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from fresh clones of the committed tree at two
# different paths, one after the other and in two time zones, and checks
# that every .deb (the -dbgsym one included) is byte-identical. Where they
# differ, diffoscope's report says how. The builds leave the tests out
# (nocheck): they do not go into the package.
#   scripts/reproducible.sh          two builds, compared
#   scripts/reproducible.sh DIR      one build, compared with the packages in
#                                    DIR, built from this same tree earlier
#                                    (build-deb/, by scripts/package.sh, with
#                                    its tests: the nocheck profile must not
#                                    change a package either)
set -euo pipefail
cd "$(dirname "$0")/.."
export DEB_BUILD_OPTIONS=nocheck DEB_BUILD_PROFILES=nocheck
./scripts/setup.sh builddeps

top=$PWD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build() { # folder time-zone
  git clone -q --no-hardlinks "$top" "$1"
  echo "building in $1 (TZ=$2, $(TZ=$2 date '+%F %T %Z'))"
  (cd "$1" && TZ=$2 ./scripts/package.sh >/dev/null)
}
if [ $# -gt 0 ]; then
  first=$(cd "$1" && pwd)
  compgen -G "$first/*.deb" >/dev/null || { echo "reproducible.sh: no .deb in $1" >&2; exit 2; }
  # Packages of the work tree's changes are not those of the committed tree.
  [ -z "$(git status --porcelain --untracked-files=normal)" ] ||
    { echo "reproducible.sh: the work tree has changes not committed; $1 was built from them" >&2; exit 2; }
  echo "comparing with the packages in $1"
else
  build "$work/first/krtd258" UTC0
  first=$work/first/krtd258/build-deb
fi
build "$work/second/a/longer/path/to/krtd258" XYZ-14
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
