#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks that docs/DEVELOPING.md names exactly the steps .ci/run runs, in
# its order: the lines of the first sh block under "## What CI runs" against
# the command lines of .ci/run (neither blank lines, comments, nor its
# set and cd lines), a trailing "  # ..." comment dropped on both sides.
# Names each step missing from the list or not run by .ci/run; exits 1 then,
# 77 (skipped) where the tree has no .ci/run or docs/DEVELOPING.md.
#   scripts/check-ci-steps.sh
set -euo pipefail
cd "$(dirname "$0")/.."
ci=.ci/run
doc=docs/DEVELOPING.md

for f in "$ci" "$doc"; do
  [ -f "$f" ] || { echo "skipped: no $f in this tree"; exit 77; }
done

# A line without its trailing comment and blanks.
bare() { sed -E 's/[[:space:]]+#([[:space:]].*)?$//; s/[[:space:]]+$//'; }

# shellcheck disable=SC2016 # the cd line's $0 is meant literally
ci_steps=$(grep -vE '^[[:space:]]*(#|$)' "$ci" | grep -vxE 'set -[a-z]+( [a-z]+)*|cd "\$\(dirname "\$0"\)/\.\."' | bare || true)
doc_steps=$(awk '
  /^## / { section = ($0 == "## What CI runs") }
  section && !inside && /^```sh$/ { inside = 1; next }
  inside && /^```$/ { exit }
  inside' "$doc" | grep -vE '^[[:space:]]*(#|$)' | bare || true)
[ -n "$doc_steps" ] || { echo "FAIL: $doc has no sh block of steps under \"## What CI runs\""; exit 1; }

if differences=$(diff <(printf '%s\n' "$ci_steps") <(printf '%s\n' "$doc_steps")); then
  echo "ok: $doc names the $(wc -l <<<"$ci_steps") steps of $ci, in order"
  exit 0
fi
echo "FAIL: $doc does not name the steps of $ci as it runs them (a step out of order shows as both):"
while IFS= read -r line; do
  case "$line" in
    "< "*) echo "  run by $ci, missing from $doc: ${line#< }" ;;
    "> "*) echo "  in $doc, not run by $ci: ${line#> }" ;;
  esac
done <<<"$differences"
exit 1
