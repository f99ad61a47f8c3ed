#!/bin/bash
# The options screen in the real program under Xvfb, driven with xdotool: O on the title opens
# it, ENTER on "Steer left" waits for a key, J is taken, ESC leaves and saves. settings.ini
# then holds J for left, and in the level that follows J held steers left: the recorded
# keyboard states the game read hold the left arrow's slot with J, and no arrow is pressed.
# Run as: xvfb-run -a -s "-screen 0 1024x768x24" options_window_test.sh <tarvex> <out folder>
set -u
program=$1
out=$2
here=$(dirname "$0")
source "$here/clean_exit.sh"
screen() { python3 "$here/screen.py" "$@"; }
fail() { echo "FAIL: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }
shot() { xwd -root -silent > "$out/$1.xwd" && screen "$out/$1.xwd" png "$out/$1.png"; }
press() { for key in "$@"; do xdotool key --window "$window" "$key"; sleep 0.2; done; }

mkdir -p "$out"
export XDG_CONFIG_HOME="$out/config"
rm -rf "$XDG_CONFIG_HOME" "$out/options.replay"
SDL_AUDIODRIVER=dummy "$program" --record "$out/options.replay" > "$out/tarvex.log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Tarvex$' | head -1)
[ -n "$window" ] || fail "no window appeared"
sleep 1
press Return
sleep 4  # the first frame loads the archive
eval "$(xdotool getwindowgeometry --shell "$window")"

press o
sleep 0.5
shot options
# The options screen covers the title with a black panel under an orange band.
read -r _ _ _ r g b <<< "$(screen "$out/options.xwd" stats $((X + 20)) $((Y + 12)) 400 30)"
[ "$r" -gt "$b" ] || fail "no orange band on the options screen (mean $r $g $b)"
read -r _ _ _ r g b <<< "$(screen "$out/options.xwd" stats $((X + 250)) $((Y + 100)) 40 300)"
[ "$r" -lt 40 ] && [ "$g" -lt 40 ] || fail "the title shows where the options should be ($r $g $b)"

# Up from the first row goes round to the last: leave, defaults, CTRL, ESC, ENTER, right, left.
press Up Up Up Up Up Up Up Return j
shot bound
press Escape
sleep 0.5
settings="$XDG_CONFIG_HOME/tarvex/settings.ini"
[ -f "$settings" ] || fail "leaving the options wrote no $settings"
keys=$(sed -n '/^\[keys\]/,/^\[/p' "$settings")
echo "$keys" | grep -qx 'left = J' || fail "settings.ini does not bind J to left: $(cat "$settings")"
grep -q '^\[pad\]' "$settings" || fail "settings.ini has no [pad] section"

press Return  # the title is back: ENTER starts a level
sleep 5
xdotool keydown --window "$window" j
sleep 1.5
xdotool keyup --window "$window" j
sleep 0.3
press Escape
sleep 1
press Escape
expect_clean_exit "$pid" 20 "ESC on the title did not end the program" "$out/tarvex.log"
pid=
# A keyboard read holding J (24) and with it the left slot (cb).
grep -Eq '^k 0( [0-9a-f]{2})* 24( [0-9a-f]{2})* cb( |$)' "$out/options.replay" ||
  fail "no keyboard state with J steering left in the recording"
rm -f "$out"/*.xwd
echo "PASS: options opened, J bound to left, saved, and steering in $out"
