#!/bin/bash
# Process CPU and presented frames of the real program while it stands idle, in a window
# under Xvfb with a window manager (openbox, so that minimising works):
#
#   xvfb-run -a -s "-screen 0 1024x768x24" sh -c \
#     'openbox & sleep 1; build/bin/idle_cpu_bench [program, build/bin/tarvex] [seconds, 10]'
#
# The program runs windowed on the dummy audio driver with a settings and data folder of its
# own (the player's are not touched); libtvx_swap_counter.so, preloaded, counts its presents.
# The bench starts the game from the launcher with ENTER and measures, each for the given
# seconds: the title; level 1 paused with ENTER a second after it starts (no traffic yet, so
# nothing on it moves); the level paused by losing the focus to another window (xlogo); the
# game's window minimised; level 1 playing (the car left alone); back on the title with ESC,
# minimised. Printed: process CPU (all threads) per wall second as a percentage of one core,
# and presented frames per second.
set -u
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/tarvex}
seconds=${2:-10}
shim=$here/libtvx_swap_counter.so
[ -x "$program" ] || { echo "idle_cpu_bench: no program at $program" >&2; exit 1; }
[ -f "$shim" ] || { echo "idle_cpu_bench: no $shim" >&2; exit 1; }
archive=$(dirname "$program")/resources.tvx
[ -f "$archive" ] || { echo "idle_cpu_bench: no $archive" >&2; exit 1; }

work=$(mktemp -d)
other=""
cleanup() {
  [ -n "$other" ] && kill "$other" 2>/dev/null
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/data" "$work/config" "$work/share"
cp "$archive" "$work/data/"
counter=$work/swaps
: > "$counter"
XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/share SDL_AUDIODRIVER=dummy \
  TVX_SWAP_COUNTER=$counter LD_PRELOAD=$shim \
  "$program" --windowed --data "$work/data" > "$work/log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --pid "$pid" --name '^Tarvex$' | head -1)
[ -n "$window" ] || { echo "idle_cpu_bench: no window" >&2; exit 1; }

tick=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
swaps() { od -An -tu8 "$counter" | tr -d ' \n'; }
key() { xdotool windowactivate --sync "$window" 2>/dev/null; xdotool key --window "$window" "$1"; }
measure() {
  local c0 s0 t0 c1 s1 t1
  c0=$(cpu_ticks); s0=$(swaps); t0=$(date +%s.%N)
  sleep "$seconds"
  c1=$(cpu_ticks); s1=$(swaps); t1=$(date +%s.%N)
  python3 -c "w = $t1 - $t0; print('%-26s %7.1f %% %9.1f' % ('$1', ($c1 - $c0) / $tick / w * 100, ((${s1:-0}) - (${s0:-0})) / w))"
}

echo "$(basename "$program"), ${seconds} s each, load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-26s %9s %9s\n' "state" "CPU" "frames/s"
sleep 1
key Return            # Start Game
sleep 3
measure "title"
key Return            # the level's intro, then the level
sleep 2.5
key Return            # pause
sleep 1
measure "paused (ENTER)"
key Return            # resume, then lose the focus: the level pauses again
xlogo -geometry 100x100+0+0 & other=$!
other_window=$(timeout 10 xdotool search --sync --pid "$other" | head -1)
xdotool windowactivate --sync "$other_window" 2>/dev/null
sleep 1
measure "paused, unfocused"
xdotool windowminimize --sync "$window" 2>/dev/null
sleep 1
measure "paused, minimised"
key Return            # back in sight with the key's focus; resume
sleep 1
measure "level 1 playing"
key Escape            # back to the title
sleep 1
xdotool windowminimize --sync "$window" 2>/dev/null
sleep 1
measure "title, minimised"
