#!/bin/bash
# Full screen, window and scaling of the real program on a 1920 x 1080 screen with a window
# manager (openbox), driven with xdotool:
#  - `--windowed --scale integer` opens a window of a whole multiple of 640 x 480 showing the
#    title at exactly twice its size; Alt+Enter makes it full screen with the picture at
#    1280 x 960, centred, every 2 x 2 block of screen pixels one colour, and back again, the
#    title still showing (ESC on the title then ends the program, which it would not do in a
#    level);
#  - the defaults (full screen, fit) show the picture at 1440 x 1080 between black bars, and
#    F11 turns it into a window.
# Run as: xvfb-run -a -s "-screen 0 1920x1080x24" display_test.sh <tarvex> <out folder>
set -u
program=$1
out=$2
here=$(dirname "$0")
pid=""
wm=""
source "$here/clean_exit.sh"
screen() { python3 "$here/screen.py" "$@"; }
check() { awk "BEGIN { exit !($1) }"; }
stop() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
}
pictures() {  # the screenshots as PNG, for people to look at
  for dump in "$out"/*.xwd; do
    [ -e "$dump" ] && screen "$dump" png "${dump%.xwd}.png" && rm -f "$dump"
  done
}
fail() { echo "FAIL: $*" >&2; stop; pictures; exit 1; }
shot() { xwd -root -silent > "$out/$1.xwd"; }
geometry() {  # sets X Y W H of the game window's inside
  # xwininfo, not xdotool: xdotool's position of a framed window is off by a pixel or two.
  local info
  info=$(xwininfo -id "$window")
  X=$(awk '/Absolute upper-left X/ {print $4}' <<< "$info")
  Y=$(awk '/Absolute upper-left Y/ {print $4}' <<< "$info")
  W=$(awk '/Width:/ {print $2}' <<< "$info")
  H=$(awk '/Height:/ {print $2}' <<< "$info")
}
lit() {  # lit <shot> <x> <y> <w> <h>: the fraction of the box that is not black
  read -r _ fraction _ <<< "$(screen "$out/$1.xwd" stats "$2" "$3" "$4" "$5")"
  echo "$fraction"
}
# title_shown <shot> <left> <top> <scale>: the picture fills its place and the title band,
# translucent orange over the road, is where it belongs: warm, red above blue.
title_shown() {
  local s=$4
  local band
  band=$(awk -v s="$s" 'BEGIN { printf "%d %d %d %d", 60 * s, 150 * s, 500 * s, 40 * s }')
  read -r bx by bw bh <<< "$band"
  read -r _ _ _ r _ b <<< "$(screen "$out/$1.xwd" stats $(($2 + bx)) $(($3 + by)) "$bw" "$bh")"
  local inside
  inside=$(lit "$1" "$2" "$3" "$(awk "BEGIN { print int(640 * $s) }")" \
    "$(awk "BEGIN { print int(480 * $s) }")")
  check "$inside > 0.9 && $r > $b"
}
launch() {  # starts the program with the given options and clicks "Start Game"
  # A fresh settings folder each time: a scale or mode remembered by one start must not
  # become the next start's default, nor the tester's own.
  local config
  config=$(mktemp -d -p "$out" config.XXXX)
  XDG_CONFIG_HOME=$config SDL_AUDIODRIVER=dummy "$program" "$@" > "$out/tarvex.log" 2>&1 &
  pid=$!
  window=$(timeout 20 xdotool search --sync --name '^Tarvex$' | head -1)
  [ -n "$window" ] || fail "no window appeared ($*)"
  sleep 1
  geometry
  # The button's middle; window_test.sh checks that the launcher draws it there.
  xdotool mousemove $((X + 379)) $((Y + 312)) click 1
}
key() { xdotool windowactivate --sync "$window" key "$1"; }
# await <shot> '<condition on $W $H $X $Y>': until the window has that size and shows the
# title where `place` says (left, top, scale of the 640 x 480 picture).
await() {
  for _ in $(seq 1 40); do
    sleep 0.5
    geometry
    eval "condition=\"$2\""
    check "$condition" || continue
    shot "$1"
    place
    title_shown "$1" "$left" "$top" "$scale" && return 0
  done
  fail "$1: the window is ${W}x${H} at $X,$Y; no title where expected"
}
finish() {  # ESC on the title ends the program cleanly
  key Escape
  expect_clean_exit "$pid" 5 "ESC did not end the program: the title was not showing"
  pid=""
}

mkdir -p "$out"
command -v openbox > /dev/null || fail "openbox, the test window manager, is not installed"
openbox --sm-disable > "$out/openbox.log" 2>&1 &
wm=$!
sleep 1

# A window at a whole multiple: the picture fills it at that multiple.
launch --windowed --scale integer
place() { left=$X; top=$Y; scale=$((W / 640)); }
await windowed '$W % 640 == 0 && $H % 480 == 0 && $W * 3 == $H * 4 && $W < 1920'
windowW=$W
windowH=$H
uniform=$(screen "$out/windowed.xwd" blocks "$X" "$Y" "$W" "$H" "$scale")
check "$uniform == 1" || fail "the window's picture is not whole ${scale}x pixels ($uniform)"

# Full screen, integer: 1280 x 960 in the middle, every 2 x 2 block one pixel of the frame.
key alt+Return
place() { left=320; top=60; scale=2; }
await integer '$X == 0 && $Y == 0 && $W == 1920 && $H == 1080'
for bar in "0 0 320 1080" "1600 0 320 1080" "320 0 1280 60" "320 1020 1280 60"; do
  # shellcheck disable=SC2086
  check "$(lit integer $bar) < 0.01" || fail "drawing in the bar $bar with integer scaling"
done
uniform=$(screen "$out/integer.xwd" blocks 320 60 1280 960 2)
check "$uniform == 1" || fail "2 x 2 blocks of the full-screen picture differ ($uniform uniform)"

key alt+Return
place() { left=$X; top=$Y; scale=$((W / 640)); }
await back '$W == $windowW && $H == $windowH'
finish

# The defaults: full screen, fit: 1440 x 1080 between bars 240 pixels wide.
launch
place() { left=240; top=0; scale=2.25; }
await fit '$W == 1920 && $H == 1080'
check "$(lit fit 0 0 240 1080) < 0.01 && $(lit fit 1680 0 240 1080) < 0.01" ||
  fail "drawing in the bars with fit scaling"
check "$(lit fit 240 0 3 1080) > 0.5 && $(lit fit 1677 0 3 1080) > 0.5" ||
  fail "the fitted picture does not reach 240..1679"
key F11
place() { left=$X; top=$Y; scale=$((W / 640)); }
await fit-window '$W % 640 == 0 && $W * 3 == $H * 4 && $W < 1920'
finish

stop
pictures
echo "PASS: window, integer and fit scaling, Alt+Enter and F11 in $out"
