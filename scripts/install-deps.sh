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

"$(dirname "$0")/need-packages.sh" "${packages[@]}"
