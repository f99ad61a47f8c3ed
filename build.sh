#!/bin/sh
# Set-up for a fresh Debian 12 machine: installs the missing packages, builds, then starts the
# game (`./build.sh run`: only what the game needs, no tests or benchmarks) or builds
# everything and runs every test (`./build.sh test`). Run as root, or as a user who may use sudo.
set -eu

cd "$(dirname "$0")"
mode=${1:-run}

# What building and playing the game needs.
PACKAGES="build-essential cmake pkg-config zlib1g-dev libsdl2-dev libgl-dev libepoxy-dev \
libmpg123-dev libvorbis-dev libopenmpt-dev libmd-dev libcairo2-dev libfreetype-dev \
fonts-dejavu-core libmp3lame-dev libinih-dev"
# What only the tests, benchmarks and package checks need.
TEST_PACKAGES="libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-apps x11-utils \
desktop-file-utils appstream lintian openbox clang libclang-rt-14-dev valgrind"

case "$mode" in
  run) wanted=$PACKAGES; testing=OFF ;;
  *) wanted="$PACKAGES $TEST_PACKAGES"; testing=ON ;;
esac

missing=""
for p in $wanted; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y $missing
fi

BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=$testing
cmake --build "$BUILD" -j "$(nproc)"

case "$mode" in
  run)
    exec "$BUILD/bin/tarvex"
    ;;
  test)
    cd "$BUILD"
    exec ctest --output-on-failure -j "$(nproc)" --timeout 900
    ;;
  *)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
