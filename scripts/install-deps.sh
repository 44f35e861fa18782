#!/usr/bin/env bash
# Installs every Debian 12 package Velmora needs to build, test and run.
# Run as root on a fresh machine; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-translations-l10n
  zlib1g-dev libturbojpeg0-dev libjpeg-dev libpng-dev
  librlottie-dev
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  libopencc-dev opencc
  fonts-noto-cjk fontconfig
  nlohmann-json3-dev
  libgtest-dev libgmock-dev
  xvfb xauth
  dvdauthor
)

source "$(dirname "$0")/ensure-packages.sh"
ensure_packages install-deps "${packages[@]}"
