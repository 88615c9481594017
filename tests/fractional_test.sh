#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The chart window on a Wayland output whose scale is set in turn to each
# of the fractional scales given, as on a laptop's panel at 125, 150 or
# 175 % (sway, its x11 backend on Xvfb, the window floated at logical
# 200,200): drawn at the output's own scale (a buffer of its logical size
# times the scale, never one the compositor resamples), at least as crisp as
# a plain Qt window drawing the chart nearest-neighbour at the same place,
# every chart pixel a whole block of device pixels where sway maps buffers
# 1:1 (the plain window showing no blend), and a press on each device column of a chart row and each device row
# of a chart column selecting the chart pixel drawn there: the cross-hair
# where a press on that chart pixel puts it at scale 1, measured first.
#   session.sh --dbus --sway 2100x1050@1 -- fractional_test.sh \
#       PROGRAM APP_ID PLAIN_CHART CHART_ON_SCREEN SCREEN_PROBE CHART.BMP QT_VERSION SCALE...
# The output's logical size is whole at each scale (2100x1050 is at 1.25,
# 1.5, 1.75 and 2): sway's x11 backend maps the X pointer onto the output's
# layout box, whose size it truncates to whole logical pixels.
# Where the compositor offers no fractional scaling or Qt has none (before
# 6.5), the window is drawn at the next whole scale and resampled by sway:
# the test says so and checks the window's logical size alone. (Debian 12,
# Qt 6.4 and sway 1.7, has neither; its sway does not run as root, and
# session.sh skips the test there.)
set -uo pipefail
. "$(dirname "$0")/../scripts/lib.sh" || exit 1

program=$1 appId=$2 plain=$3 measure=$4 probe_program=$5 chart=$6 qt=$7
shift 7
qtMinor=$(echo "$qt" | awk -F. '{ print $1 * 100 + $2 }')
scales=("$@")
out=${FRACTIONAL_OUT:-$PWD/fractional}
mkdir -p "$out"
for tool in swaymsg xdotool import python3 cmp; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done
[ -n "${SWAY_OUTPUT_WINDOWS:-}" ] || { echo "no sway on X: run this through tests/session.sh --sway ..."; exit 1; }
output=${SWAY_OUTPUT_WINDOWS%% *}
trap end_app EXIT
probe_start "$probe_program"
fatal() {
  echo "FAIL: $*"
  import -window "$output" "$out/failure.png" 2>/dev/null
  exit 1
}
scale=1
# Logical to device: the first device pixel of logical position v (v * scale,
# halves up), the rule sway places the window's buffer by and the program
# draws the chart by.
dev() { awk -v v="$1" -v s="$scale" 'BEGIN { printf "%d", int(v * s + 0.5) }'; }
# The layout rectangle sway gives the first window of an application id:
# "X Y W H" in logical pixels.
rectOf() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n):
    if n.get("app_id") == sys.argv[1]:
        r = n["rect"]; print(r["x"], r["y"], r["width"], r["height"]); sys.exit(0)
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c)
walk(json.load(sys.stdin)); sys.exit(1)' "$1"
}
log=
lastBuffer() { grep -oE 'create_buffer\(new id wl_buffer[@#][0-9]+, 0, [0-9]+, [0-9]+' "$log" | tail -n1 | awk -F', ' '{ print $3 "x" $4 }'; }
lastPreferred() { grep -oE 'preferred_scale\([0-9]+\)' "$log" | tail -n1 | grep -oE '[0-9]+'; }
preferredIs() { [ "$(lastPreferred)" = "$(awk -v s="$1" 'BEGIN { printf "%d", s * 120 + 0.5 }')" ]; } # scale
# The first device pixel of logical positions o .. o + count, one a line.
edgesOf() { awk -v o="$1" -v n="$2" -v s="$scale" 'BEGIN { for (k = 0; k <= n; k++) printf "%d\n", int((o + k) * s + 0.5) }'; }
still() { # the output the same in two shots one after the other (polled)
  import -window "$output" "$out/$1-b.png" 2>/dev/null || return 1
  cmp -s "$out/$1-a.png" "$out/$1-b.png" && return 0
  mv "$out/$1-b.png" "$out/$1-a.png"
  return 1
}
# The window of app id $1 at 200,200 on the output at scale $2, with
# $3 (a WxH or empty) its last buffer; then the screen at rest, shot as $4.
settled() { [ "$(rectOf "$1" | cut -d' ' -f1-2)" = "200 200" ] && { [ -z "$2" ] || [ "$(lastBuffer)" = "$2" ]; }; }
place() { # app-id buffer name
  wait_until swaymsg -q "[app_id=\"^$1\$\"] move position 200 200" || fatal "sway has no window of $1 to place"
  wait_until settled "$1" "$2" || fatal "$3: not at 200,200 with a buffer of ${2:-any size} (at $(rectOf "$1"), $(lastBuffer))"
  rm -f "$out/$3-a.png"
  wait_until still "$3" || fatal "$3: the screen does not come to rest"
  cp "$out/$3-a.png" "$out/$3.png"
}
setScale() { # scale
  scale=$1
  swaymsg -q output X11-1 scale "$1" || fatal "sway takes no scale $1"
}
start() { # name app-id program...
  local name=$1 id=$2
  shift 2
  log=$out/$name.log
  env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$@" >"$log" 2>&1 &
  app=$!
  place "$id" "" "$name-at-$scale"
}
stop() { kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; app=; }

