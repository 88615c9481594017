#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The scripts' shared functions (scripts/lib.sh), one group per run:
#   scripts_lib_test.sh copy_tree      the copy of the working tree (needs git;
#                                      exits 77, skipped, without it)
#   scripts_lib_test.sh wait_for_end   the bounded wait for a process to end
#   scripts_lib_test.sh steps          CI's steps run in the background, under
#                                      set -e as .ci/run runs them
set -uo pipefail
. "$(dirname "$0")/../scripts/lib.sh" || exit 1

failed=0
ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failed=1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
now_ms() { echo $(($(date +%s%N) / 1000000)); }

case "${1:-}" in
  copy_tree)
    command -v git >/dev/null || { echo "skipped: no git"; exit 77; }
    # git looks for no repository above these folders.
    export GIT_CEILING_DIRECTORIES=$work
    mkdir -p "$work/repo/d" "$work/copy" "$work/with-git" "$work/elsewhere" "$work/no-repo"
    cd "$work/repo" || exit 1
    git init -q .
    printf 'one\n' >a
    printf 'two\n' >d/b
    printf 'last\n' >z
    printf '*.log\n' >.gitignore
    git add a d/b z .gitignore
    git -c user.name=test -c user.email=test@example.org commit -q -m files
    printf 'changed\n' >a
    printf 'new\n' >untracked
    printf 'ignored\n' >build.log
    rm z # the last file git lists, deleted in the work tree

    if copy_tree "$work/copy"; then ok "copies with the last tracked file deleted"; else fail "failed (status $?) with the last tracked file deleted"; fi
    copied=$(cd "$work/copy" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
    if [ "$copied" = "./.gitignore ./a ./d/b ./untracked " ]; then
      ok "tracked and new files copied; the deleted, the ignored and .git not"
    else
      fail "copied: $copied"
    fi
    [ "$(cat "$work/copy/a")" = changed ] && ok "a changed file as the work tree has it" ||
      fail "the changed file holds '$(cat "$work/copy/a")'"
    if copy_tree --git "$work/with-git" && [ "$(git -C "$work/with-git" rev-parse HEAD 2>/dev/null)" = "$(git rev-parse HEAD)" ]; then
      ok "--git takes the history along"
    else
      fail "--git: the copy has not the history"
    fi
    if (cd "$work/no-repo" && copy_tree "$work/elsewhere" 2>/dev/null); then
      fail "outside a repository it reports success"
    else
      ok "outside a repository it fails"
    fi
    ;;
  wait_for_end)
    sleep 0.3 &
    pid=$!
    start=$(now_ms)
    if wait_for_end "$pid" 5; then ok "a process ending after 0.3 s is seen to end"; else fail "a process ending after 0.3 s is taken to run on"; fi
    took=$(($(now_ms) - start))
    [ "$took" -lt 4000 ] && ok "it returns once the process has ended (${took} ms, bound 5 s)" ||
      fail "it returned only after $took ms for a process of 0.3 s"
    wait "$pid"

    sleep 30 &
    pid=$!
    start=$(now_ms)
    if wait_for_end "$pid" 1; then fail "a process still running after the bound is taken to have ended"; else ok "a process still running after the bound: status 1"; fi
    took=$(($(now_ms) - start))
    [ "$took" -ge 900 ] && [ "$took" -lt 4000 ] && ok "it waits the bound of 1 s (${took} ms)" ||
      fail "it gave up after $took ms, bound 1 s"
    kill "$pid"
    wait "$pid" 2>/dev/null
    ;;
  steps)
    # As .ci/run: set -e, a failed background step between two that pass.
    out=$(
      set -e
      STEP_LOGS=$work/logs
      step_start first true
      step_start broken bash -c 'echo the cause; exit 3'
      step_start last true
      trap 'status=$?; step_table || status=1; exit $status' EXIT
      step_wait first broken last
    )
    status=$?
    [ "$status" -ne 0 ] && ok "a failed background step fails the run (status $status)" ||
      fail "a failed background step: the run passed"
    grep -q '^the cause$' <<<"$out" && ok "the failed step's log is shown" ||
      fail "the failed step's log is not shown: $out"
    grep -qE '^broken +0:[0-9]{2} +0:[0-9]{2} +FAILED \(3\)$' <<<"$out" && ok "the table gives its status" ||
      fail "the table has no FAILED (3) for it: $out"
    grep -qE '^last +0:[0-9]{2} +0:[0-9]{2} +ok$' <<<"$out" && ok "the steps after it are still waited for" ||
      fail "the step after the failed one is not waited for: $out"
    ;;
  *)
    echo "usage: $0 copy_tree|wait_for_end|steps" >&2
    exit 2
    ;;
esac
exit "$failed"
