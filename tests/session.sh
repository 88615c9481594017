#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command inside a desktop session of its own, made of what it asks
# for, and passes on its exit status:
#   --x        an X server (Xvfb) on a display it picks itself: DISPLAY,
#              QT_QPA_PLATFORM=xcb
#   --dbus     a D-Bus session bus: DBUS_SESSION_BUS_ADDRESS
#   --atspi    the accessibility bus on that session bus (implies --dbus)
#   --wayland  a Wayland compositor (Weston, headless): WAYLAND_DISPLAY
#   --speech   speech-dispatcher on the session's socket, with no sound card:
#              each utterance is appended as a line to SPEECH_LOG and spoken
#              by espeak-ng into the file SPEECH_AUDIO
#   --screen WxH  the X screen's size (2000x1400 unless given)
#   --wm       a window manager (openbox) on the X server, placing each new
#              window under the pointer
#   --monitor NAME=WxH  one RandR monitor of the X screen, at 96 dpi; those
#              given lie side by side from the left, in the order given, and
#              make up the screen (Qt names its screens after them)
#   --output NAME=WxH@SCALE  one output of a Weston on the X server (its x11
#              backend): WxH logical pixels at an integer scale, each output
#              an X window of its own; those given lie side by side from the
#              left, in Weston's layout and on the X screen alike, and make up
#              the screen. Implies --x; sets WAYLAND_DISPLAY
#   --sway WxH@SCALE  one output of sway on the X server (wlroots' x11
#              backend, the CPU renderer): WxH device pixels at a scale that
#              may be fractional (its layout size WxH / SCALE), each output
#              an X window of its own, named X11-1, X11-2 ... in the order
#              given; they lie side by side from the left, in sway's layout
#              and on the X screen alike. Every window floats, without a
#              border. Implies --x; sets WAYLAND_DISPLAY, SWAYSOCK and
#              SWAY_OUTPUT_WINDOWS (the outputs' X windows, in order)
#   session.sh --x --dbus -- COMMAND [ARGUMENT...]
# Every session has its own XDG_RUNTIME_DIR; SESSION_LOGS names a folder to
# keep the servers' logs in. What it started ends with it: when the command
# ends, when the session is interrupted or terminated, and (through the
# kernel's parent-death signal) when it is killed outright.
set -uo pipefail

x= dbus= atspi= wayland= speech= wm= screen=2000x1400 monitors=() outputs=() sways=()
while [ $# -gt 0 ]; do
  case "$1" in
    --x) x=1 ;;
    --dbus) dbus=1 ;;
    --atspi) atspi=1 dbus=1 ;;
    --wayland) wayland=1 ;;
    --speech) speech=1 ;;
    --screen) screen=$2; shift ;;
    --monitor) monitors+=("$2"); shift ;;
    --output) outputs+=("$2"); x=1; shift ;;
    --sway) sways+=("$2"); x=1; shift ;;
    --wm) wm=1 x=1 ;;
    --) shift; break ;;
    *) echo "session.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
