#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs: by default everything the build, the tests
# and the package checks use; with --run only what building and running the editor needs.
# Works as root, through sudo where it is installed, and otherwise says what to run as root.
#
#     scripts/install-deps.sh [--run]
set -euo pipefail

run_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libjpeg-dev
    fonts-noto-cjk qt6-translations-l10n
)
test_packages=(
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth x11-utils imagemagick locales
    file dpkg-dev lintian appstream desktop-file-utils shared-mime-info
    libreoffice-calc-nogui
)

case "${1:-}" in
    --run) packages=("${run_packages[@]}") ;;
    "") packages=("${run_packages[@]}" "${test_packages[@]}") ;;
    *)
        echo "usage: scripts/install-deps.sh [--run]" >&2
        exit 2
        ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "All needed packages are installed."
    exit 0
fi

install=(apt-get install -y --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root (sudo is not installed here), then run this again:" >&2
    echo "    su -c 'apt-get update && ${install[*]}'" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
# sudo does not pass the environment on; env sets it on the other side.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive "${install[@]}"
