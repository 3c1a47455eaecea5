#!/bin/bash
# Installs what the builds and tests need on a Debian machine (run as root).
# Quick when everything is there already.
set -euo pipefail

packages=(g++ cmake ninja-build libgtest-dev mingw-w64 wine wine32:i386 wine64 xvfb imagemagick
          dosfstools mtools fonts-wqy-microhei python3 clang libclang-rt-14-dev
          fp-utils lame gstreamer1.0-plugins-base gstreamer1.0-plugins-good
          gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386)

missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "setup: installing packages needs root" >&2
  exit 1
fi
dpkg --add-architecture i386
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
