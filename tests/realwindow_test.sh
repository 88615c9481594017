#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the built program in a real X window (Xvfb), clicks it as a person
# would and checks what the screen shows.
#   session.sh --x --dbus -- realwindow_test.sh PROGRAM SCREEN_PROBE
set -uo pipefail

# Runs inside tests/session.sh --x --dbus: an X server and a D-Bus session
# of its own (without a bus, Qt's accessibility bridge would start one that
# outlives the program).
program=$1
probe_program=$2
out=${REALWINDOW_OUT:-$PWD/realwindow}
. "$(dirname "$0")/../scripts/lib.sh" || exit 1
mkdir -p "$out"

for tool in xdotool convert import; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done
[ -n "${DISPLAY:-}" ] || { echo "no X server: run this through tests/session.sh --x"; exit 1; }
trap end_app EXIT
probe_start "$probe_program"

applog=
fail() {
  echo "FAIL: $*"
  [ -n "$applog" ] && { echo "--- $applog:"; tail -n 80 "$out/$applog"; }
  import -window root "$out/failure.png" 2>/dev/null
  exit 1
}
# The program's chart window, within 30 s; a program that ends first fails at once.
waitForChart() {
  for _ in $(seq 300); do
    kill -0 "$app" 2>/dev/null || fail "the program ended before its window appeared"
    chart=$(xdotool search --limit 1 --name '^ Air End : KRTd258$' 2>/dev/null) && [ -n "$chart" ] && return 0
    sleep 0.1
  done
  return 1
}
pixel() { probe 0 $((wx + $1)) $((wy + $2)) 1 1; } # window-relative x y -> "r,g,b"
pixelIs() { [ "$(pixel "$1" "$2")" = "$3" ]; } # x y "r,g,b"
# Waits, polling every 50 ms, until a command succeeds: at most 10 s, then
# fails naming what it waited for.
waitUntil() { # what command...
  local what=$1 i
  shift
  for ((i = 0; i < 200; i++)); do
    "$@" && return 0
    sleep 0.05
  done
  fail "$what: not seen within 10 s"
}
click() { pointer_to $((wx + $1)) $((wy + $2)) && xdotool click 1; }
crosshair=255,192,192

applog=program.log
QT_QPA_PLATFORM=xcb "$program" >"$out/$applog" 2>&1 &
app=$!

waitForChart || fail "the chart window did not appear"
eval "$(xdotool getwindowgeometry --shell "$chart")"
wx=$X wy=$Y
waitUntil "the chart drawn" pixelIs $((33 + 20)) $((25 + 62)) 255,255,255
echo "chart window at $wx,$wy size ${WIDTH}x$HEIGHT"
[ "$WIDTH" -eq 687 ] && [ "$HEIGHT" -eq 317 ] || fail "client area is ${WIDTH}x$HEIGHT, not 687x317"

# Right arrow of HScroll1 (16, 272, 441 x 17): the speed goes to 1510.
click $((16 + 441 - 6)) $((272 + 8))
# A press on the chart at chart pixel (200, 112); the chart's inner area
# starts at (33, 25). The lines go to column 199 (x = 199.7) and row 112.
click $((33 + 200)) $((25 + 112))
waitUntil "the cross-hair in column 199 after the press" pixelIs $((33 + 199)) $((25 + 20)) "$crosshair"
import -window root -crop "${WIDTH}x${HEIGHT}+$wx+$wy" +repage "$out/chart-window.png"

[ "$(pixel $((33 + 199)) $((25 + 20)))" = "$crosshair" ] || fail "no vertical line in column 199: $(pixel $((33 + 199)) $((25 + 20)))"
[ "$(pixel $((33 + 199)) $((25 + 200)))" = "$crosshair" ] || fail "vertical line does not reach row 200"
[ "$(pixel $((33 + 60)) $((25 + 112)))" = "$crosshair" ] || fail "no horizontal line in row 112"
[ "$(pixel $((33 + 200)) $((25 + 20)))" != "$crosshair" ] || fail "the vertical line is wider than one pixel"
[ "$(pixel $((33 + 60)) $((25 + 113)))" != "$crosshair" ] || fail "the horizontal line is wider than one pixel"
[ "$(pixel $((33 + 20)) $((25 + 62)))" = "255,255,255" ] || fail "the chart background is not white"

