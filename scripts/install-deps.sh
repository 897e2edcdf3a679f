#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Installs only what is missing; uses sudo only when not root.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-14-dev
    googletest libgtest-dev libgmock-dev
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
    libzip-dev zlib1g-dev libcurl4-openssl-dev
    fonts-liberation xvfb xauth
    putty-tools openssh-server openssh-client tinyproxy python3 zip unzip
    poppler-utils
    librsvg2-bin desktop-file-utils x11-utils xdg-utils file
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
