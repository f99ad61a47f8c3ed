#!/bin/bash
# The real program as a player runs it, with none of the suite's sanitizer settings or
# preloaded libraries: Start Game, then ESC on the title quits with status 0. In the sanitizer
# build this is the leak check at exit judging the program alone.
# Run as: xvfb-run -a -s "-screen 0 1024x768x24" plain_exit_test.sh <tarvex> <out folder>
set -u
program=$1
out=$2
fail() { echo "FAIL: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }

mkdir -p "$out"
export XDG_CONFIG_HOME="$out/config"
rm -rf "$XDG_CONFIG_HOME"
openbox > /dev/null 2>&1 &
env -u LD_PRELOAD -u LSAN_OPTIONS -u ASAN_OPTIONS -u UBSAN_OPTIONS "$program" > "$out/tarvex.log" 2>&1 &
pid=$!
window=$(timeout 60 xdotool search --sync --name '^Tarvex$' | head -1)
[ -n "$window" ] || fail "no window appeared"
sleep 1
xdotool key --window "$window" Return
# ESC until the title takes it: the first frame may still be loading the archive.
for _ in $(seq 1 60); do
  sleep 1
  kill -0 "$pid" 2>/dev/null || break
  xdotool key --window "$window" Escape 2>/dev/null
done
kill -0 "$pid" 2>/dev/null && fail "ESC on the title did not end the program"
wait "$pid"
status=$?
[ "$status" = 0 ] || fail "the program exited with $status: $(cat "$out/tarvex.log")"
