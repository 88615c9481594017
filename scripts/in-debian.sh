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
# IN_DEBIAN_NAME=NAME names the root, its log and its packages' folder
# NAME instead of RELEASE: two roots of one release, side by side.
# The packages the command builds (new .deb files in /src/build-deb) are kept
# in build-debian/RELEASE-debs/. IN_DEBIAN_DEBS=DIR puts DIR's .deb files in
# /debs of the root first, for the command to install:
#   IN_DEBIAN_DEBS=build-debian/bookworm-debs scripts/in-debian.sh trixie ./scripts/install-test.sh /debs
set -euo pipefail
# Where the script was started from, as a folder given there is meant.
debs_in=
if [ -n "${IN_DEBIAN_DEBS:-}" ]; then
  debs_in=$(cd "$IN_DEBIAN_DEBS" 2>/dev/null && pwd -P) &&
    compgen -G "$debs_in/*.deb" >/dev/null ||
    { echo "in-debian.sh: no .deb in IN_DEBIAN_DEBS=$IN_DEBIAN_DEBS" >&2; exit 2; }
fi
cd "$(dirname "$0")/.."
. scripts/lib.sh

[ $# -ge 2 ] || { echo "usage: $0 RELEASE COMMAND [ARGUMENT...]" >&2; exit 2; }
release=$1
shift
[ "$(id -u)" -eq 0 ] || { echo "in-debian.sh: making a root needs root" >&2; exit 2; }
case "$release" in *[!a-z]* | '') echo "in-debian.sh: '$release' is not a release name" >&2; exit 2 ;; esac
case "$PWD" in *[!A-Za-z0-9/._-]*) echo "in-debian.sh: the repository's path has characters it does not take: $PWD" >&2; exit 2 ;; esac

./scripts/setup.sh debian
mkdir -p build-debian
out=$(cd build-debian && pwd -P)
name=${IN_DEBIAN_NAME:-$release}
case "$name" in *[!a-z0-9-]* | '') echo "in-debian.sh: '$name' is not a name for a root" >&2; exit 2 ;; esac
root=$out/$name
log=$out/$name.log
debs_out=$out/$name-debs
[ "$debs_in" != "$debs_out" ] ||
  { echo "in-debian.sh: IN_DEBIAN_DEBS names the folder this run keeps its own packages in" >&2; exit 2; }
: >"$log"
rm -rf "$debs_out" # never an earlier run's packages taken for this one's

# The mounts at or under the root, deepest first (the path was checked to
# hold no character findmnt would escape); fails if findmnt does.
mounts() {
  local all
  all=$(findmnt -rn -o TARGET) || return 1
  awk -v r="$root" '$0 == r || index($0, r "/") == 1' <<<"$all" | sort -r
}

# Ends what still runs inside the root (a daemon a test left behind would
# keep its mounts busy), until nothing does (20 s at most), then unmounts
# everything under it.
free_root() {
  local pid target round left
  for ((round = 0; round < 100; round++)); do
    left=
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
      if [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ]; then
        kill -KILL "$pid" 2>/dev/null || true
        left=1
      fi
    done
    [ -z "$left" ] && break
    sleep 0.2
  done
  for target in $(mounts || true); do
    umount "$target" 2>/dev/null || umount -l "$target" 2>/dev/null || true
  done
}

# Deletes the root; never one that still has a mount in it, nor one whose
# mounts cannot be listed.
remove_root() {
  local left
  if ! left=$(mounts) || [ -n "$left" ]; then
    echo "in-debian.sh: $root may still have mounts; left in place" >&2
    return 1
  fi
  rm -rf --one-file-system "$root"
}

