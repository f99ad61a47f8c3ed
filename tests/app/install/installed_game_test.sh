#!/bin/bash
# The installed game in a read-only prefix, started as its menu entry starts it (the desktop
# entry's Exec, with no PATH to find it by): it finds its archive from the binary's folder,
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
entry=$(ls "$prefix"/share/applications/*.desktop)
# The desktop ties the running window to this entry by its class, the entry's own id.
grep -qx "StartupWMClass=$(basename "$entry" .desktop)" "$entry" ||
  { echo "FAIL: $entry has no StartupWMClass naming its id" >&2; exit 1; }
program=$(sed -n 's/^Exec=//p' "$entry")
case $program in
  /*) ;;
  *) echo "FAIL: $entry starts '$program', which only a PATH could find" >&2; exit 1 ;;
esac
chmod -R a-w "$prefix"
PATH=/usr/bin:/bin "$here/play_title.sh" "$program" "$scratch/run"
status=$?
chmod -R u+w "$prefix"
[ "$status" = 0 ] || exit 1
listing | sed 's/ [0-7]*$//' > "$scratch/after"
sed 's/ [0-7]*$//' "$scratch/before" | diff - "$scratch/after" ||
  { echo "FAIL: the game changed the prefix" >&2; exit 1; }
echo "PASS: nothing written into $prefix"