# The first device offset of the cross-hair's colour along an area (x y w h
# of the output's window), where a line of the cross-hair crosses it, into
# "line" ("none" if it does not).
crosshair=255,192,192
firstAt() {
  local pixels before
  pixels=" $(probe "$output" "$@") "
  before=${pixels%% "$crosshair" *}
  if [ "$before" = "$pixels" ]; then line=none; return; fi
  # shellcheck disable=SC2086 # the words before it, counted
  set -- $before
  line=$#
}
# Presses on the given device positions along one axis (x: a row at the
# chart's row 100, the vertical line read at chart row 20; y: a column at
# chart column 200, the horizontal line read at chart column 60), in the
# order given; for each, the line's first device offset from the chart's
# edge, in the array "seen". The presses alternate between the chart's
# halves, so that each moves the line, and each waits for that move from
# where the line was before it (the
# probe is asked again at once: each answer takes a few milliseconds).
presses() { # axis position...
  local axis=$1 d previous= j area
  shift
  seen=()
  if [ "$axis" = x ]; then
    area=("$(dev 233)" "$(dev $((225 + 20)))" $(($(dev $((233 + 405))) - $(dev 233))) 1)
    fixed=$(dev $((225 + 100)))
  else
    area=("$(dev $((233 + 60)))" "$(dev 225)" 1 $(($(dev $((225 + 225))) - $(dev 225))))
    fixed=$(dev $((233 + 200)))
  fi
  firstAt "${area[@]}"
  previous=$line # where the line is before the first press
  for d in "$@"; do
    # (xdotool's click waits 100 ms after the button's release; a press and
    # a release do not.)
    if [ "$axis" = x ]; then xdotool mousemove "$d" "$fixed" mousedown 1 mouseup 1; else xdotool mousemove "$fixed" "$d" mousedown 1 mouseup 1; fi
    for ((j = 0; j < 1000; j++)); do
      firstAt "${area[@]}"
      [ "$line" != none ] && [ "$line" != "$previous" ] && break
    done
    previous=$line
    seen+=("$line")
  done
}
halves() { # first last: first .. last, the two halves interleaved
  local first=$1 last=$2 half i
  half=$(((last - first + 2) / 2))
  for ((i = 0; i < half; i++)); do
    echo $((first + i))
    [ $((first + half + i)) -le "$last" ] && echo $((first + half + i))
  done
}

setScale 1
start program "$appId" "$program"

# At each scale, before any press (the cross-hair is off the chart): the
# scale the program is told, its buffer, the shot of the chart.
declare -A crispOf brokenOf
fractional=1
for s in "${scales[@]}"; do
  setScale "$s"
  wanted=$(dev 687)x$(dev 317)
  place "$appId" "" "program-at-$s"
  offered=0
  grep -qE '"wp_fractional_scale_manager_v1"' "$log" && offered=1
  if [ "$offered" = 1 ] && [ "$qtMinor" -ge 605 ]; then
    wait_until preferredIs "$s"
    check $? "at $s the program asks for the output's fractional scale and is told it (preferred_scale $(lastPreferred))"
  fi
  if ! preferredIs "$s"; then
    fractional=0
    [ "$offered" = 1 ] && [ "$qtMinor" -ge 605 ] && continue
    echo "known: at $s no fractional scale offered or asked for (sway $(sway --version | awk '{ print $3 }')):" \
      "a buffer of $(lastBuffer), resampled by sway"
    check "$([ "$(rectOf "$appId")" = "200 200 687 317" ] && echo 0 || echo 1)" \
      "at $s the window is 687x317 logical pixels at 200,200 ($(rectOf "$appId"))"
    continue
  fi
  place "$appId" "$wanted" "program-at-$s"
  check 0 "at $s it draws a buffer of $wanted"
  x0=$(awk -v s="$s" 'BEGIN { print 233 * s }') y0=$(awk -v s="$s" 'BEGIN { print 225 * s }')
  read -r _ crisp _ all _ broken _ pixels < <("$measure" "$out/program-at-$s.png" "$chart" "$x0" "$y0" "$s" | tr '\n' ' ')
  crispOf[$s]="$crisp of $all" brokenOf[$s]=$broken