# Unmounts, and deletes the root unless it is to be kept. A second signal
# does not cut it short.
cleanup() {
  local status=$?
  trap '' INT TERM HUP
  free_root
  rmdir "$debs_out" 2>/dev/null || true # when it holds no package
  if [ "${IN_DEBIAN_KEEP:-}" != 1 ] && [ -d "$root" ]; then
    remove_root || status=1
  fi
  if [ "$status" -ne 0 ]; then
    echo "in-debian.sh: failed in $release (status $status); the last lines of $log:" >&2
    tail -n 80 "$log" >&2
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

free_root # what an earlier run that was killed may have left
if [ ! -x "$root/usr/bin/apt-get" ]; then
  [ ! -e "$root" ] || remove_root
  echo "Making a minimal $release root (log: $log)"
  start=$SECONDS
  # Every Debian release since squeeze bootstraps the same way, and
  # debootstrap names each one it knows a link to its sid script: a release
  # newer than this debootstrap (forky on Debian 12's) takes that script.
  script=()
  [ -e "/usr/share/debootstrap/scripts/$release" ] ||
    script=(http://deb.debian.org/debian /usr/share/debootstrap/scripts/sid)
  debootstrap --variant=minbase "$release" "$root" "${script[@]}" >>"$log" 2>&1
  echo "  made in $((SECONDS - start)) s"
fi

# The archive these machines reach is a snapshot. A stable release's Release
# file has no Valid-Until, but testing's and unstable's are valid for a week
# only, and apt refuses them once that is past. In a root of those alone
# apt is told not to check the date, as for any snapshot of the archive.
case "$release" in
  forky | testing | sid | unstable)
    printf 'Acquire::Check-Valid-Until "false";\n' >"$root/etc/apt/apt.conf.d/99snapshot" ;;
  *) rm -f "$root/etc/apt/apt.conf.d/99snapshot" ;;
esac

# The root lives for one run: dpkg need not wait for each file to reach the
# disk, and documentation, manual pages and translations are not installed
# (as in Debian's minimal container images); apt fetches no translated
# package descriptions. The packages built here are checked as files
# (lintian, package-test.sh), not as installed.
printf '%s\n' force-unsafe-io 'path-exclude=/usr/share/doc/*' 'path-include=/usr/share/doc/*/copyright' \
  'path-exclude=/usr/share/man/*' 'path-exclude=/usr/share/info/*' 'path-exclude=/usr/share/locale/*' \
  >"$root/etc/dpkg/dpkg.cfg.d/one-run"
printf 'Acquire::Languages "none";\n' >"$root/etc/apt/apt.conf.d/99one-run"

# No services start inside the root while packages install.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
cp --remove-destination /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

# The repository as a clone would have it (its history too, which the
# packaging scripts read), with the changes not yet committed, over what a
# kept root holds, so that its build directories stay valid.
mkdir -p "$root/src"
copy_tree --git --no-same-owner "$root/src"

rm -rf "$root/debs"
if [ -n "$debs_in" ]; then
  mkdir "$root/debs"
  cp -- "$debs_in"/*.deb "$root/debs/"
fi

# What the build and the tests need of the kernel: processes, devices
# (/dev/shm for the X server's shared memory, ptys) and sysfs.
mkdir -p "$root/proc" "$root/sys" "$root/dev"
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --make-rslave "$root/sys"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"

echo "Running in $release: $*"
start=$SECONDS
mkdir "$debs_out" # its time marks the command's start
# In the background, so that a signal to this script is handled at once.
env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  TERM="${TERM:-dumb}" CI="${CI:-}" CXXFLAGS="${CXXFLAGS:-}" DEB_CXXFLAGS_APPEND="${DEB_CXXFLAGS_APPEND:-}" \
  chroot "$root" /bin/bash -c 'cd /src && exec "$@"' in-debian "$@" </dev/null >>"$log" 2>&1 &
wait $!
echo "  done in $((SECONDS - start)) s"
if [ -d "$root/src/build-deb" ]; then
  find "$root/src/build-deb" -maxdepth 1 -name '*.deb' -newer "$debs_out" -exec cp -t "$debs_out" -- {} +
fi
if compgen -G "$debs_out/*.deb" >/dev/null; then
  echo "  packages kept: $(cd "$debs_out" && echo *.deb) in ${debs_out#"$PWD"/}/"
fi
grep -E '^([0-9]+% tests passed|(package|install) test: |Total Test time)' "$log" || true
