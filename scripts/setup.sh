#!/usr/bin/env bash
# Installs the Debian packages Kolvar needs when they are missing, then configures and builds into build/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-qpa-plugins libqt6svg6 libgl-dev
  qt6-multimedia-dev libqt6multimediawidgets6
  qt6-webengine-dev libqt6webenginecore6-bin qt6-webchannel-dev
  libxml2-dev libxml2-utils
  libjs-leaflet fonts-crosextra-caladea fonts-wqy-microhei fontconfig
  ffmpeg xvfb xauth
  librsvg2-bin desktop-file-utils appstream dpkg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  echo "setup: installing ${missing[*]}" >&2
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

build="${KOLVAR_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${KOLVAR_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -- -j"$(nproc)" >&2
