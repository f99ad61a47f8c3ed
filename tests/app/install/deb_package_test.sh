#!/bin/bash
# Builds the .deb with cpack, checks its name and control fields, unpacks it with dpkg-deb -x
# and starts the game from there (run under xvfb-run), then runs lintian, which must report
# no errors and no warnings; its output, the information tags included, is kept in
# <scratch>/lintian.txt.
# Usage: deb_package_test.sh <build folder> <scratch folder> <version>
set -u
build=$1
scratch=$2
version=$3
here=$(dirname "$0")
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/pkg" > "$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
deb=$scratch/pkg/tarvex_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"
dpkg-deb -f "$deb" Depends | grep -q libsdl2 || fail "no library dependencies computed"

dpkg-deb -x "$deb" "$scratch/root" || fail "dpkg-deb -x failed"
"$here/play_title.sh" "$scratch/root/usr/games/tarvex" "$scratch/run" || exit 1

lintian --fail-on error,warning --display-info "$deb" > "$scratch/lintian.txt" 2>&1
status=$?
cat "$scratch/lintian.txt"
[ "$status" = 0 ] || fail "lintian reports errors or warnings"
echo "PASS: $deb"
