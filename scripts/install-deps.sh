#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Runs apt-get only when something is missing; uses sudo when not root.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache git clang-format clang-tidy
  clang libclang-rt-14-dev
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev
  libopenal-dev libavformat-dev libavcodec-dev libswresample-dev libswscale-dev libavutil-dev
  libfontconfig-dev fonts-dejavu-core libcurl4-openssl-dev libsquish-dev
  libcairo2-dev libpango1.0-dev libfreetype-dev libjpeg62-turbo-dev
  qt6-base-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  ffmpeg imagemagick xvfb xauth xdotool
  desktop-file-utils appstream lintian man-db groff-base dpkg-dev file fakeroot
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
