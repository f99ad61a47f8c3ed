#!/bin/bash
# Recording and showing a replay with the real program under Xvfb: `--record` writes a
# replay while xdotool plays (launcher, title, a level with steering, back to the title,
# quit); `--replay` shows it in the window and finishes cleanly; a damaged replay is refused
# and a replay that no longer matches the program stops with exit code 3, never a crash; a
# replay cut short, a FIFO in a replay's place and an existing file for --record are refused
# with exit code 1, control characters of a refused file are shown escaped, and the folder a
# killed replay left is cleared by the next one.
# Run as: xvfb-run -a -s "-screen 0 1024x768x24" replay_window_test.sh <tarvex> <out folder>
set -u
program=$1
out=$2
source "$(dirname "$0")/clean_exit.sh"
fail() { echo "FAIL: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }
mkdir -p "$out"
"$program" --record a.replay --replay b.replay > "$out/both.log" 2>&1
[ $? = 2 ] && grep -q 'cannot be used together' "$out/both.log" || fail "--record with --replay was not refused"
recording="$out/played.replay"
rm -f "$recording"

SDL_AUDIODRIVER=dummy "$program" --record "$recording" > "$out/record.log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Tarvex$' | head -1)
[ -n "$window" ] || fail "no window appeared"
sleep 1
xdotool key --window "$window" Return  # the launcher's button
sleep 4                                # the first frame loads the archive
xdotool key --window "$window" Return  # the intro, then the level
sleep 4
xdotool keydown --window "$window" Left
sleep 1
xdotool keyup --window "$window" Left
xdotool key --window "$window" Escape
sleep 1
xdotool key --window "$window" Escape  # quits from the title
expect_clean_exit "$pid" 20 "ESC on the title did not end the recorded game" "$out/record.log"
pid=
head -1 "$recording" | grep -qx 'tarvex-replay 1' || fail "no replay header in $recording"
tail -1 "$recording" | grep -qx 'end' || fail "the replay has no end line"
grep -q '^key 13$' "$recording" || fail "the ENTER of the title is not in the replay"
grep -q 'no audio device' "$out/record.log" && fail "'no audio device' with the dummy driver open"

cp "$recording" "$out/kept.replay"
SDL_AUDIODRIVER=dummy timeout 60 "$program" --record "$recording" > "$out/again.log" 2>&1
status=$?
[ "$status" = 1 ] && grep -q 'already exists' "$out/again.log" || fail "--record wrote over a replay ($status)"
cmp -s "$recording" "$out/kept.replay" || fail "the existing replay changed"

stale=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-replay-XXXXXX")  # as a killed replay leaves it
SDL_AUDIODRIVER=dummy timeout 120 "$program" --replay "$recording" > "$out/replay.log" 2>&1
status=$?
[ -e "$stale" ] && fail "the folder of a killed replay was left in place"
[ "$status" = 0 ] || fail "the replay ended with $status: $(cat "$out/replay.log")"
grep -q 'finished after [0-9]* frames' "$out/replay.log" || fail "no end of replay: $(cat "$out/replay.log")"

printf 'tarvex-replay 9\nranking none\n' > "$out/damaged.replay"
SDL_AUDIODRIVER=dummy timeout 60 "$program" --replay "$out/damaged.replay" > "$out/damaged.log" 2>&1
status=$?
[ "$status" = 1 ] || fail "a damaged replay ended with $status"
grep -q 'damaged.replay:1:' "$out/damaged.log" || fail "no message for the damaged replay"

printf 'tarvex-replay 1\033]0;owned\007\nranking none\n' > "$out/escapes.replay"
SDL_AUDIODRIVER=dummy timeout 60 "$program" --replay "$out/escapes.replay" > "$out/escapes.log" 2>&1
grep -q $'\033' "$out/escapes.log" && fail "a control character of the file reached the terminal"
grep -qF '\x1b]0;owned\x07' "$out/escapes.log" || fail "no escaped line: $(cat -v "$out/escapes.log")"

mkfifo "$out/fifo.replay"
SDL_AUDIODRIVER=dummy timeout 60 "$program" --replay "$out/fifo.replay" > "$out/fifo.log" 2>&1
status=$?
rm -f "$out/fifo.replay"
[ "$status" = 1 ] && grep -q 'not a regular file' "$out/fifo.log" || fail "a FIFO as replay ended with $status"

head -n 40 "$recording" > "$out/cut.replay"
SDL_AUDIODRIVER=dummy timeout 120 "$program" --replay "$out/cut.replay" > "$out/cut.log" 2>&1
status=$?
[ "$status" = 1 ] && grep -q 'breaks off' "$out/cut.log" || fail "a replay cut short ended with $status: $(cat "$out/cut.log")"

sed '0,/^key 13$/s//key 27/' "$recording" > "$out/diverging.replay"
SDL_AUDIODRIVER=dummy timeout 120 "$program" --replay "$out/diverging.replay" > "$out/diverging.log" 2>&1
status=$?
[ "$status" = 3 ] || fail "a diverging replay ended with $status: $(cat "$out/diverging.log")"
grep -q 'no longer matches the program at' "$out/diverging.log" || fail "no divergence message"
echo "PASS: recorded $(grep -c '^f$' "$recording") frame lines, $(cat "$out/replay.log")"
