#!/usr/bin/env bash
# Set-up, build and run in one step, on a fresh Debian 12 machine or an old checkout.
#   ./dev.sh run     install what is missing, build, run the game
#   ./dev.sh test    install what is missing, check the layout, build with warnings as errors, run every test
#   ./dev.sh build   install what is missing, build
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(build-essential cmake ninja-build qt6-base-dev qt6-multimedia-dev qt6-wayland libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev clang libclang-rt-14-dev clang-format clang-tidy libstemmer-dev
          desktop-file-utils appstream lintian dpkg-dev fakeroot groff-base
          xvfb xdotool dbus-x11 at-spi2-core python3-pyatspi python3-xlib
          orca speech-dispatcher metacity locales
          pulseaudio pulseaudio-utils libpulse-dev pkg-config)
BUILD_DIR=${BUILD_DIR:-build}

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

build() {
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$BUILD_DIR" -j "$(nproc)"
}

case "${1:-run}" in
  run)
    install_missing; build
    exec "$BUILD_DIR/fartovik" ;;
  test)
    # The layout is checked first: it fails in seconds, before the long build.
    install_missing; tools/format.sh --check; build -DFARTOVIK_WERROR=ON
    cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 3600 ;;
  build)
    install_missing; build ;;
  *)
    echo "usage: $0 run|test|build" >&2; exit 2 ;;
esac
