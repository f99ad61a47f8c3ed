#!/bin/bash
# Stages `cmake --install` into a fresh prefix and checks the layout an installed game needs.
# Usage: install_stage.sh <build folder> <prefix> <app id>
set -u
build=$1
prefix=$2
id=$3
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" > /dev/null || exit 1
missing=0
for file in games/tarvex share/games/tarvex/resources.tvx \
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$id.svg share/man/man6/tarvex.6.gz \
  share/doc/tarvex/LICENSE share/doc/tarvex/README.md share/doc/tarvex/copyright \
  share/doc/tarvex/screenshots/title.png share/doc/tarvex/screenshots/playing.png \
  share/doc/tarvex/screenshots/ranking.png; do
  [ -s "$prefix/$file" ] || { echo "FAIL: $file is not installed" >&2; missing=1; }
done
for size in 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  # PNG width and height are big-endian at bytes 16..23.
  dims=$(od -An -tu1 -j16 -N8 "$icon" 2>/dev/null | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || { echo "FAIL: $icon is ${dims:-missing}" >&2; missing=1; }
done
[ "$missing" = 0 ] || exit 1
(cd "$prefix" && find . -type f | sort)
