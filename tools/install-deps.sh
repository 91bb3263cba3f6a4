#!/usr/bin/env bash
# Installs the Debian packages Kelvarin needs to build, test and run, only those
# that are missing (xvfb, xauth, xdotool, x11-utils and openbox run the end-to-end
# tests, imagemagick and openbox take screenshots, dpkg-dev and file make the Debian
# package). Uses sudo when not run as root.
set -euo pipefail
packages=(g++ clang libclang-rt-dev cmake ninja-build pkg-config
          libgtest-dev libgmock-dev libbenchmark-dev
          libc++-dev libc++abi-dev googletest  # the core built with LLVM's libc++ (CI)
          qt6-base-dev libgl-dev fonts-dejavu-core
          fonts-dejavu-extra  # DejaVu Sans Condensed: the main window's column font
          libcli11-dev nlohmann-json3-dev libfast-float-dev
          libcgal-dev libeigen3-dev  # the torsion and warping analysis: mesh and solver
          help2man appstream  # the manual pages; the software-centre metadata's check
          poppler-utils  # reads back the printed PDF pages in the tests
          python3-ezdxf  # writes the DXF drawings of the tests (tests/data/dxf/make_dxf.py)
          xvfb xauth xdotool x11-utils imagemagick openbox dpkg-dev file)  # the desktop's end-to-end tests
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
