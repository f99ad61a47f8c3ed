#!/bin/bash
# The real program in a real window under Xvfb, driven with xdotool: the launcher shows its
# "Start Game" button, the X11 class of the desktop id and the program's icon, a click starts the frame loop, the
# title is presented in the 640 x 480 game surface, ENTER shows the level intro and then the
# level's road, ESC twice ends the program cleanly.
# Run as: xvfb-run -a -s "-screen 0 1024x768x24" window_test.sh <tarvex> <out folder> <desktop id>
set -u
program=$1
out=$2
desktop_id=$3
here=$(dirname "$0")
source "$here/clean_exit.sh"
screen() { python3 "$here/screen.py" "$@"; }
fail() { echo "FAIL: $*" >&2; kill "$pid" 2>/dev/null; exit 1; }
shot() { xwd -root -silent > "$out/$1.xwd" && screen "$out/$1.xwd" png "$out/$1.png"; }
geometry() {  # sets X Y W H of the game window
  eval "$(xdotool getwindowgeometry --shell "$window")"
  X=$X; Y=$Y; W=$WIDTH; H=$HEIGHT
}

mkdir -p "$out"
SDL_AUDIODRIVER=dummy "$program" > "$out/tarvex.log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Tarvex$' | head -1)
[ -n "$window" ] || fail "no window appeared"
sleep 1

# The desktop finds the window's menu entry (StartupWMClass) and icon by its class.
xprop -id "$window" WM_CLASS | grep -qF "\"$desktop_id\", \"$desktop_id\"" ||
  fail "the window's class is not $desktop_id: $(xprop -id "$window" WM_CLASS)"
# The window carries the program's icon from the archive, at the icon theme's largest size.
icon=$(xprop -notype -len 8 -id "$window" _NET_WM_ICON | grep -o -m1 'Icon ([0-9]* x [0-9]*)')
[ "$icon" = "Icon (256 x 256)" ] || fail "the window has no 256 px icon (${icon:-none})"

shot launcher
geometry
[ "$W" = 759 ] && [ "$H" = 453 ] || fail "launcher is ${W}x${H}, not 759x453"
button=$(screen "$out/launcher.xwd" find 36 16 58) || fail "no Start Game button on the launcher"
read -r bx by <<< "$button"
xdotool mousemove "$bx" "$by" click 1

# The first frame loads the archive; give it time on a loaded machine.
title_shown() {
  read -r _ lit _ <<< "$(screen "$out/title.xwd" stats "$X" "$Y" 640 480)"
  # The title band is translucent orange over the road: warm, red above blue.
  read -r _ _ _ r g b <<< "$(screen "$out/title.xwd" stats $((X + 60)) $((Y + 150)) 500 40)"
  python3 -c "import sys; sys.exit(0 if $lit > 0.9 and $r > $b else 1)"
}
for _ in $(seq 1 40); do
  sleep 0.5
  geometry
  [ "$W" = 640 ] && [ "$H" = 480 ] || continue
  shot title
  title_shown && break
done
[ "$W" = 640 ] && [ "$H" = 480 ] || fail "the game surface is ${W}x${H}, not 640x480"
title_shown || fail "the title was not presented in the game surface (lit $lit, band $r $g $b)"
read -r _ outside _ <<< "$(screen "$out/title.xwd" stats 0 0 "$X" 768)"
python3 -c "import sys; sys.exit(0 if $outside < 0.01 else 1)" || fail "drawing outside the game surface"

xdotool key --window "$window" Return
sleep 1
shot intro
# The intro picture, a sunset, fills the surface; the title band is gone.
read -r _ lit _ r g b <<< "$(screen "$out/intro.xwd" stats "$X" "$Y" 640 200)"
python3 -c "import sys; sys.exit(0 if $lit > 0.9 else 1)" || fail "no intro picture ($lit lit)"
[ "$b" -gt "$g" ] || fail "the intro is not showing (mean $r $g $b)"

# After the intro the level is set up: the road, grey asphalt, fills the middle of the surface.
road_shown() {
  read -r _ lit _ r g b <<< "$(screen "$out/playing.xwd" stats $((X + 150)) $((Y + 100)) 300 250)"
  python3 -c "import sys; sys.exit(0 if $lit > 0.95 and abs($r - $b) < 30 and abs($r - $g) < 30 \
    and 40 < $r < 200 else 1)"
}
for _ in $(seq 1 20); do
  sleep 0.5
  shot playing
  road_shown && break
done
road_shown || fail "no road on the playing screen (lit $lit, mean $r $g $b)"

xdotool key --window "$window" Escape
sleep 0.5
xdotool key --window "$window" Escape
expect_clean_exit "$pid" 5 "ESC on the title did not end the program"
rm -f "$out"/*.xwd
echo "PASS: launcher, title, intro and road in $out"
