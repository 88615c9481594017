#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The chart window moved between two Wayland outputs of different scale
# (sway, its x11 backend on Xvfb; the outputs side by side): for each pair
# of scales A:B it is put on the first output at A, moved onto the second at
# B and back, and at each place it is to draw at that output's own scale
# (its buffer 687x317 times the scale), be as crisp as a plain Qt window
# drawing the chart nearest-neighbour at the same place, and a press on each
# device column and row of three stretches of the chart (its ends and its
# middle) is to select the chart pixel drawn there, as at scale 1.
#   session.sh --dbus --sway 2100x1050@1 --sway 2100x1050@1 -- fractional_outputs_test.sh \
#       PROGRAM APP_ID PLAIN_CHART CHART_ON_SCREEN SCREEN_PROBE CHART.BMP QT_VERSION A:B...
# Each output is 2100x1050 device pixels, a whole logical size at 1, 1.25,
# 1.5, 1.75 and 2. Where the compositor offers no fractional scaling or Qt
# has none (before 6.5), the test says so and checks nothing more.
set -uo pipefail
here=$(dirname "$0")
. "$here/../scripts/lib.sh" || exit 1

program=$1 appId=$2 plain=$3 measure=$4 probe_program=$5 chart=$6 qt=$7
shift 7
qtMinor=$(echo "$qt" | awk -F. '{ print $1 * 100 + $2 }')
pairs=("$@")
out=${FRACTIONAL_OUT:-$PWD/fractional_outputs}
# shellcheck disable=SC2086 # the outputs' windows, counted
set -- ${SWAY_OUTPUT_WINDOWS:-}
[ $# -ge 2 ] || { echo "no two sway outputs on X: run this through tests/session.sh --sway ... --sway ..."; exit 1; }
probe_start "$probe_program"
. "$here/sway_lib.sh" || exit 1

# The scales A and B, the second output put right of the first in sway's
# layout.
setScales() { # a b
  swaymsg -q output X11-1 scale "$1" || fatal "sway takes no scale $1"
  swaymsg -q output X11-2 scale "$2" position "$(awk -v s="$1" 'BEGIN { printf "%d", 2100 / s }')" 0 ||
    fatal "sway takes no scale $2"
}
# The stretches of chart columns and rows pressed on.
columns=(1 24 190 213 381 404) rows=(1 16 105 120 209 224)

setScales 1 1
useOutput 1
start program "$appId" "$program"
if ! grep -qE '"wp_fractional_scale_manager_v1"' "$log" || [ "$qtMinor" -lt 605 ]; then
  echo "known: no fractional scale offered or asked for (sway $(sway --version | awk '{ print $3 }'), Qt $qt): nothing to check"
  exit 0
fi

# The places, in order: "output scale pair" for each.
places=()
for pair in "${pairs[@]}"; do places+=("1 ${pair%:*} $pair" "2 ${pair#*:} $pair" "1 ${pair%:*} $pair"); done
# Puts the window at place $1 (its number), with the buffer wanted there.
goTo() { # place name
  read -r n s pair <<<"${places[$1 - 1]}"
  setScales "${pair%:*}" "${pair#*:}"
  useOutput "$n"
  place "$appId" "" "$2"
  wait_until preferredIs "$s"
  check $? "$pair, place $1, on output $n: the program is told the output's scale $s (preferred_scale $(lastPreferred))"
  wanted=$(dev 687)x$(dev 317)
  place "$appId" "$wanted" "$2"
  check 0 "$pair, place $1, on output $n: it draws a buffer of $wanted"
}

# Through the places before any press (the cross-hair off the chart): the
# scale, the buffer, the shot of the chart.
declare -A crispOf brokenOf
for ((hop = 1; hop <= ${#places[@]}; hop++)); do
  goTo "$hop" "program-$hop"
  read -r crisp all broken pixels < <(crispness "$out/program-$hop.png" "$chart" 33 25)
  crispOf[$hop]="$crisp of $all" brokenOf[$hop]="$broken of $pixels"
done

# At scale 1, where a press on each chart column and row of the stretches
# puts the cross-hair; then through the places again, pressing.
setScales 1 1
useOutput 1
place "$appId" 687x317 program-at-1
for ((i = 0; i < ${#columns[@]}; i += 2)); do reference "${columns[i]}" "${columns[i + 1]}" "${rows[i]}" "${rows[i + 1]}"; done
for ((hop = 1; hop <= ${#places[@]}; hop++)); do
  goTo "$hop" "program-pressed-$hop"
  for ((i = 0; i < ${#columns[@]}; i += 2)); do checkAlong "${columns[i]}" "${columns[i + 1]}" "${rows[i]}" "${rows[i + 1]}"; done
done
stop

# The plain window through the same places.
setScales 1 1
useOutput 1
start plain plain-chart "$plain" "$chart"
for ((hop = 1; hop <= ${#places[@]}; hop++)); do
  read -r n s pair <<<"${places[hop - 1]}"
  setScales "${pair%:*}" "${pair#*:}"
  useOutput "$n"
  place plain-chart "$(dev 687)x$(dev 317)" "plain-$hop"
  read -r plainCrisp all plainBroken pixels < <(crispness "$out/plain-$hop.png" "$chart" 33 25)
  crisp=${crispOf[$hop]% of *}
  check "$([ "${crisp:-0}" -ge "${plainCrisp:-1}" ] && echo 0 || echo 1)" \
    "$pair, place $hop, on output $n at $s as crisp as the plain window: ${crispOf[$hop]} device pixels in the chart's colours (plain: $plainCrisp)"
  # The plain window showing no blend, sway maps buffers 1:1 there.
  if [ "${plainCrisp:-0}" = "$all" ]; then
    check "${brokenOf[$hop]%% *}" "$pair, place $hop: every chart pixel a whole block of device pixels (${brokenOf[$hop]} not)"
  fi
done
stop
echo "fractional outputs test: $check_failures failed"
[ "$check_failures" -eq 0 ]