[ $# -gt 0 ] || { echo "usage: session.sh [--x] [--wm] [--dbus] [--atspi] [--wayland] [--speech] [--screen WxH] [--monitor NAME=WxH]... [--output NAME=WxH@SCALE]... [--sway WxH@SCALE]... -- COMMAND..." >&2; exit 2; }

dir=$(mktemp -d "${TMPDIR:-/tmp}/session.XXXXXX")
chmod 700 "$dir"
logs=${SESSION_LOGS:-$dir}
mkdir -p "$logs"
pids=()
cleanup() {
  local p
  for ((p = ${#pids[@]} - 1; p >= 0; p--)); do kill -TERM "${pids[p]}" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
trap 'exit 129' HUP

# A server of the session: it gets SIGTERM should this script die first.
daemon() { setpriv --pdeathsig TERM -- "$@" & pids+=($!); }
# Polls a condition every 50 ms for at most 10 s; says what it waited for.
await() { # what command...
  local what=$1 i
  shift
  for ((i = 0; i < 200; i++)); do
    "$@" >/dev/null 2>&1 && return 0
    kill -0 "${pids[-1]}" 2>/dev/null || break
    sleep 0.05
  done
  echo "session.sh: $what did not happen within 10 s" >&2
  return 1
}
need() { command -v "$1" >/dev/null || { echo "session.sh: missing $1" >&2; exit 1; }; }

export XDG_RUNTIME_DIR=$dir
need setpriv
# Nothing of the caller's own desktop session is used or touched: only what
# was asked for is there. (The accessibility bus launcher, for one, writes
# its address onto the X display it finds, so it starts after the X server.)
[ -n "$x" ] || unset DISPLAY
[ -n "$wayland" ] || [ ${#outputs[@]} -gt 0 ] || [ ${#sways[@]} -gt 0 ] || unset WAYLAND_DISPLAY
unset SWAYSOCK SWAY_OUTPUT_WINDOWS
[ -n "$dbus" ] || unset DBUS_SESSION_BUS_ADDRESS

if [ -n "$dbus" ]; then
  need dbus-daemon
  daemon dbus-daemon --session --nofork --address="unix:path=$dir/bus" --print-address=3 3>"$dir/bus-address" \
    >"$logs/dbus.log" 2>&1
  await "the D-Bus session bus answering" test -s "$dir/bus-address" || { cat "$logs/dbus.log" >&2; exit 1; }
  DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$dir/bus-address")
  export DBUS_SESSION_BUS_ADDRESS
fi

if [ ${#monitors[@]} -gt 0 ]; then
  width=0 height=0
  for m in "${monitors[@]}"; do
    size=${m#*=} w=${size%x*} h=${size#*x}
    width=$((width + w))
    [ "$h" -gt "$height" ] && height=$h
  done
  screen=${width}x$height
fi

if [ ${#outputs[@]} -gt 0 ]; then
  width=0 height=0
  for o in "${outputs[@]}"; do
    size=${o#*=} scale=${size#*@} size=${size%@*} w=${size%x*} h=${size#*x}
    width=$((width + w * scale))
    [ $((h * scale)) -gt "$height" ] && height=$((h * scale))
  done
  screen=${width}x$height
fi

if [ ${#sways[@]} -gt 0 ]; then
  width=0 height=0
  for o in "${sways[@]}"; do
    size=${o%@*} w=${size%x*} h=${size#*x}
    width=$((width + w))
    [ "$h" -gt "$height" ] && height=$h
  done
  screen=${width}x$height
fi

if [ -n "$x" ]; then
  need Xvfb
  need xdpyinfo
  # Without -noreset the server resets whenever its last client leaves, and
  # a program connecting meanwhile is turned away.
  daemon Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$dir/display" >"$logs/xvfb.log" 2>&1
  await "Xvfb choosing a display" test -s "$dir/display" || { cat "$logs/xvfb.log" >&2; exit 1; }
  export DISPLAY=:$(head -n1 "$dir/display") QT_QPA_PLATFORM=xcb
  await "Xvfb on $DISPLAY answering" xdpyinfo || { cat "$logs/xvfb.log" >&2; exit 1; }
  if [ ${#monitors[@]} -gt 0 ]; then
    need xrandr
    left=0 output=screen primary='*'
    for m in "${monitors[@]}"; do
      name=${m%%=*} size=${m#*=} w=${size%x*} h=${size#*x}
      # The first monitor is the primary one and takes the screen's one
      # output; the others have none.
      xrandr --setmonitor "$primary$name" "$w/$((w * 254 / 960))x$h/$((h * 254 / 960))+$left+0" "$output" >>"$logs/xrandr.log" 2>&1 ||
        { echo "session.sh: no monitor $m" >&2; cat "$logs/xrandr.log" >&2; exit 1; }
      left=$((left + w)) output=none primary=
    done
  fi
fi

if [ -n "$wm" ]; then
  need openbox
  need xprop
  rc=/etc/xdg/openbox/rc.xml
  [ -r "$rc" ] || { echo "session.sh: missing $rc" >&2; exit 1; }
  sed -e 's|<policy>Smart</policy>|<policy>UnderMouse</policy>|' \
    -e 's|<monitor>Primary</monitor>|<monitor>Mouse</monitor>|' "$rc" >"$dir/openbox.xml"
  daemon openbox --config-file "$dir/openbox.xml" >"$logs/openbox.log" 2>&1
  await "openbox managing the screen" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { cat "$logs/openbox.log" >&2; exit 1; }
fi

if [ -n "$atspi" ]; then
  launcher=
  for l in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$l" ] && { launcher=$l; break; }
  done
  [ -n "$launcher" ] || { echo "session.sh: missing at-spi-bus-launcher" >&2; exit 1; }
  need dbus-send
  daemon "$launcher" --launch-immediately >"$logs/atspi.log" 2>&1
  await "the accessibility bus answering" \
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress ||
    { cat "$logs/atspi.log" >&2; exit 1; }
fi

if [ -n "$wayland" ]; then
  need weston
  socket=wayland-session
  daemon weston --backend=headless-backend.so --socket="$socket" --idle-time=0 >"$logs/weston.log" 2>&1
  await "Weston opening its socket" test -S "$dir/$socket" || { cat "$logs/weston.log" >&2; exit 1; }
  export WAYLAND_DISPLAY=$socket
fi

if [ ${#outputs[@]} -gt 0 ]; then
  need weston
  need xdotool
  need xwininfo
  {
    printf '[core]\nbackend=x11-backend.so\nidle-time=0\n[shell]\npanel-position=none\n'
    for o in "${outputs[@]}"; do
      size=${o#*=}
      printf '[output]\nname=%s\nmode=%s\nscale=%s\n' "${o%%=*}" "${size%@*}" "${size#*@}"
    done
  } >"$dir/weston.ini"
  # The CPU renderer: a build root has no GL driver (Weston only recommends
  # one). Weston 14 names it --renderer=pixman, before --use-pixman.
  renderer=--use-pixman
  weston --help 2>&1 | grep -q -- '--renderer=' && renderer=--renderer=pixman
  socket=wayland-outputs
  daemon weston --config="$dir/weston.ini" "$renderer" --output-count=${#outputs[@]} --socket="$socket" >"$logs/weston.log" 2>&1
  await "Weston opening its socket" test -S "$dir/$socket" || { cat "$logs/weston.log" >&2; exit 1; }
  # Each output is an X window Weston titles after it; they open on top of
  # one another and are moved side by side.
  left=0
  for o in "${outputs[@]}"; do
    name=${o%%=*} size=${o#*=} scale=${size#*@} size=${size%@*}
    await "Weston's output $name" sh -c "xwininfo -root -tree | grep -q '\"Weston Compositor - $name\"'" ||
      { cat "$logs/weston.log" >&2; exit 1; }
    window=$(xwininfo -root -tree | awk -v t="\"Weston Compositor - $name\":" 'index($0, t) { print $1; exit }')
    xdotool windowmove "$window" "$left" 0 >/dev/null 2>&1 &&
      await "Weston's output $name moved to $left,0" sh -c "xwininfo -id $window | grep -q 'Absolute upper-left X: *$left\$'" ||
      { echo "session.sh: output $name not moved" >&2; exit 1; }
    left=$((left + ${size%x*} * scale))
  done
  export WAYLAND_DISPLAY=$socket
fi

if [ ${#sways[@]} -gt 0 ]; then
  need sway
  need swaymsg
  # sway before 1.8 (Debian 12's 1.7) refuses to run as root: the test is
  # skipped there, and runs for any other user.
  if [ "$(id -u)" -eq 0 ] &&
     sway --version | awk '{ split($3, v, "."); exit !(v[1] == 1 && v[2] + 0 < 8) }'; then
    echo "session.sh: skipped: $(sway --version) does not run as root"
    exit 77
  fi
  need xdotool
  need xwininfo
  # Its outputs at the sizes and scales given, side by side in the layout
  # (logical pixels); each new window floating, without a border or a title
  # bar; no bar and no X server of sway's own.
  {
    left=0 n=0
    for o in "${sways[@]}"; do
      n=$((n + 1)) size=${o%@*} scale=${o#*@}
      printf 'output X11-%d mode %s position %d 0 scale %s\n' "$n" "$size" "$left" "$scale"
      left=$(awk -v l="$left" -v w="${size%x*}" -v s="$scale" 'BEGIN { printf "%d", l + w / s }')
    done
    printf 'xwayland disable\ndefault_border none\ndefault_floating_border none\nfocus_follows_mouse no\n'
    printf 'for_window [app_id=".*"] floating enable, border none\n'
  } >"$dir/sway.conf"
  WLR_BACKENDS=x11 WLR_X11_OUTPUTS=${#sways[@]} WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    daemon sway --config "$dir/sway.conf" >"$logs/sway.log" 2>&1
  # sway names its sockets in XDG_RUNTIME_DIR; swaymsg finds it through SWAYSOCK.
  await "sway opening its IPC socket" sh -c "ls '$dir'/sway-ipc.*.sock" || { cat "$logs/sway.log" >&2; exit 1; }
  SWAYSOCK=$(ls "$dir"/sway-ipc.*.sock | head -n1)
  export SWAYSOCK
  await "sway opening its Wayland socket" sh -c "ls '$dir'/wayland-* | grep -v lock" || { cat "$logs/sway.log" >&2; exit 1; }
  WAYLAND_DISPLAY=$(basename "$(ls "$dir"/wayland-* | grep -v lock | head -n1)")
  export WAYLAND_DISPLAY
  # Each output is an X window with no name, made in the order of the
  # outputs, all at 0,0: moved side by side. SWAY_OUTPUT_WINDOWS lists them.
  outputWindows() { xwininfo -root -children | awk '/^ +0x[0-9a-f]+ \(has no name\)/ { print $1 }' | sort; }
  await "sway's ${#sways[@]} outputs" sh -c "[ \$(xwininfo -root -children | grep -c '^ *0x.*(has no name)') -ge ${#sways[@]} ]" ||
    { cat "$logs/sway.log" >&2; exit 1; }
  SWAY_OUTPUT_WINDOWS=$(outputWindows | tr '\n' ' ')
  export SWAY_OUTPUT_WINDOWS
  left=0
  for window in $SWAY_OUTPUT_WINDOWS; do
    xdotool windowmove "$window" "$left" 0 >/dev/null 2>&1 &&
      await "sway's output window $window moved to $left,0" sh -c "xwininfo -id $window | grep -q 'Absolute upper-left X: *$left\$'" ||
      { echo "session.sh: sway's output window $window not moved" >&2; exit 1; }
    left=$((left + $(xwininfo -id "$window" | awk '/Width:/ { print $2 }')))
  done
fi

if [ -n "$speech" ]; then
  need speech-dispatcher
  need espeak-ng
  # Its own configuration: one output module, the generic one, whose command
  # writes what it is told to say to a log and speaks it into a file; libao's
  # null driver stands in for the sound card speech-dispatcher opens.
  conf=$dir/speech
  mkdir -p "$conf/modules" "$dir/speech-dispatcher"
  export SPEECH_LOG=$logs/spoken.txt SPEECH_AUDIO=$logs/speech.wav
  : >"$SPEECH_LOG"
  printf 'default_driver=null\n' >"$conf/.libao"
  cat >"$conf/speechd.conf" <<CONF
AddModule "file" "sd_generic" "file.conf"
DefaultModule file
DefaultLanguage "en"
AudioOutputMethod "libao"
CONF
  cat >"$conf/modules/file.conf" <<CONF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >>$SPEECH_LOG; printf %s \\'\$DATA\\' | espeak-ng --stdin -w $SPEECH_AUDIO"
GenericLanguage "en" "en" "utf-8"
AddVoice "en" "MALE1" "en"
GenericPunctNone ""
GenericPunctSome ""
GenericPunctMost ""
GenericPunctAll ""
CONF
  socket=$dir/speech-dispatcher/speechd.sock
  HOME=$conf daemon speech-dispatcher --run-single --timeout 0 --config-dir "$conf" --log-dir "$logs" \
    --communication-method unix_socket --socket-path "$socket" >"$logs/speech-dispatcher.out" 2>&1
  await "speech-dispatcher opening its socket" test -S "$socket" || { cat "$logs/speech-dispatcher.out" >&2; exit 1; }
  export SPEECHD_ADDRESS=unix_socket:$socket
fi

# The command too ends if this script is killed outright (its own children
# are its to end).
setpriv --pdeathsig TERM -- "$@" &
pids+=($!)
wait "${pids[-1]}"
status=$?
unset 'pids[-1]'
exit "$status"
