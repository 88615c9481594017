#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command on a copy of this repository inside a fresh minimal root of
# the named Debian release, made from Debian's archive with debootstrap, as a
# new user's machine would be. Needs root.
#   scripts/in-debian.sh RELEASE COMMAND [ARGUMENT...]
#   scripts/in-debian.sh trixie ./scripts/test.sh
# The command runs in /src, the repository's tracked and changed files. The
# whole log goes to build-debian/RELEASE.log; on failure its last lines are
# shown as well. With IN_DEBIAN_KEEP=1 the root is kept in build-debian/RELEASE
# (and reused by the next run, which then only refreshes /src).
set -euo pipefail
cd "$(dirname "$0")/.."

[ $# -ge 2 ] || { echo "usage: $0 RELEASE COMMAND [ARGUMENT...]" >&2; exit 2; }
release=$1
shift
[ "$(id -u)" -eq 0 ] || { echo "in-debian.sh: making a root needs root" >&2; exit 2; }
case "$release" in *[!a-z]* | '') echo "in-debian.sh: '$release' is not a release name" >&2; exit 2 ;; esac

./scripts/setup.sh debian
mkdir -p build-debian
out=$(cd build-debian && pwd)
root=$out/$release
log=$out/$release.log
: >"$log"

mounted=()
# Unmounts everything this run mounted under the root, deepest first, and
# deletes the root unless it is to be kept; a root that still has a mount in
# it is never deleted.
cleanup() {
  local status=$?
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R "${mounted[i]}" 2>/dev/null || umount -R -l "${mounted[i]}" 2>/dev/null || true
  done
  if findmnt -rn -o TARGET | grep -q "^$root\(/\|$\)"; then
    echo "in-debian.sh: $root still has mounts; left in place" >&2
  elif [ "${IN_DEBIAN_KEEP:-}" != 1 ] && [ -d "$root" ]; then
    rm -rf --one-file-system "$root"
  fi
  if [ "$status" -ne 0 ]; then
    echo "in-debian.sh: failed in $release (status $status); the last lines of $log:" >&2
    tail -n 60 "$log" >&2
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ ! -x "$root/usr/bin/apt-get" ]; then
  rm -rf --one-file-system "$root"
  echo "Making a minimal $release root (log: $log)"
  start=$SECONDS
  debootstrap --variant=minbase "$release" "$root" >>"$log" 2>&1
  echo "  made in $((SECONDS - start)) s"
fi

# No services start inside the root while packages install.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

# The repository as a clone would have it, with the changes not yet committed
# (over what a kept root holds, so that its build directories stay valid).
mkdir -p "$root/src"
git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' f; do
  [ -e "$f" ] && printf '%s\0' "$f"
done | tar --null -T - -cf - | tar -C "$root/src" -xf -

for fs in proc sys dev; do
  mkdir -p "$root/$fs"
  case "$fs" in
    proc) mount -t proc proc "$root/proc" ;;
    sys) mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys" ;;
    dev) mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" ;;
  esac
  mounted+=("$root/$fs")
done

echo "Running in $release: $*"
start=$SECONDS
env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  TERM="${TERM:-dumb}" CI="${CI:-}" \
  chroot "$root" /bin/bash -c 'cd /src && exec "$@"' in-debian "$@" </dev/null >>"$log" 2>&1
echo "  done in $((SECONDS - start)) s"
grep -E '^(100% tests passed|[0-9]+% tests passed)' "$log" || true
