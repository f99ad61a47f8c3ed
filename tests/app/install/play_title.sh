#!/bin/bash
# Starts a copy of tarvex (installed or unpacked) under the current X display with HOME and the
# XDG folders in a scratch folder, presses Start Game, waits for the title screen in the
# 640 x 480 game surface, leaves with ESC and expects exit status 0.
# Usage: play_title.sh <tarvex binary> <scratch folder>
set -u
program=$1
scratch=$2
here=$(dirname "$0")
source "$here/../window/clean_exit.sh"
screen() { python3 "$here/../window/screen.py" "$@"; }
fail() { echo "FAIL: $*" >&2; cat "$scratch/tarvex.log" >&2; kill "$pid" 2>/dev/null; exit 1; }

mkdir -p "$scratch/home" "$scratch/data" "$scratch/config" "$scratch/cache"
HOME=$scratch/home XDG_DATA_HOME=$scratch/data XDG_CONFIG_HOME=$scratch/config \
  XDG_CACHE_HOME=$scratch/cache XDG_DATA_DIRS=$scratch/nowhere SDL_AUDIODRIVER=dummy \
  "$program" > "$scratch/tarvex.log" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --name '^Tarvex$' | head -1)
[ -n "$window" ] || fail "no window appeared"
sleep 1
xdotool mousemove --window "$window" 379 312 click 1  # the middle of Start Game

title_shown() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  [ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] || return 1
  xwd -root -silent > "$scratch/title.xwd"
  # The title band is translucent orange over the road: warm, red above blue.
  read -r _ lit _ r _ b <<< "$(screen "$scratch/title.xwd" stats $((X + 60)) $((Y + 150)) 500 40)"
  python3 -c "import sys; sys.exit(0 if $lit > 0.9 and $r > $b else 1)"
}
shown=no
for _ in $(seq 1 60); do
  sleep 0.5
  title_shown && shown=yes && break
done
[ "$shown" = yes ] || fail "the title screen did not show"
xdotool key --window "$window" Escape
expect_clean_exit "$pid" 10 "ESC on the title did not end the program"
rm -f "$scratch/title.xwd"
echo "PASS: $program reached the title and left"
