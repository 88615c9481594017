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
# The size of the last buffer the program made, and the last scale it was
# told (in 120ths), from its protocol log.
lastBuffer() { grep -oE 'create_buffer\(new id wl_buffer[@#][0-9]+, 0, [0-9]+, [0-9]+' "$log" | tail -n1 | awk -F', ' '{ print $3 "x" $4 }'; }
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
  local n=$1 w
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
# 5 ms without a process: between two looks at the screen, so that the
# program and sway, not the polling, have the processor (sway draws a frame
# every 16 ms).
exec {napFd}<> <(:)
nap() { read -r -t 0.005 -u "$napFd" _ || :; }
# Presses (or, with "drag" first, one drag with the right button through
# them all, the button down at the first) on the given
# device positions of the output along one axis (x: a row at the chart's row
# 100, the vertical line read at chart row 20; y: a column at chart column
# 200, the horizontal line read at chart column 60), in the order given; for
# each, the line's first device offset from the chart's edge, in the array
# "seen". The positions alternate between the chart's halves, so that each
# moves the line, and each waits for that move from where the line was
# before it (the probe is asked again every 5 ms).
presses() { # [drag] axis position...
  local drag= axis d previous= j area at
  [ "$1" = drag ] && { drag=1; shift; }
  axis=$1
  shift
  seen=()
  local cx=$((winX + 33)) cy=$((winY + 25)) # the chart's corner
  if [ "$axis" = x ]; then
    area=("$(dev $cx)" "$(dev $((cy + 20)))" $(($(dev $((cx + 405))) - $(dev $cx))) 1)
    fixed=$(dev $((cy + 100)))
  else
    area=("$(dev $((cx + 60)))" "$(dev $cy)" 1 $(($(dev $((cy + 225))) - $(dev $cy))))
    fixed=$(dev $((cx + 200)))
  fi
  firstAt "${area[@]}"
  previous=$line # where the line is before the first press
  for d in "$@"; do
    if [ "$axis" = x ]; then at=($((outX + d)) "$fixed"); else at=($((outX + fixed)) "$d"); fi
    if [ -z "$drag" ]; then
      pointer move "${at[@]}" down 1 up 1
    elif [ "${#seen[@]}" -eq 0 ]; then
      pointer move "${at[@]}" down 3
    else
      pointer move "${at[@]}"
    fi
    for ((j = 0; j < 1000; j++)); do
      firstAt "${area[@]}"
      [ "$line" != none ] && [ "$line" != "$previous" ] && break
      nap
    done
    previous=$line
    seen+=("$line")
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

# At scale 1: where a press on each chart column (x) or row (y) from $2 to
# $3 puts the cross-hair, into lineOfColumn or lineOfRow.
declare -A lineOfColumn lineOfRow
reference() { # axis first last
  local axis=$1 o i
  [ "$axis" = x ] && o=$((winX + 33)) || o=$((winY + 25))
  mapfile -t order < <(halves "$2" "$3")
  presses "$axis" $(for c in "${order[@]}"; do echo $((o + c)); done)
  for i in "${!order[@]}"; do
    if [ "$axis" = x ]; then lineOfColumn[${order[i]}]=${seen[i]}; else lineOfRow[${order[i]}]=${seen[i]}; fi
  done
}
# Presses ("drag": one drag) on every device column (x) of chart row 100 or
# device row (y) of chart column 200 that shows the chart pixels $2 to $3 of
# that axis: each is to put the cross-hair where a press on that chart pixel
# put it at scale 1 (reference).
checkAlong() { # [drag] axis first last
  local drag= axis first last o edges order i d k want wrong=0 along=columns how=press
  [ "$1" = drag ] && { drag=drag how=drag; shift; }
  axis=$1 first=$2 last=$3
  [ "$axis" = x ] && o=$((winX + 33)) || { o=$((winY + 25)) along=rows; }
  mapfile -t edges < <(edgesOf "$o" 410) # edges[k]: chart pixel k's first device pixel
  mapfile -t order < <(halves "${edges[first]}" $((edges[last + 1] - 1)))
  presses $drag "$axis" "${order[@]}"
  for i in "${!order[@]}"; do
    d=${order[i]}
    for ((k = first; edges[k + 1] <= d; k++)); do :; done # the chart pixel drawn at d
    if [ "$axis" = x ]; then want=${lineOfColumn[$k]}; else want=${lineOfRow[$k]}; fi
    [ "$want" != none ] && want=$((edges[want] - edges[0]))
    if [ "${seen[i]}" != "$want" ]; then
      wrong=$((wrong + 1))
      [ "$wrong" -le 5 ] && echo "  at $scale on $outputName a $how on device $axis $d (chart pixel $k): the line at device offset ${seen[i]}, not $want"
    fi
  done
  check "$wrong" "at $scale on $outputName a $how on each of the ${#order[@]} device $along of chart $along $first to $last selects the pixel drawn there ($wrong wrong)"
}
