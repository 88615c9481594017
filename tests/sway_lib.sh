# SPDX-License-Identifier: MIT
# Shared by the tests of windows on sway's outputs (x11 backend on Xvfb, see
# session.sh --sway): placing a window, reading its scale and buffers from
# the client's protocol log, shooting an output, pressing on the chart.
# Sourced after scripts/lib.sh, with probe_start run; its trap on EXIT
# ends the program started and the probe (end_app) as well. The output in use:
#   output  its X window; outX its left edge on the X screen (device pixels)
#   outputName  sway's name for it (X11-1 ...); layoutX its left edge in
#           sway's layout (logical pixels)
#   scale   its scale
# A window is placed at logical winX,winY of the output (200,200 unless
# set: a whole device pixel at every scale tested); "out" is the folder
# for shots and logs, "log" the protocol log of the program last started.

mkdir -p "$out" || exit 1
rm -f "$out"/*.png "$out"/*.log # no shot of an earlier run taken for this one's
for tool in swaymsg xwininfo import python3 cmp; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

output=${SWAY_OUTPUT_WINDOWS%% *} outX=0 outputName=X11-1 layoutX=0 scale=1 log= app= winX=200 winY=200

# The X pointer, worked through XTest by one process for the whole test (an
# xdotool run opens a connection to the X server each time, some 70 ms):
#   pointer move X Y down BUTTON up BUTTON ...
# returns once the X server has taken every event.
pointerIn=$out/pointer.in pointerOut=$out/pointer.out
rm -f "$pointerIn" "$pointerOut"
mkfifo "$pointerIn" "$pointerOut" || exit 1
python3 -u -c '
import ctypes, sys
x11, xtst = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XSync.argtypes = x11.XFlush.argtypes = [ctypes.c_void_p, ctypes.c_int]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
display = x11.XOpenDisplay(None)
if not display:
    sys.exit("no X display")
for line in sys.stdin:
    words = line.split()
    while words:
        if words[0] == "move":
            xtst.XTestFakeMotionEvent(display, -1, int(words[1]), int(words[2]), 0)
            words = words[3:]
        else:
            xtst.XTestFakeButtonEvent(display, int(words[1]), words[0] == "down", 0)
            words = words[2:]
    x11.XSync(display, 0)
    print("ok")
' <"$pointerIn" >"$pointerOut" &
pointerPid=$!
exec {pointerW}>"$pointerIn" {pointerR}<"$pointerOut"
# It ends with the test, as what the test started does (end_app).
trap 'kill "$pointerPid" 2>/dev/null; end_app' EXIT
pointer() {
  local answer
  printf '%s\n' "$*" >&"$pointerW" && IFS= read -r answer <&"$pointerR" && [ "$answer" = ok ]
}

fatal() {
  echo "FAIL: $*"
  import -window "$output" "$out/failure.png" 2>/dev/null
  exit 1
}
# Logical to device: the first device pixel of logical position v (v * scale,
# halves up), the rule sway places the window's buffer by and the program
# draws the chart by.
dev() { awk -v v="$1" -v s="$scale" 'BEGIN { printf "%d", int(v * s + 0.5) }'; }
# The first device pixel of logical positions o .. o + count, one a line.
edgesOf() { awk -v o="$1" -v n="$2" -v s="$scale" 'BEGIN { for (k = 0; k <= n; k++) printf "%d\n", int((o + k) * s + 0.5) }'; }
# The layout rectangle sway gives the first window of an application id
# (and title, where given): "X Y W H" in logical pixels.
rectOf() { # app-id [title]
  swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n):
    if n.get("app_id") == sys.argv[1] and (len(sys.argv) < 3 or n.get("name") == sys.argv[2]):
        r = n["rect"]; print(r["x"], r["y"], r["width"], r["height"]); sys.exit(0)
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c)
walk(json.load(sys.stdin)); sys.exit(1)' "$@"
}
# The sizes of the buffers the program made, and the last scale it was
# told (in 120ths), from its protocol log.
buffers() { # [from-line]: the sizes of the buffers made (since that line of the log), in order
  tail -n +"${1:-1}" "$log" | grep -oE 'create_buffer\(new id wl_buffer[@#][0-9]+, 0, [0-9]+, [0-9]+' | awk -F', ' '{ print $3 "x" $4 }'
}
lastBuffer() { buffers | tail -n1; }
lastPreferred() { grep -oE 'preferred_scale\([0-9]+\)' "$log" | tail -n1 | grep -oE '[0-9]+'; }
preferredIs() { [ "$(lastPreferred)" = "$(awk -v s="$1" 'BEGIN { printf "%d", s * 120 + 0.5 }')" ]; } # scale
still() { # the output the same in two shots one after the other (polled)
  import -window "$output" "$out/$1-b.png" 2>/dev/null || return 1
  cmp -s "$out/$1-a.png" "$out/$1-b.png" && return 0
  mv "$out/$1-b.png" "$out/$1-a.png"
  return 1
}
# Makes the output named $1 (1, 2 ...: the order session.sh was given
# them) the one in use.
useOutput() {
  local n=$1
  set -- $SWAY_OUTPUT_WINDOWS
  output=${!n} outputName=X11-$n
  outX=$(xwininfo -id "$output" | awk '/Absolute upper-left X:/ { print $4 }')
  read -r layoutX scale < <(swaymsg -t get_outputs | python3 -c '
import json, sys
for o in json.load(sys.stdin):
    if o["name"] == sys.argv[1]: print(o["rect"]["x"], "%g" % o["scale"]); sys.exit(0)
sys.exit(1)' "$outputName")
  [ -n "$scale" ] || fatal "sway has no output $outputName"
}
setScale() { # scale: of the output in use
  scale=$1
  swaymsg -q output "$outputName" scale "$1" || fatal "sway takes no scale $1"
}
# The window (app id $1, title $3 where given) at winX,winY of the output
# in use, with $2 (a WxH or empty) the program's last buffer; then the output
# at rest, shot as $3.png (place).
settled() { # app-id buffer [title]
  [ "$(rectOf "$1" ${3:+"$3"} | cut -d' ' -f1-2)" = "$((layoutX + winX)) $winY" ] &&
    { [ -z "$2" ] || [ "$(lastBuffer)" = "$2" ]; }
}
place() { # app-id buffer name [title]
  local criteria="app_id=\"^$1\$\""
  [ -n "${4:-}" ] && criteria+=" title=\"^$4\$\""
  wait_until swaymsg -q "[$criteria] move absolute position $((layoutX + winX)) $winY" || fatal "sway has no window of $1 ${4:-} to place"
  wait_until settled "$1" "$2" "${4:-}" ||
    fatal "$3: not at $winX,$winY of $outputName with a buffer of ${2:-any size} (at $(rectOf "$1" ${4:+"$4"}), $(lastBuffer))"
  rm -f "$out/$3-a.png"
  wait_until still "$3" || fatal "$3: the screen does not come to rest"
  cp "$out/$3-a.png" "$out/$3.png"
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

# How crisply the shot $1 shows the picture $2 whose logical top-left corner
# is at $3,$4 of the window: "crisp all broken pixels" (see
# chart_on_screen).
crispness() { # shot picture x y
  local x0 y0
  x0=$(awk -v v="$((winX + $3))" -v s="$scale" 'BEGIN { print v * s }')
  y0=$(awk -v v="$((winY + $4))" -v s="$scale" 'BEGIN { print v * s }')
  "$measure" "$1" "$2" "$x0" "$y0" "$scale" | awk '{ printf "%s %s ", $2, $4 } END { print "" }'
}

# Where the cross-hair is on the chart of the window at winX,winY, from one
# look at four lines of device pixels (crossAreas, set by presses): "v" the
# vertical line's first device column from the chart's left edge, read
# along chart rows 2 and 222, "h" the horizontal line's first device row
# from its top edge, read along chart columns 2 and 402; "none" for a line
# off the chart. The other line, or the marker around their crossing,
# shows the cross-hair's colour before the line read (from the chart's
# edge, or from the marker's), never after it; and they cross at most one
# of two lines of pixels 220 chart pixels apart (the marker is 8 across).
# So the later of a line's two readings is the line's, "none" being later
# than any.
crosshair=255,192,192
later() { # a b: into "line"
  if [ "$1" = none ] || [ "$2" = none ]; then line=none; elif [ "$1" -ge "$2" ]; then line=$1; else line=$2; fi
}
crossAt() {
  local answer
  printf 'first %s %s %s\n' "$crosshair" "$output" "${crossAreas[*]}" >&"${PROBE[1]}" &&
    IFS= read -r answer <&"${PROBE[0]}" || fatal "the screen probe does not answer"
  # shellcheck disable=SC2086 # the four readings
  set -- $answer
  [ $# -eq 4 ] || fatal "the screen probe cannot read the chart's lines of pixels: '$answer'"
  later "$1" "$2"
  v=$line
  later "$3" "$4"
  h=$line
}
# 5 ms without a process: between two looks at the screen, so that the
# program and sway, not the polling, have the processor (sway draws a frame
# every 16 ms).
exec {napFd}<> <(:)
nap() { read -r -t 0.005 -u "$napFd" _ || :; }
# Presses (or, with "drag" first, one drag with the right button through
# them all, the button down at the first) on the given device positions
# "x y" of the output, in the order given; for each, where the cross-hair
# then is (crossAt), in the arrays seenV and seenH. The positions alternate
# between the chart's halves along each axis, so that each moves both
# lines; each waits for that move from where the lines were before it (the
# screen looked at every 5 ms, and again at once where it changed): both
# lines moved and seen so twice, the second look wholly after the frame
# that moved them, or one moved and the screen the same for ten looks.
presses() { # [drag] x y [x y]...
  local drag= previousV previousH lastV lastH same j
  [ "$1" = drag ] && { drag=1; shift; }
  seenV=() seenH=()
  local cx=$((winX + 33)) cy=$((winY + 25)) # the chart's corner
  local left top width height
  left=$(dev $cx) top=$(dev $cy)
  width=$(($(dev $((cx + 405))) - left)) height=$(($(dev $((cy + 225))) - top))
  crossAreas=("$left" "$(dev $((cy + 2)))" "$width" 1 "$left" "$(dev $((cy + 222)))" "$width" 1
    "$(dev $((cx + 2)))" "$top" 1 "$height" "$(dev $((cx + 402)))" "$top" 1 "$height")
  crossAt
  previousV=$v previousH=$h # where the lines are before the first press
  while [ $# -ge 2 ]; do
    if [ -z "$drag" ]; then
      pointer move $((outX + $1)) "$2" down 1 up 1
    elif [ "${#seenV[@]}" -eq 0 ]; then
      pointer move $((outX + $1)) "$2" down 3
    else
      pointer move $((outX + $1)) "$2"
    fi
    shift 2
    lastV= lastH= same=0
    for ((j = 0; j < 1000; j++)); do
      crossAt
      if [ "$v" = "$lastV" ] && [ "$h" = "$lastH" ]; then
        same=$((same + 1))
        [ "$v" != "$previousV" ] && [ "$h" != "$previousH" ] && break
        [ "$same" -ge 10 ] && { [ "$v" != "$previousV" ] || [ "$h" != "$previousH" ]; } && break
        nap
      else
        lastV=$v lastH=$h same=0 # looked at again at once: a frame comes every 16 ms
      fi
    done
    previousV=$v previousH=$h
    seenV+=("$v") seenH+=("$h")
  done
  [ -z "$drag" ] || pointer up 3
}
halves() { # first last: first .. last, the two halves interleaved
  local first=$1 last=$2 half i
  half=$(((last - first + 2) / 2))
  for ((i = 0; i < half; i++)); do
    echo $((first + i))
    [ $((first + half + i)) -le "$last" ] && echo $((first + half + i))
  done
}

# Pairs "x y" of the positions $1 (one a line) and $2 alike, as many as the
# longer list has, the shorter one taken again from its start.
pairsOf() { # xs ys
  local -a xs ys
  local i n
  mapfile -t xs <<<"$1"
  mapfile -t ys <<<"$2"
  n=$((${#xs[@]} > ${#ys[@]} ? ${#xs[@]} : ${#ys[@]}))
  for ((i = 0; i < n; i++)); do echo "${xs[i % ${#xs[@]}]} ${ys[i % ${#ys[@]}]}"; done
}

# At scale 1: where a press on chart columns $1 to $2 and rows $3 to $4
# puts the cross-hair, into lineOfColumn and lineOfRow (a column and a row
# in each press; the shorter range pressed on again from its start, where
# it must put the line where it did before).
declare -A lineOfColumn lineOfRow
reference() { # first-column last-column first-row last-row
  local -a pairs
  local i x y differ=0
  mapfile -t pairs < <(pairsOf "$(halves "$1" "$2")" "$(halves "$3" "$4")")
  # shellcheck disable=SC2046 # the positions
  presses $(for i in "${pairs[@]}"; do read -r x y <<<"$i"; echo $((winX + 33 + x)) $((winY + 25 + y)); done)
  for i in "${!pairs[@]}"; do
    read -r x y <<<"${pairs[i]}"
    [ -n "${lineOfColumn[$x]:-}" ] && [ "${lineOfColumn[$x]}" != "${seenV[i]}" ] && differ=$((differ + 1))
    [ -n "${lineOfRow[$y]:-}" ] && [ "${lineOfRow[$y]}" != "${seenH[i]}" ] && differ=$((differ + 1))
    lineOfColumn[$x]=${seenV[i]} lineOfRow[$y]=${seenH[i]}
  done
  check "$differ" "at scale 1 a press on a chart pixel puts the cross-hair where it did before ($differ presses not, columns $1 to $2, rows $3 to $4)"
}
# The chart pixel drawn at device position $4 of an axis whose chart
# pixels start at the device positions in the array named $1, looked for
# from chart pixel $3 on, into "pixel"; and the line's device offset a
# press there is to give, by the scale-1 reference in the array named $2,
# into "want".
wanted() { # edges reference first position
  local -n edges=$1 lineOf=$2
  for ((pixel = $3; edges[pixel + 1] <= $4; pixel++)); do :; done
  want=${lineOf[$pixel]}
  [ "$want" != none ] && want=$((edges[want] - edges[0]))
}
# Presses ("drag": one drag) on every device column that shows chart
# columns $1 to $2 and every device row that shows chart rows $3 to $4
# (a column and a row in each press, the shorter range pressed on again
# from its start): each is to put the cross-hair where a press on the chart
# pixel drawn there put it at scale 1 (reference).
checkAlong() { # [drag] first-column last-column first-row last-row
  local drag= how=press i x y pixel want wrongColumns=0 wrongRows=0 columns rows what
  local -a edgesX edgesY pairs
  [ "$1" = drag ] && { drag=drag how=drag; shift; }
  mapfile -t edgesX < <(edgesOf $((winX + 33)) 410) # edgesX[k]: chart column k's first device column
  mapfile -t edgesY < <(edgesOf $((winY + 25)) 230)
  columns=$((edgesX[$2 + 1] - edgesX[$1])) rows=$((edgesY[$4 + 1] - edgesY[$3]))
  mapfile -t pairs < <(pairsOf "$(halves "${edgesX[$1]}" $((edgesX[$2 + 1] - 1)))" \
    "$(halves "${edgesY[$3]}" $((edgesY[$4 + 1] - 1)))")
  local begun=${EPOCHREALTIME/[.,]/}
  # shellcheck disable=SC2046,SC2086 # the positions
  presses $drag ${pairs[*]}
  [ -n "$drag" ] && what="a drag through ${#pairs[@]} points" || what="${#pairs[@]} presses"
  what+=" ($(((${EPOCHREALTIME/[.,]/} - begun) / 1000)) ms)"
  for i in "${!pairs[@]}"; do
    read -r x y <<<"${pairs[i]}"
    wanted edgesX lineOfColumn "$1" "$x"
    if [ "${seenV[i]}" != "$want" ] && [ $((wrongColumns += 1)) -le 5 ]; then
      echo "  at $scale on $outputName a $how on device column $x (chart column $pixel): the vertical line at device offset ${seenV[i]}, not $want"
    fi
    wanted edgesY lineOfRow "$3" "$y"
    if [ "${seenH[i]}" != "$want" ] && [ $((wrongRows += 1)) -le 5 ]; then
      echo "  at $scale on $outputName a $how on device row $y (chart row $pixel): the horizontal line at device offset ${seenH[i]}, not $want"
    fi
  done
  check "$wrongColumns" "at $scale on $outputName $what over the $columns device columns of chart columns $1 to $2: each selects the column drawn there ($wrongColumns of ${#pairs[@]} wrong)"
  check "$wrongRows" "at $scale on $outputName $what over the $rows device rows of chart rows $3 to $4: each selects the row drawn there ($wrongRows of ${#pairs[@]} wrong)"
}
