# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Shell functions shared by the scripts and the test scripts; sourced, not
# run. Each works with or without set -e in the caller.
#   . "$(dirname "$0")/lib.sh"               from scripts/
#   . "$(dirname "$0")/../scripts/lib.sh"    from tests/

# Copies the working tree into the folder DIR as a clone with the changes
# not yet committed would have it: the files git tracks or would add (not
# the ignored ones), less tracked files deleted in the work tree. Run from
# the top of the repository. Fails if git or tar does.
#   copy_tree [--git] [--no-same-owner] DIR
#   --git            the history (.git) too
#   --no-same-owner  the copies belong to whoever runs it; otherwise root
#                    gives them the owners they have in the work tree
copy_tree() (
  set -o pipefail
  with_git=
  owner=()
  while [ $# -gt 1 ]; do
    case "$1" in
      --git) with_git=1 ;;
      --no-same-owner) owner=(--no-same-owner) ;;
      *) echo "copy_tree: unknown option $1" >&2; exit 2 ;;
    esac
    shift
  done
  [ $# -eq 1 ] && [ -d "$1" ] || { echo "copy_tree: no folder '${1:-}' to copy into" >&2; exit 2; }
  {
    # A deleted file is passed over, the last one too (the loop's status
    # is that of its last command).
    git ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' f; do [ ! -e "$f" ] || printf '%s\0' "$f"; done || exit 1
    [ -z "$with_git" ] || printf '.git\0'
  } | tar --null -T - -cf - | tar -C "$1" "${owner[@]}" -xf -
)

# The package scripts/package.sh builds from this tree for this machine's
# architecture: its path in build-deb/. Run from the top of the repository.
built_deb() {
  local version arch
  version=$(dpkg-parsechangelog -l debian/changelog -S Version) || return 1
  arch=$(dpkg-architecture -qDEB_HOST_ARCH) || return 1
  echo "$PWD/build-deb/krtd258_${version}_$arch.deb"
}

# Waits until the process PID has ended, SECONDS (a whole number) at most,
# looking every 0.1 s; returns 1 if it still runs then. Its exit status is
# left for the caller's wait.
#   wait_for_end PID SECONDS
wait_for_end() {
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  ! kill -0 "$1" 2>/dev/null
}

# Runs a command every 50 ms until it succeeds, 10 s at most; returns 1 if
# it never did.
#   wait_until COMMAND [ARGUMENT...]
wait_until() {
  local i
  for ((i = 0; i < 200; i++)); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

# One check of a test script, by the status of what it checked: says
# "ok: WHAT" or "FAIL: WHAT", and counts the failures in check_failures.
#   check STATUS WHAT
check_failures=0
check() {
  if [ "$1" -eq 0 ]; then
    echo "ok: $2"
  else
    echo "FAIL: $2"
    check_failures=$((check_failures + 1))
  fi
}

# The program a test script has started and not yet ended, if any: app
# holds its PID. end_app ends it and waits for what the script started;
# a test script sets `trap end_app EXIT`.
app=
end_app() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  wait 2>/dev/null
  app=
}
