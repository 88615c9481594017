#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Moves the program's windows between two monitors of different scale, as a
# user drags them from a laptop's panel onto an external monitor and back,
# and checks what the screen shows: each window keeps its logical size, whole,
# drawn exactly as when started on that monitor, and a press on the chart
# selects the pixel under the pointer.
#   session.sh --x --dbus --monitor LEFT=1600x1200 --monitor RIGHT=2000x1200 \
#       -- monitors_test.sh PROGRAM SCREEN_PROBE LEFT_SCALE:RIGHT_SCALE...
# A new window opens at the top left, on LEFT; each pair is one round.
# With --placed first (and session.sh --wm), the window manager places each
# new window under the pointer: the program is started with the pointer on
# either monitor. With --straddle first, the window is moved onto the other
# monitor from places where it lies across the border, its centre on one
# side or the other.
set -uo pipefail
. "$(dirname "$0")/../scripts/lib.sh" || exit 1

program=$1
probe_program=$2
shift 2
placed= straddle=
[ "${1:-}" = --placed ] && { placed=1; shift; }
[ "${1:-}" = --straddle ] && { straddle=1; shift; }
pairs=("$@")
out=${MONITORS_OUT:-$PWD/monitors}
mkdir -p "$out"
for tool in xdotool xwininfo import compare; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done
[ -n "${DISPLAY:-}" ] || { echo "no X server: run this through tests/session.sh --x --monitor ..."; exit 1; }
# Where RIGHT begins and the screen ends.
border=$(xrandr --listmonitors | awk '$2 ~ /RIGHT/ { split($3, g, "+"); print g[2] }')
end=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }')
[ -n "$border" ] && [ -n "$end" ] || { echo "no monitor RIGHT: run this through tests/session.sh --monitor"; exit 1; }

trap end_app EXIT
probe_start "$probe_program"

fatal() {
  echo "FAIL: $*"
  import -window root "$out/failure.png" 2>/dev/null
  exit 1
}
# The window's client area on the screen, in device pixels: "WxH+X+Y".
area() {
  xwininfo -id "$1" 2>/dev/null | awk '
    /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF }
    END { if (w) printf "%sx%s+%s+%s\n", w, h, x, y }'
}
sizeOf() { local a; a=$(area "$1"); echo "${a%%+*}"; }
# The size wanted, or at a fractional scale one device pixel off in either
# direction: Qt rounds a window's native size from its logical rectangle,
# whose position the window manager chooses.
near() { # size wanted scale
  awk -v a="$1" -v b="$2" -v f="$3" 'BEGIN { split(a, x, "x"); split(b, y, "x")
    dx = x[1] - y[1]; dy = x[2] - y[2]
    exit !(a == b || (f != int(f) && dx * dx <= 1 && dy * dy <= 1)) }'
}
hasSize() { near "$(sizeOf "$1")" "$2" "$3"; }
# The area stays the same for a second: no flipping between the screens.
steady() { # window
  local first now i
  first=$(area "$1")
  for ((i = 0; i < 10; i++)); do
    sleep 0.1
    now=$(area "$1")
    [ "$now" = "$first" ] || return 1
  done
}
shot() { import -window "$1" "$out/$2.png" 2>/dev/null; }
# ImageMagick 6 prints the count of differing pixels, 7 adds it normalised: "0 (0)".
same() { [ "$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 | awk '{ print $1 }')" = 0 ]; }
shotSame() { shot "$1" "$2" && same "$2" "$3"; } # window shot earlier-shot
pixel() { probe 0 "$1" "$2" 1 1; } # screen x y -> "r,g,b"
# The device pixel in the middle of logical pixel c at a scale.
middle() { awk -v c="$1" -v f="$2" 'BEGIN { printf "%d\n", int((c + 0.5) * f) }'; }