# Air End twice: one drawing window. The press on the chart after the second
# click shows when the program has handled it.
drawingShown() { xdotool search --onlyvisible --name '^ KRTd258$' >/dev/null 2>&1; }
click $((592 + 36)) $((136 + 12))
waitUntil "the drawing window after Air End" drawingShown
drawing=$(xdotool search --onlyvisible --name '^ KRTd258$')
xdotool windowmove --sync "$drawing" 700 0
click $((592 + 36)) $((136 + 12))
click $((33 + 100)) $((25 + 50))
waitUntil "the cross-hair in column 99 after the press" pixelIs $((33 + 99)) $((25 + 20)) "$crosshair"
drawings=$(xdotool search --onlyvisible --name '^ KRTd258$' | wc -l)
[ "$drawings" -eq 1 ] || fail "$drawings drawing windows after two clicks"
eval "$(xdotool getwindowgeometry --shell "$drawing")"
[ "$WIDTH" -eq 580 ] && [ "$HEIGHT" -eq 481 ] || fail "drawing window is ${WIDTH}x$HEIGHT"
import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$out/drawing-window.png"

# Close ends the program with every window, with exit status 0.
closeAndCheck() {
  click "$1" "$2"
  wait_for_end "$app" 5 || fail "the program still runs after Close"
  wait "$app"
  status=$?
  app=
  [ "$status" -eq 0 ] || fail "exit status $status after Close"
  left=$(xdotool search --onlyvisible --name 'KRTd258' 2>/dev/null | wc -l)
  [ "$left" -eq 0 ] || fail "$left windows left after Close"
}
closeAndCheck $((592 + 36)) $((264 + 12))

# At 200% the whole layout doubles, every chart pixel is a 2 x 2 block and
# the mouse still selects the chart pixel under it.
applog=program-200.log
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 "$program" >"$out/$applog" 2>&1 &
app=$!
waitForChart || fail "the chart window did not appear at 200%"
eval "$(xdotool getwindowgeometry --shell "$chart")"
wx=$X wy=$Y
waitUntil "the chart drawn at 200%" pixelIs $((2 * (33 + 20))) $((2 * (25 + 62))) 255,255,255
[ "$WIDTH" -eq 1374 ] && [ "$HEIGHT" -eq 634 ] || fail "client area at 200% is ${WIDTH}x$HEIGHT"
# Chart pixel (200, 112) is the device block from (2 * 233, 2 * 137).
click $((2 * 233 + 1)) $((2 * 137 + 1))
waitUntil "200%: the cross-hair in column 199 after the press" pixelIs $((2 * (33 + 199))) $((2 * (25 + 20))) "$crosshair"
import -window root -crop "${WIDTH}x${HEIGHT}+$wx+$wy" +repage "$out/chart-window-200.png"
for dx in 0 1; do
  [ "$(pixel $((2 * (33 + 199) + dx)) $((2 * (25 + 20))))" = "$crosshair" ] || fail "200%: vertical line not 2 device pixels wide at column 199"
  [ "$(pixel $((2 * (33 + 60))) $((2 * (25 + 112) + dx)))" = "$crosshair" ] || fail "200%: horizontal line not 2 device pixels high at row 112"
done
[ "$(pixel $((2 * (33 + 200))) $((2 * (25 + 20))))" != "$crosshair" ] || fail "200%: the vertical line is too wide"
[ "$(pixel $((2 * (33 + 199) - 1)) $((2 * (25 + 20))))" != "$crosshair" ] || fail "200%: the vertical line starts early"
# A curve pixel stays a sharp 2 x 2 block: row 100 holds the 7 bar curve in 215-218 (red).
for d in "0 0" "1 0" "0 1" "1 1"; do
  set -- $d
  [ "$(pixel $((2 * (33 + 216) + $1)) $((2 * (25 + 100) + $2)))" = "255,0,0" ] || fail "200%: the chart is blurred"
done
[ "$(pixel $((2 * (33 + 219))) $((2 * (25 + 100))))" = "255,255,255" ] || fail "200%: the chart is blurred right of the curve"
closeAndCheck $((2 * (592 + 36))) $((2 * (264 + 12)))

