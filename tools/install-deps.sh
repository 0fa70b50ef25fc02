#!/usr/bin/env bash
# Installs the Debian 12 packages Varnel needs to build, test and run, and only those
# that are missing. Needs root (apt-get); a machine that already has everything is left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl1.2-dev libsdl-image1.2-dev          # picture loading and the BMP round trip
  libpng-dev                                 # 16-bit PNG samples read again, rounded
  libjpeg-dev                                # the decoders take a JPEG's rows as libjpeg makes them
  libseccomp-dev                             # the picture decoders give up what decoding does not need
  libicu-dev                                 # names of characters a caption cannot hold
  qt6-base-dev                               # the editor window
  libgtest-dev libgmock-dev libbenchmark-dev # tests and benchmarks
  gcc-arm-none-eabi libnewlib-arm-none-eabi  # the console viewer
  libmgba-dev                                # the console emulator: player, varnel-play, tests
  xvfb xauth imagemagick                     # screenshots of the window and the viewer
  clang libclang-rt-14-dev                   # the project file fuzzer
  dpkg-dev file help2man appstream lintian   # the Debian package and its tests
  desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl libglib2.0-bin
                                             # project files opened from a desktop, tested
  bash-completion                            # the completion of varnel-build and varnel-play, tested
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: every package is present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
