#!/bin/bash
# The installed game in a read-only prefix: it finds its archive from the binary's folder,
# reaches the title and leaves, and writes nothing into the prefix (the ranking would go to
# XDG_DATA_HOME). Run under xvfb-run after install_stage.
# Usage: installed_game_test.sh <prefix> <scratch folder>
set -u
prefix=$1
scratch=$2
here=$(dirname "$0")
listing() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }

rm -rf "$scratch"
mkdir -p "$scratch"
listing > "$scratch/before"
chmod -R a-w "$prefix"
"$here/play_title.sh" "$prefix/games/tarvex" "$scratch/run"
status=$?
chmod -R u+w "$prefix"
[ "$status" = 0 ] || exit 1
listing | sed 's/ [0-7]*$//' > "$scratch/after"
sed 's/ [0-7]*$//' "$scratch/before" | diff - "$scratch/after" ||
  { echo "FAIL: the game changed the prefix" >&2; exit 1; }
echo "PASS: nothing written into $prefix"