# Whether the window has been drawn whole at a scale: a pixel inside the
# chart is its white, and one by the bottom-right corner the window's grey
# (a window just grown to a new scale is drawn in one go, after it grew).
drawn() { # window scale
  local a x y
  a=$(area "$1") x=${a#*+} x=${x%%+*} y=${a##*+}
  [ -n "$a" ] && [ "$(pixel $((x + $(middle 53 "$2"))) $((y + $(middle 87 "$2"))))" = 255,255,255 ] &&
    [ "$(pixel $((x + $(middle 680 "$2"))) $((y + $(middle 312 "$2"))))" = 239,239,239 ]
}
# Starts the program, whose chart window opens on LEFT (or under the
# pointer), and waits until the window has the size and the drawn chart of
# the scale it should open at; sets app and chart.
start() { # left-scale right-scale log scale
  QT_SCREEN_SCALE_FACTORS="LEFT=$1;RIGHT=$2" "$program" >"$out/$3" 2>&1 &
  app=$!
  chart=
  for _ in $(seq 300); do
    kill -0 "$app" 2>/dev/null || fatal "the program ended before its window appeared ($3)"
    chart=$(xdotool search --onlyvisible --limit 1 --name '^ Air End : KRTd258$' 2>/dev/null) && [ -n "$chart" ] && break
    sleep 0.1
  done
  [ -n "$chart" ] || fatal "no chart window ($3)"
  wait_until hasSize "$chart" "$(whole "$4")" "$4" && wait_until drawn "$chart" "$4" ||
    fatal "the chart window is not drawn at $(whole "$4") for scale $4 ($3: $(area "$chart"))"
}
stop() {
  kill "$app" 2>/dev/null
  wait "$app" 2>/dev/null
  app=
}
# 687 x 317 logical pixels (or another size) at a scale, rounded as Qt does.
whole() { awk -v f="$1" -v w="${2:-687}" -v h="${3:-317}" 'BEGIN { printf "%dx%d\n", w * f + 0.5, h * f + 0.5 }'; }
move() { # window X Y size scale: moved there, then the time until it has that size
  local t0 t1
  t0=$(date +%s%N)
  xdotool windowmove --sync "$1" "$2" "$3"
  wait_until hasSize "$1" "$4" "$5"
  local status=$?
  t1=$(date +%s%N)
  echo "  $(((t1 - t0) / 1000000)) ms from the move to ${4}"
  return $status
}

crosshair=255,192,192
# The chart picture of a shot, at a scale: what must match exactly whatever
# has the focus (a focused box's caret blinks).
chartOf() { # shot scale
  local x0 y0 x1 y1
  x0=$(middle 33 "$2") y0=$(middle 25 "$2") x1=$(middle $((33 + 405)) "$2") y1=$(middle $((25 + 225)) "$2")
  convert "$out/$1.png" -crop "$((x1 - x0))x$((y1 - y0))+$x0+$y0" +repage "$out/$1-chart.png"
}
sameChart() { chartOf "$1" "$3" && chartOf "$2" "$3" && same "$1-chart" "$2-chart"; }

if [ -n "$placed" ]; then
  for pair in "${pairs[@]}"; do
    l=${pair%:*} r=${pair#*:}
    echo "--- placed by the window manager: LEFT at scale $l, RIGHT at scale $r"
    xdotool mousemove --sync 400 400
    start "$r" "$l" "placed-left-$r-$l.log" "$r"
    shot "$chart" "placed-left-$r-$l"
    stop
    xdotool mousemove --sync $((border + 400)) 400
    start "$l" "$r" "placed-right-$l-$r.log" "$r"
    a=$(area "$chart") x=${a#*+} x=${x%%+*} w=${a%%x*}
    [ $((x + w / 2)) -ge "$border" ] && hasSize "$chart" "$(whole "$r")" "$r"
    check $? "$pair: started with the pointer on RIGHT, the window is there at $(whole "$r") ($a)"
    shot "$chart" "placed-right-$l-$r"
    sameChart "placed-right-$l-$r" "placed-left-$r-$l" "$r"
    check $? "$pair: its chart every pixel as when started on LEFT at scale $r"
    move "$chart" 200 200 "$(whole "$l")" "$l"
    check $? "$pair: moved onto LEFT it is $(whole "$l") ($(sizeOf "$chart"))"
    wait_until steady "$chart"
    a=$(area "$chart") x=${a#*+} x=${x%%+*} w=${a%%x*}
    [ $((x + w / 2)) -lt "$border" ]
    check $? "$pair: and stays on LEFT without flipping ($a)"
    stop
  done
  echo "monitors test: $check_failures failed"
  [ "$check_failures" -eq 0 ]
  exit
fi

if [ -n "$straddle" ]; then
  for pair in "${pairs[@]}"; do
    l=${pair%:*} r=${pair#*:}
    echo "--- across the border: LEFT at scale $l, RIGHT at scale $r"
    for scales in "$r $l" "$l $r"; do
      set -- $scales
      start "$1" "$2" "straddle-start-$1-$2.log" "$1"
      shot "$chart" "straddle-start-$1-$2"
      stop
    done
    start "$l" "$r" "straddle-$l-$r.log" "$l"
    # Each move: a place wholly on RIGHT, one on LEFT, or across the border,
    # a quarter of the window's width (as it is before the move) on RIGHT,
    # its centre on LEFT, or three quarters, its centre on RIGHT. The window
    # takes the scale of the monitor its centre is moved onto. Grown on
    # RIGHT around its centre, the window reaches back over the border.
    n=0
    for place in right left across-left across-right left right across-right across-left; do
      w=$(sizeOf "$chart") w=${w%x*}
      case $place in
        right) x=$((border + 200)) ;;
        left) x=100 ;;
        across-left) x=$((border - w * 3 / 4)) ;;
        across-right) x=$((border - w / 4)) ;;
      esac
      # (Not off the screen, where a shot of the window would miss a part.)
      [ "$x" -ge 0 ] || x=0
      if [ $((x + w / 2)) -lt "$border" ]; then s=$l reference=straddle-start-$l-$r; else s=$r reference=straddle-start-$r-$l; fi
      n=$((n + 1))
      move "$chart" "$x" 100 "$(whole "$s")" "$s"
      check $? "$pair: move $n, $place to $x,100: the window is $(whole "$s") ($(area "$chart"))"
      wait_until shotSame "$chart" "straddle-$l-$r-$n" "$reference"
      check $? "$pair: and every pixel as when started at scale $s"
    done
    stop
  done
  echo "monitors test: $check_failures failed"
  [ "$check_failures" -eq 0 ]
  exit
fi

for pair in "${pairs[@]}"; do
  l=${pair%:*} r=${pair#*:}
  echo "--- LEFT at scale $l, RIGHT at scale $r"
  # What a window started at either scale shows, with the same two scales
  # on the screens (Qt hints fonts only where no screen is scaled).
  for scales in "$l $r" "$r $l"; do
    set -- $scales
    start "$1" "$2" "start-$1-$2.log" "$1"
    size=$(sizeOf "$chart")
    near "$size" "$(whole "$1")" "$1"
    check $? "$pair: started at scale $1 the window is $(whole "$1") ($size)"
    shot "$chart" "start-$1-$2"
    stop
  done
  start "$l" "$r" "moved-$l-$r.log" "$l"
  move "$chart" $((border + 200)) 100 "$(whole "$r")" "$r"
  check $? "$pair: moved onto RIGHT, the window is $(whole "$r") ($(sizeOf "$chart"))"
  wait_until steady "$chart"
  a=$(area "$chart") x=${a#*+} x=${x%%+*} w=${a%%x*}
  [ $((x + w / 2)) -ge "$border" ]
  check $? "$pair: it stays on RIGHT without flipping ($a)"
  shot "$chart" "right-$l-$r"
  same "right-$l-$r" "start-$r-$l"
  check $? "$pair: on RIGHT every pixel as when started at scale $r"
  move "$chart" 100 100 "$(whole "$l")" "$l"
  check $? "$pair: moved back onto LEFT, the window is $(whole "$l") again"
  wait_until shotSame "$chart" "left-$l-$r" "start-$l-$r"
  check $? "$pair: back on LEFT every pixel as when started"

  # At RIGHT's right edge: whole on the screen.
  move "$chart" $((end - 700)) 100 "$(whole "$r")" "$r"
  check $? "$pair: at RIGHT's right edge the window is $(whole "$r")"
  wholeOnRight() {
    a=$(area "$chart") x=${a#*+} x=${x%%+*} w=${a%%x*}
    [ $((x + w)) -le "$end" ] && [ $((x + w / 2)) -ge "$border" ]
  }
  wait_until wholeOnRight
  check $? "$pair: and lies whole on RIGHT ($a)"

  # A press on chart pixel (200, 112) puts the cross-hair's vertical line in
  # column 199 and the horizontal one in row 112, drawn under the pointer.
  wx=${a#*+} wx=${wx%%+*} wy=${a##*+}
  at() { echo $((wx + $(middle "$1" "$r"))) $((wy + $(middle "$2" "$r"))); } # logical x y -> screen
  # shellcheck disable=SC2046
  crossIn() { [ "$(pixel $(at "$1" "$2"))" = "$crosshair" ]; }
  # shellcheck disable=SC2046
  xdotool mousemove --sync $(at $((33 + 200)) $((25 + 112))) click 1
  wait_until crossIn $((33 + 199)) $((25 + 20)) && crossIn $((33 + 60)) $((25 + 112)) &&
    ! crossIn $((33 + 200)) $((25 + 20)) && ! crossIn $((33 + 60)) $((25 + 113))
  check $? "$pair: a press on RIGHT selects the chart pixel under the pointer"

  # Air End: the drawing window opens on LEFT; moved onto RIGHT.
  # shellcheck disable=SC2046
  xdotool mousemove --sync $(at 628 148) click 1
  drawing=
  for _ in $(seq 100); do
    drawing=$(xdotool search --onlyvisible --limit 1 --name '^ KRTd258$' 2>/dev/null) && [ -n "$drawing" ] && break
    sleep 0.1
  done
  if [ -n "$drawing" ]; then
    wait_until hasSize "$drawing" "$(whole "$l" 580 481)" "$l"
    size=$(sizeOf "$drawing")
    near "$size" "$(whole "$l" 580 481)" "$l"
    check $? "$pair: the drawing window opens on LEFT at $(whole "$l" 580 481) ($size)"
    move "$drawing" $((border + 100)) 100 "$(whole "$r" 580 481)" "$r"
    check $? "$pair: moved onto RIGHT it is $(whole "$r" 580 481) ($(sizeOf "$drawing"))"
  else
    check 1 "$pair: Air End opens the drawing window"
  fi
  stop
done

echo "monitors test: $check_failures failed"
[ "$check_failures" -eq 0 ]
