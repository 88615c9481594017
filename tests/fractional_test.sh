#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Both windows on a Wayland output whose scale is set in turn to each of the
# fractional scales given, as on a laptop's panel at 125, 150 or 175 %
# (sway, its x11 backend on Xvfb, each window floated at a whole device
# pixel): drawn at the output's own scale (a buffer of the window's logical
# size times the scale, never one the compositor resamples), at least as
# crisp as a plain Qt window drawing the picture nearest-neighbour at the
# same place, every picture pixel a whole block of device pixels where sway
# maps buffers 1:1 (the plain window showing no blend). On the chart window,
# a press on each device column and each device row of the chart (a column
# and a row in each press), and a drag with the right button over those of
# three stretches, select the chart pixel drawn there: the cross-hair where
# a press on that chart pixel puts it at scale 1, measured first.
#   session.sh --dbus --sway 1680x945@1 -- fractional_test.sh PROGRAM APP_ID \
#       PLAIN_CHART CHART_ON_SCREEN SCREEN_PROBE CHART.BMP DRAWING.BMP QT_VERSION SCALE...
# The output's logical size is whole at each scale (1680x945 is at 1.25,
# 1.5 and 1.75; 960x540 there, where both windows fit): sway's x11 backend
# maps the X pointer onto the output's layout box, whose size it truncates
# to whole logical pixels.
# Where the compositor offers no fractional scaling or Qt has none (before
# 6.5), the window is drawn at the next whole scale and resampled by sway:
# the test says so and checks the window's logical size alone. (Debian 12,
# Qt 6.4 and sway 1.7, has neither; its sway does not run as root, and
# session.sh skips the test there.)
set -uo pipefail
here=$(dirname "$0")
. "$here/../scripts/lib.sh" || exit 1

program=$1 appId=$2 plain=$3 measure=$4 probe_program=$5 chart=$6 drawing=$7 qt=$8
shift 8
qtMinor=$(echo "$qt" | awk -F. '{ print $1 * 100 + $2 }')
scales=("$@")
out=${FRACTIONAL_OUT:-$PWD/fractional}
[ -n "${SWAY_OUTPUT_WINDOWS:-}" ] || { echo "no sway on X: run this through tests/session.sh --sway ..."; exit 1; }
probe_start "$probe_program"
. "$here/sway_lib.sh" || exit 1
drawingTitle=" KRTd258"

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
  read -r crisp all broken pixels < <(crispness "$out/program-at-$s.png" "$chart" 33 25)
  crispOf[chart-$s]="$crisp of $all" brokenOf[chart-$s]="$broken of $pixels"
done
[ "$fractional" = 1 ] || { echo "fractional test: $check_failures failed"; [ "$check_failures" -eq 0 ]; exit; }

# At scale 1: where a press on each chart column (row) puts the cross-hair.
setScale 1
place "$appId" "687x317" program-at-1
reference 1 404 1 224
echo "  at scale 1 a press on chart column 1, 200, 404 puts the vertical line in column" \
  "${lineOfColumn[1]}, ${lineOfColumn[200]}, ${lineOfColumn[404]}; on row 1, 112, 224 the horizontal one in row" \
  "${lineOfRow[1]}, ${lineOfRow[112]}, ${lineOfRow[224]}"

# Every device column of chart columns 1 to 404 and every device row of
# chart rows 1 to 224, pressed on; then dragged over, the device columns
# and rows of three stretches (the chart's corners and its middle).
for s in "${scales[@]}"; do
  setScale "$s"
  place "$appId" "$(dev 687)x$(dev 317)" "program-pressed-at-$s"
  checkAlong 1 404 1 224
  for stretch in "1 24 1 16" "190 213 105 120" "381 404 209 224"; do
    # shellcheck disable=SC2086 # columns and rows
    checkAlong drag $stretch
  done
done

# The drawing window, opened by "Air End" (the button's middle at 628,148
# of the chart window) and put at 200,40, where it fits the output at 1.75.
pointer move "$(dev 828)" "$(dev 348)" down 1 up 1
winY=40
for s in "${scales[@]}"; do
  setScale "$s"
  mark=$(($(wc -l <"$log") + 1))
  wanted=$(dev 580)x$(dev 481)
  place "$appId" "" "drawing-at-$s" "$drawingTitle"
  wait_until eval 'buffers "$mark" | sort -u | grep -qx "$wanted"'
  check $? "at $s the drawing window draws a buffer of $wanted (the program's buffers since the scale was set: $(buffers "$mark" | sort -u | tr '\n' ' '))"
  read -r crisp all broken pixels < <(crispness "$out/drawing-at-$s.png" "$drawing" 10 10)
  crispOf[drawing-$s]="$crisp of $all" brokenOf[drawing-$s]="$broken of $pixels"
done
stop

# The plain windows at the same places and scales: the chart's, the drawing's.
for window in chart drawing; do
  if [ "$window" = chart ]; then picture=$chart size=(687 317 33 25) winY=200; else picture=$drawing size=(580 481 10 10) winY=40; fi
  setScale 1
  start "plain-$window" plain-chart "$plain" "$picture" "${size[@]}"
  for s in "${scales[@]}"; do
    setScale "$s"
    place plain-chart "$(dev "${size[0]}")x$(dev "${size[1]}")" "plain-$window-at-$s"
    read -r plainCrisp all plainBroken pixels < <(crispness "$out/plain-$window-at-$s.png" "$picture" "${size[2]}" "${size[3]}")
    echo "  at $s the plain $window window: $plainCrisp of $all device pixels in the picture's colours," \
      "$plainBroken of $pixels pixels not a whole block"
    crisp=${crispOf[$window-$s]% of *}
    check "$([ "${crisp:-0}" -ge "${plainCrisp:-1}" ] && echo 0 || echo 1)" \
      "at $s the $window window is as crisp as the plain one: ${crispOf[$window-$s]} device pixels in the picture's colours (plain: $plainCrisp)"
    # Where the plain window shows no blend at all, sway put its buffer on
    # the screen 1:1: there each pixel is to be a whole block of its colour.
    if [ "${plainCrisp:-0}" = "$all" ]; then
      check "${brokenOf[$window-$s]%% *}" \
        "at $s sway maps buffers 1:1, and every pixel of the $window window's picture is a whole block of device pixels (${brokenOf[$window-$s]} not)"
    fi
  done
  stop
done
echo "fractional test: $check_failures failed"
[ "$check_failures" -eq 0 ]
