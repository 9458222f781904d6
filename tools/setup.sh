#!/usr/bin/env bash
# Sets up a fresh Debian machine for quibo, builds it, and then either opens
# the reader ("run") or runs every test under a virtual display ("test").
set -euo pipefail

mode="${1:-run}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUIBO_BUILD_DIR:-$here/build}"

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
  libgl-dev libgl1-mesa-dri libfontconfig-dev
  libjsoncpp-dev libplist-dev libssl-dev
  fonts-liberation2 fonts-dejavu-core fonts-noto-cjk
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
  python3 python3-pil
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"

case "$mode" in
  run)
    exec "$build/app/quibo"
    ;;
  test)
    # Rendering tests need a display: a private virtual one with software GL.
    export LIBGL_ALWAYS_SOFTWARE=1
    export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$build" --output-on-failure -j2
    ;;
  *)
    echo "usage: tools/setup.sh run|test" >&2
    exit 2
    ;;
esac
