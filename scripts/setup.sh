#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Zentravo and then either runs the
# show ("run") or every test ("test").
set -euo pipefail
MODE=${1:-run}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build}

PACKAGES=(cmake g++ pkg-config qt6-base-dev qt6-qpa-plugins libqt6test6 libxcb1-dev
  libsdl2-mixer-dev libfluidsynth-dev libfluidsynth3 timgm6mb-soundfont libgtest-dev fonts-liberation
  xdg-utils xvfb xauth xdotool x11-apps x11-utils x11-xserver-utils imagemagick clang openbox wmctrl xautolock)

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j"$(nproc)"

# Qt wants a private runtime folder; root has none by default.
if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -w "${XDG_RUNTIME_DIR}" ]; then
  export XDG_RUNTIME_DIR=/tmp/runtime-$(id -u)
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi

case "$MODE" in
  run)
    cmake --build "$BUILD" --target install-data
    exec "$BUILD/src/app/zentravo" "${@:2}"
    ;;
  test)
    cd "$BUILD"
    ctest --output-on-failure -j"$(( $(nproc) > 4 ? 4 : $(nproc) ))"
    ;;
  *)
    echo "usage: $0 run [switch] | test" >&2
    exit 2
    ;;
esac
