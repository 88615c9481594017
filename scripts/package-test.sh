#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package and checks it as a desktop would see it: lintian,
# the desktop entry, the AppStream metadata, the icons, debian/copyright and
# the versions, then runs the unpacked program (never installed on this
# machine) in an X server of its own (tests/session.sh), once directly and
# once through the desktop entry's Exec line. One line per check; exits 1 if
# any failed.
#   scripts/package-test.sh              build the package, then check it
#   scripts/package-test.sh FILE.deb     check a package already built
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

passed=0
failed=0
ok() { echo "ok: $*"; passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }

# Inside the session: the command's window appears with the class CLASS and
# an icon, and belongs to the unpacked program.
#   package-test.sh --window WHAT CLASS PROGRAM COMMAND...
if [ "${1:-}" = --window ]; then
  what=$2 class=$3 program=$4
  shift 4
  log=$XDG_RUNTIME_DIR/program.log
  "$@" >"$log" 2>&1 &
  app=$!
  trap 'kill "$app" 2>/dev/null; wait 2>/dev/null' EXIT
  wid=$(timeout 30 xdotool search --sync --limit 1 --class "^$class\$" 2>/dev/null)
  if [ -z "$wid" ]; then
    fail "$what: no window of class $class appeared"
    sed 's/^/  program: /' "$log"
    exit 1
  fi
  ok "$what: the window appears with class $class"
  pid=$(xprop -id "$wid" _NET_WM_PID | sed -n 's/.* = //p')
  exe=$(readlink "/proc/$pid/exe" 2>/dev/null)
  [ "$exe" = "$program" ] && ok "$what: the window is the unpacked program's" ||
    fail "$what: the window belongs to '${exe:-pid $pid}', not $program"
  # Qt sets the icon right after mapping the window: waited for, 10 s at most.
  for _ in $(seq 200); do
    icon_prop=$(xprop -id "$wid" _NET_WM_ICON 2>/dev/null)
    grep -q 'Icon (' <<<"$icon_prop" && break
    sleep 0.05
  done
  grep -q 'Icon (' <<<"$icon_prop" && ok "$what: the window carries an icon (_NET_WM_ICON)" ||
    fail "$what: the window has no icon: $icon_prop"
  exit 0
fi
finish() {
  echo "package test: $passed passed, $failed failed (${SECONDS}s)"
  [ "$failed" -eq 0 ]
  exit
}

if [ $# -gt 0 ]; then
  deb=$(realpath "$1")
else
  deb=$(./scripts/package.sh | tail -n1)
  if [ -f "$deb" ]; then ok "the package builds: ${deb#"$PWD"/}"; else fail "the package builds"; finish; fi
fi
./scripts/setup.sh package-check

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- lintian: no error, no warning; every tag it gives is shown ---
lintian_out=$(lintian --info --display-info "$deb" 2>&1 | grep -v '^running with root privileges')
[ -z "$lintian_out" ] || printf '  %s\n' "$lintian_out"
if grep -qE '^[EW]: ' <<<"$lintian_out"; then
  fail "lintian reports errors or warnings"
else
  ok "lintian: no error, no warning ($(grep -cE '^[IPX]: ' <<<"$lintian_out") other tags)"
fi

root=$work/root
dpkg-deb -x "$deb" "$root" || { fail "the package unpacks"; finish; }
app_id=org.krtd258.ChartReader
desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
program=$root/usr/bin/krtd258

for f in "$program" "$desktop" "$metainfo" "$root/usr/share/man/man1/krtd258.1.gz"; do
  if [ -f "$f" ]; then ok "the package holds ${f#"$root"}"; else fail "the package lacks ${f#"$root"}"; fi
done

depends=$(dpkg-deb -f "$deb" Depends)
for p in fonts-freefont-ttf qt6-qpa-plugins libqt6widgets6; do
  if grep -qE "(^|, )$p( |,|$)" <<<"$depends"; then ok "the package depends on $p"; else fail "the package does not depend on $p: $depends"; fi
done

# The Wayland platform plugin is recommended: the program runs on X11 without it.
recommends=$(dpkg-deb -f "$deb" Recommends)
if grep -qE "(^|, )qt6-wayland( |,|$)" <<<"$recommends" && ! grep -qE "(^|, )qt6-wayland( |,|$)" <<<"$depends"; then
  ok "the package recommends qt6-wayland and does not depend on it"
else
  fail "qt6-wayland is not a recommendation only: Depends $depends; Recommends $recommends"
fi

# --- desktop entry and AppStream metadata, as installed ---
out=$(./scripts/validate-desktop.sh "$desktop") && ok "desktop-file-validate: the desktop entry is valid" ||
  fail "desktop-file-validate"
[ -z "$out" ] || printf '  %s\n' "$out"

# No homepage on purpose (the project has none yet): AppStream 1.0 warns of
# that, and of nothing else it may.
out=$(appstreamcli validate --no-net "$metainfo" 2>&1)
status=$?
grep . <<<"$out" | sed 's/^/  /'
problems=$(grep -E '^[EW]: ' <<<"$out")
if command -v appstreamcli >/dev/null &&
   { [ $status -eq 0 ] && [ -z "$problems" ] || [ "$problems" = "W: $app_id:~: url-homepage-missing" ]; }; then
  ok "appstreamcli validate --no-net: no error, no warning but the missing homepage"
else
  fail "appstreamcli validate --no-net"
fi

entry() { sed -n "s/^$1=//p" "$desktop" | head -n1; }
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ "$launchable" = "$(basename "$desktop")" ] && ok "the metadata launches the packaged desktop entry" ||
  fail "the metadata's launchable '$launchable' is not $(basename "$desktop")"

