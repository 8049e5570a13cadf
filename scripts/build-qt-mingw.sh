#!/bin/bash
# Builds Debian's own qt6-base and libjpeg-turbo sources for 64-bit Windows with MinGW-w64, into
# a cache folder that later builds reuse while its stamp matches (the sources' versions, this
# script, the toolchain file and the patches). Only what the programs need is built: Core, Gui,
# Widgets and Test, the windows and offscreen platforms, with zlib, libpng, FreeType, HarfBuzz
# and PCRE2 from Qt's own copies.
#
#   scripts/build-qt-mingw.sh [CACHE]     (CACHE defaults to $VELDOR_CACHE or ~/.cache/veldor)
#
# Prints the prefix the libraries were installed to on its last line.
set -euo pipefail
shopt -s nullglob

root=$(cd "$(dirname "$0")/.." && pwd)
cache=${1:-${VELDOR_CACHE:-$HOME/.cache/veldor}}
prefix=$cache/windows-x86_64
sources=$cache/sources
jobs=$(nproc)
toolchain=$root/cmake/mingw-w64-x86_64.cmake
patches=$root/scripts/windows/qt-patches

"$root/scripts/need-packages.sh" g++-mingw-w64-x86-64-posix dpkg-dev cmake ninja-build \
    qt6-base-dev qt6-base-dev-tools xz-utils

# The sources come from Debian's archive for this release, as the binary packages do.
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1 ||
    [ -z "$(apt-get source --print-uris qt6-base 2>/dev/null | grep -m1 "\.dsc")" ]; then
    . /etc/os-release
    cat >/etc/apt/sources.list.d/veldor-deb-src.sources <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $VERSION_CODENAME $VERSION_CODENAME-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    apt-get update
fi

dsc_of() { apt-get source --print-uris "$1" 2>/dev/null | awk '$2 ~ /\.dsc$/ { print $2; exit }'; }
qt_dsc=$(dsc_of qt6-base)
jpeg_dsc=$(dsc_of libjpeg-turbo)
stamp=$( (echo "$qt_dsc $jpeg_dsc"; cat "$0" "$toolchain" "$patches"/*.patch) | sha256sum | cut -c1-16)
if [ -f "$prefix/.stamp" ] && [ "$(cat "$prefix/.stamp")" = "$stamp" ]; then
    echo "Qt and libjpeg-turbo for Windows are built already ($stamp)." >&2
    echo "$prefix"
    exit 0
fi

mkdir -p "$sources"
cd "$sources"
for package in qt6-base libjpeg-turbo; do
    [ -f "$(dsc_of $package)" ] || apt-get source -q --download-only "$package"
done
rm -rf qtbase jpeg "$prefix"
dpkg-source -q --no-check -x "$qt_dsc" qtbase >/dev/null
dpkg-source -q --no-check -x "$jpeg_dsc" jpeg >/dev/null
for patch in "$patches"/*.patch; do
    patch -d qtbase -p1 --forward <"$patch"
done

# Debian's source leaves out src/3rdparty/wintab, so no tablet events; no network, SQL, D-Bus,
# XML, OpenGL or ICU: the programs use none of them (GBK goes through tables the build makes).
cmake -S qtbase -B qtbase-build -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/"$(gcc -dumpmachine)"/cmake \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DQT_BUILD_BENCHMARKS=OFF -DQT_BUILD_MANUAL_TESTS=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF \
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_icu=OFF -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_sql=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_fontconfig=OFF -DFEATURE_freetype=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
cmake --build qtbase-build -j"$jobs"
cmake --install qtbase-build

cmake -S jpeg -B jpeg-build -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=ON -DENABLE_STATIC=OFF -DWITH_TURBOJPEG=OFF \
    -DWITH_SIMD=OFF
cmake --build jpeg-build -j"$jobs"
cmake --install jpeg-build

rm -rf qtbase qtbase-build jpeg jpeg-build
echo "$stamp" >"$prefix/.stamp"
echo "$prefix"
