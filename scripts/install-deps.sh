#!/usr/bin/env bash
# Installs every Debian 12 package the build, the tests and the tools need.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev libjpeg-dev
    clang libclang-rt-14-dev
    fonts-noto-cjk xvfb xauth x11-utils imagemagick
    file dpkg-dev
)

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "All build packages are installed."
    exit 0
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