done
[ "$fractional" = 1 ] || { echo "fractional test: $check_failures failed"; [ "$check_failures" -eq 0 ]; exit; }

# At scale 1: where a press on each chart column (row) puts the cross-hair.
setScale 1
place "$appId" "687x317" program-at-1
declare -A lineOfColumn lineOfRow
mapfile -t order < <(halves 1 404)
presses x $(for c in "${order[@]}"; do echo $((233 + c)); done)
for i in "${!order[@]}"; do lineOfColumn[${order[i]}]=${seen[i]}; done
mapfile -t order < <(halves 1 224)
presses y $(for r in "${order[@]}"; do echo $((225 + r)); done)
for i in "${!order[@]}"; do lineOfRow[${order[i]}]=${seen[i]}; done
echo "  at scale 1 a press on chart column 1, 200, 404 puts the vertical line in column" \
  "${lineOfColumn[1]}, ${lineOfColumn[200]}, ${lineOfColumn[404]}; on row 1, 112, 224 the horizontal one in row" \
  "${lineOfRow[1]}, ${lineOfRow[112]}, ${lineOfRow[224]}"

# Every device column of chart row 100 (chart columns 1 to 404), every
# device row of chart column 200 (chart rows 1 to 224).
for s in "${scales[@]}"; do
  setScale "$s"
  place "$appId" "$(dev 687)x$(dev 317)" "program-pressed-at-$s"
  for axis in x y; do
    if [ "$axis" = x ]; then o=233 count=404; else o=225 count=224; fi
    mapfile -t edges < <(edgesOf "$o" $((count + 1)))
    mapfile -t order < <(halves "${edges[1]}" $((edges[count + 1] - 1)))
    presses "$axis" "${order[@]}"
    wrong=0
    for i in "${!order[@]}"; do
      d=${order[i]}
      for ((k = 1; edges[k + 1] <= d; k++)); do :; done # the chart pixel drawn at d
      if [ "$axis" = x ]; then want=${lineOfColumn[$k]}; else want=${lineOfRow[$k]}; fi
      [ "$want" != none ] && want=$((edges[want] - edges[0]))
      if [ "${seen[i]}" != "$want" ]; then
        wrong=$((wrong + 1))
        [ "$wrong" -le 5 ] && echo "  at $s a press on device $axis $d (chart pixel $k): the line at device offset ${seen[i]}, not $want"
      fi
    done
    along=columns
    [ "$axis" = y ] && along=rows
    check "$wrong" "at $s a press on each of the ${#order[@]} device $along of the chart selects the pixel drawn there ($wrong wrong)"
  done
done
stop

# The plain window at the same place and scales.
setScale 1
start plain plain-chart "$plain" "$chart"
for s in "${scales[@]}"; do
  setScale "$s"
  place plain-chart "$(dev 687)x$(dev 317)" "plain-at-$s"
  x0=$(awk -v s="$s" 'BEGIN { print 233 * s }') y0=$(awk -v s="$s" 'BEGIN { print 225 * s }')
  read -r _ plainCrisp _ all _ plainBroken _ pixels < <("$measure" "$out/plain-at-$s.png" "$chart" "$x0" "$y0" "$s" | tr '\n' ' ')
  echo "  at $s the plain window: $plainCrisp of $all device pixels in the chart's colours," \
    "$plainBroken of $pixels chart pixels not a whole block"
  crisp=${crispOf[$s]% of *}
  check "$([ "${crisp:-0}" -ge "${plainCrisp:-1}" ] && echo 0 || echo 1)" \
    "at $s as crisp as the plain window: ${crispOf[$s]} device pixels in the chart's colours (plain: $plainCrisp)"
  # Where the plain window shows no blend at all, sway put its buffer on the
  # screen 1:1: there each chart pixel is to be a whole block of its colour.
  if [ "${plainCrisp:-0}" = "$all" ]; then
    check "${brokenOf[$s]}" "at $s sway maps buffers 1:1, and every chart pixel is a whole block of device pixels (${brokenOf[$s]} of $pixels not)"
  fi
done
stop
echo "fractional test: $check_failures failed"
[ "$check_failures" -eq 0 ]