# Every size the hicolor theme looks in, each picture of its directory's size.
icon=$(entry Icon)
for size in 16 24 32 48 64 128 256; do
  png=$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png
  got=$(identify -format '%m %wx%h' "$png" 2>/dev/null)
  [ "$got" = "PNG ${size}x$size" ] && ok "icon $icon at ${size}x$size" ||
    fail "icon ${png#"$root"} is '${got:-missing}', not a ${size}x$size PNG"
done
svg=$root/usr/share/icons/hicolor/scalable/apps/$icon.svg
grep -q '<svg' "$svg" 2>/dev/null && ok "scalable icon $icon.svg" || fail "no scalable icon ${svg#"$root"}"

# The program tells Wayland compositors the desktop entry's name (a UTF-16 string in Qt).
if strings -el "$program" | grep -qxF "$app_id"; then
  ok "the program names its desktop entry $app_id"
else
  fail "the program does not name its desktop entry $app_id"
fi

# --- debian/copyright and the versions ---
out=$(./scripts/make-copyright.sh --check 2>&1) && ok "debian/copyright is up to date" ||
  { printf '  %s\n' "$out"; fail "debian/copyright differs from what scripts/make-copyright.sh writes"; }

cmake_version=$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog_version=$(dpkg-parsechangelog -S Version)
upstream_version=${changelog_version#*:}
upstream_version=${upstream_version%-*}
package_version=$(dpkg-deb -f "$deb" Version)
release=$(grep -m1 -o '<release [^>]*>' "$metainfo")
release_version=$(sed -n 's/.*version="\([^"]*\)".*/\1/p' <<<"$release")
release_date=$(sed -n 's/.*date="\([^"]*\)".*/\1/p' <<<"$release")
changelog_date=$(date -u -d "$(dpkg-parsechangelog -S Date)" +%F)
if [ -n "$cmake_version" ] && [ "$cmake_version" = "$upstream_version" ] &&
   [ "$package_version" = "$changelog_version" ] && [ "$release_version" = "$cmake_version" ]; then
  ok "one version everywhere: $cmake_version (CMake, debian/changelog $changelog_version, metadata release)"
else
  fail "versions differ: CMake '$cmake_version', debian/changelog '$changelog_version', package '$package_version', metadata release '$release_version'"
fi
[ "$release_date" = "$changelog_date" ] && ok "the metadata release date $release_date is debian/changelog's" ||
  fail "the metadata release date '$release_date' is not debian/changelog's $changelog_date"

# --- the unpacked program in a real X server ---
export XDG_DATA_DIRS=$root/usr/share:/usr/share

# run_window WHAT CLASS COMMAND...: in an X server and D-Bus session of its own.
run_window() {
  local line checks=0
  while IFS= read -r line; do
    echo "$line"
    case "$line" in ok:*) passed=$((passed + 1)) checks=$((checks + 1)) ;; FAIL:*) failed=$((failed + 1)) checks=$((checks + 1)) ;; esac
  done < <(bash tests/session.sh --x --dbus --screen 1280x1024 -- bash "$0" --window "$1" "$2" "$program" "${@:3}" 2>&1)
  [ "$checks" -ge 3 ] || fail "$1: the X session ended before its three checks"
}

run_window "krtd258 started directly" krtd258 "$program"

# The desktop entry's Exec line, field codes dropped, the unpacked usr/bin first on PATH.
exec_line=$(entry Exec | sed 's/%[a-zA-Z]//g')
read -ra exec_cmd <<<"$exec_line"
wm_class=$(entry StartupWMClass)
if [ ${#exec_cmd[@]} -eq 0 ] || [ -z "$wm_class" ]; then
  fail "the desktop entry has no Exec or no StartupWMClass"
else
  run_window "started through the desktop entry ($exec_line)" "$wm_class" \
    env PATH="$root/usr/bin:$PATH" "${exec_cmd[@]}"
fi

finish
