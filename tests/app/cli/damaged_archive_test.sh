#!/bin/sh
# damaged_archive_test.sh <tarvex> <resources.tvx> <folder>: a copy of the archive with one
# record's bytes changed is named on stderr while the launcher still waits for Start Game.
set -u
program=$1 archive=$2 folder=$3
rm -rf "$folder" && mkdir -p "$folder/data" || exit 1
cp "$archive" "$folder/data/resources.tvx" || exit 1
# The middle of the file lies inside a tune, far from the launcher's own pictures.
middle=$(($(stat -c %s "$archive") / 2))
printf '\377\000\377' | dd of="$folder/data/resources.tvx" bs=1 seek="$middle" conv=notrunc 2>/dev/null
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$program" --data "$folder/data" 2>"$folder/err" &
pid=$!
for _ in $(seq 1 120); do
  grep -q "is damaged" "$folder/err" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.25
done
still_waiting=no
kill -0 "$pid" 2>/dev/null && still_waiting=yes
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
cat "$folder/err"
[ "$still_waiting" = yes ] || { echo "the launcher did not wait"; exit 1; }
grep -q "tarvex: the archive $folder/data/resources.tvx is damaged: record [0-9]* \"[^\"]*\": " "$folder/err"
