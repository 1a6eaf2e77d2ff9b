#!/usr/bin/env bash
# Installs the Debian packages Skarvell needs to build, test and run.
# Does nothing when they are all there already.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libgl-dev libgif-dev
    libgtest-dev libgmock-dev
    libbenchmark-dev
    xvfb xauth imagemagick
    ngircd qstat
    desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