# At fractional scales, set as QT_SCALE_FACTOR or as a desktop sets
# QT_SCREEN_SCALE_FACTORS, a press on any device pixel selects the chart pixel
# drawn there: pressing row r draws the horizontal line in row r, so the line
# covers the pressed device row.
# Device position of a window-relative logical coordinate at scale $f.
dev() { awk -v v="$1" -v f="$f" 'BEGIN { printf "%d", v * f }'; }
# The colours along a window-relative device column (row), from one to
# another, one per line (kept in colours: the probe answers no pipeline).
along() { # x|y at from to
  if [ "$1" = x ]; then
    colours=$(probe 0 $((wx + $2)) $((wy + $3)) 1 $(($4 - $3)))
  else
    colours=$(probe 0 $((wx + $3)) $((wy + $2)) $(($4 - $3)) 1)
  fi
  colours=${colours// /$'\n'}
}
# The window-relative device rows (columns) of the cross-hair colour along a
# device column (row): "first last", empty when there are none.
crosshairSpan() { # x|y at from to
  along "$@"
  awk -v from="$3" '$0 == "255,192,192" { i = NR - 1 + from; if (first == "") first = i; last = i }
    END { if (first != "") print first, last }' <<<"$colours"
}
# The colours along a device column (row), each run of equal ones once.
runs() { # x|y at from to
  along "$@"
  uniq <<<"$colours" | tr '\n' ' '
}
# Whether the horizontal line covers a window-relative device row, the span
# it covers left in first and last.
lineCovers() { # device-row
  span=$(crosshairSpan x "$(($(dev $((33 + 60))) + 1))" "$(dev $((25 + 100)))" "$(dev $((25 + 125)))")
  read -r first last <<<"$span"
  [ -n "$span" ] && [ "$first" -le "$1" ] && [ "$1" -le "$last" ]
}
pressSweep() { # scale
  f=$1
  local mismatches=0 checked=0 d
  local away=$(($(dev $((25 + 101))) + 1)) i covered
  for d in $(seq "$(dev $((25 + 110)))" "$(dev $((25 + 115)))"); do
    # First a press far off (chart row 101), and its line waited for: the
    # line the press on row d then draws is its own, not the last one's.
    click "$(dev $((33 + 150)))" "$away"
    waitUntil "$f: the line at device row $away" lineCovers "$away"
    click "$(dev $((33 + 150)))" "$d"
    checked=$((checked + 1))
    # The line comes to the pressed row once the press is handled: a line
    # that has not come there within 10 s is off the drawn pixel.
    covered=
    for ((i = 0; i < 200; i++)); do
      lineCovers "$d" && { covered=1; break; }
      sleep 0.05
    done
    [ -n "$covered" ] || { mismatches=$((mismatches + 1)); echo "$f: press at device row $d, line in rows $span"; }
  done
  echo "scale $f: $checked presses, $mismatches off the drawn pixel"
  [ "$mismatches" -eq 0 ] || fail "at $f a press selects a chart pixel other than the one drawn under it"
}

for run in "QT_SCALE_FACTOR 1" "QT_SCALE_FACTOR 2" "QT_SCALE_FACTOR 1.25" "QT_SCREEN_SCALE_FACTORS 1.75"; do
  set -- $run
  applog=program-$1-$2.log
  env QT_QPA_PLATFORM=xcb "$1=$2" "$program" >"$out/$applog" 2>&1 &
  app=$!
  waitForChart || fail "the chart window did not appear at $1=$2"
  eval "$(xdotool getwindowgeometry --shell "$chart")"
  wx=$X wy=$Y
  f=$2
  waitUntil "the chart drawn at $1=$2" pixelIs "$(dev $((33 + 20)))" "$(dev $((25 + 62)))" 255,255,255
  echo "$1=$2: client area ${WIDTH}x$HEIGHT"
  # The scale asked for, on every Qt: a screen factor the desktop sets is
  # not rounded to a whole one.
  wanted=$(awk -v f="$2" 'BEGIN { printf "%dx%d", int(687 * f + 0.5), int(317 * f + 0.5) }')
  [ "${WIDTH}x$HEIGHT" = "$wanted" ] || fail "$1=$2: client area ${WIDTH}x$HEIGHT, not $wanted"
  scale=$2
  pressSweep "$scale"
  f=$scale
  import -window root -crop "${WIDTH}x${HEIGHT}+$wx+$wy" +repage "$out/chart-window-$1-$2.png"
  # No seam: across the right and bottom edge the chart's grey edge pixels
  # run straight into the black border.
  right=$(runs y "$(dev $((25 + 20)))" "$(dev $((33 + 400)))" "$(dev $((33 + 412)))")
  bottom=$(runs x "$(dev $((33 + 20)))" "$(dev $((25 + 220)))" "$(dev $((25 + 232)))")
  echo "$2: right edge $right; bottom edge $bottom"
  for edge in "$right" "$bottom"; do
    case "$edge" in *"118,118,118 0,0,0"*) ;; *) fail "$2: a seam between the chart and its border: $edge" ;; esac
  done
  closeAndCheck "$(dev $((592 + 36)))" "$(dev $((264 + 12)))"
done
