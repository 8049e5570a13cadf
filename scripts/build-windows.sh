#!/bin/bash
# Builds the Windows programs on Debian 12 with MinGW-w64 and packs them as
# build-windows/veldor-VERSION-win64.zip and build-windows/veldor-VERSION-win64-setup.exe.
# One command from a fresh machine: it installs the packages it needs, builds the generators
# natively, builds Qt and libjpeg-turbo for Windows (or reuses them, see
# scripts/build-qt-mingw.sh), cross-builds the project and packs it.
#
#   scripts/build-windows.sh [CACHE]    (CACHE as for build-qt-mingw.sh: $VELDOR_CACHE or
#                                        ~/.cache/veldor)
#
# The packages are tested under wine (scripts/windows/check-package.sh), not on Windows.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache=${1:-${VELDOR_CACHE:-$HOME/.cache/veldor}}
out=$root/build-windows
jobs=${VELDOR_JOBS:-$(nproc)}
started=$SECONDS

need=(build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libjpeg-dev
      g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis zip)
"$root/scripts/need-packages.sh" "${need[@]}"

version=$(sed -n 's/^project(veldor VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "build-windows.sh: no project version in CMakeLists.txt" >&2; exit 1; }
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
                                          -DCMAKE_C_COMPILER_LAUNCHER=ccache)
mkdir -p "$out"

# The programs the build runs to make sources (pictures, the icon, the GBK table) run here, so
# they come from a native build of the same tree.
# A native build folder given in VELDOR_NATIVE_BUILD (CI's own) serves if it has them built.
generators=(veldor-rawpicture veldor-icofile veldor-gbktable)
native=${VELDOR_NATIVE_BUILD:-$out/native}
echo "== Native generators" >&2
if [ ! -f "$native/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELDOR_TESTS=OFF \
        -DVELDOR_BENCH=OFF "${launcher[@]}" >"$out/native.log"
fi
cmake --build "$native" -j"$jobs" --target "${generators[@]}" >>"$out/native.log"

echo "== Qt and libjpeg-turbo for Windows" >&2
prefix=$("$root/scripts/build-qt-mingw.sh" "$cache" | tee "$out/qt.log" | tail -n1)
[ -f "$prefix/bin/Qt6Core.dll" ] || { echo "build-windows.sh: no Qt in '$prefix'" >&2; exit 1; }

echo "== Cross build" >&2
cmake -S "$root" -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DVELDOR_WINDOWS_PREFIX="$prefix" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/"$(gcc -dumpmachine)"/cmake \
    -DVELDOR_HOST_PROGRAMS="$native/bin" -DVELDOR_TESTS=OFF -DVELDOR_BENCH=OFF \
    "${launcher[@]}" >"$out/build.log"
cmake --build "$out/build" -j"$jobs" --target veldor-editor veldor-sce veldor-sample \
    >>"$out/build.log"

echo "== Packages" >&2
name=veldor-$version-win64
stage=$out/stage/$name
rm -rf "$out/stage"
cmake --install "$out/build" --prefix "$stage" --strip >"$out/install.log"
# The DLLs come with their symbols (the C++ runtime with its debugging information, 20 MB).
find "$stage" -name "*.dll" -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

zipfile=$out/$name.zip
rm -f "$zipfile"
# -X: no Unix owners or extra time stamps; Windows' own unzip ignores them anyway.
(cd "$out/stage" && find "$name" -print | LC_ALL=C sort | zip -q -X -9 "$zipfile" -@)

# Every staged file by name, for the installer to put down and the uninstaller to take away.
files=$out/stage/files.nsh
remove=$out/stage/remove.nsh
: >"$files"
: >"$remove"
(cd "$stage" && find . -type d | LC_ALL=C sort) | while read -r dir; do
    windir=${dir#.}
    windir=${windir//\//\\}
    echo "SetOutPath \"\$INSTDIR$windir\"" >>"$files"
    (cd "$stage/$dir" && find . -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort) |
        while read -r file; do
            echo "File \"$stage/${dir#./}/$file\"" >>"$files"
            echo "Delete \"\$INSTDIR$windir\\$file\"" >>"$remove"
        done
done
(cd "$stage" && find . -mindepth 1 -type d | LC_ALL=C sort -r) | while read -r dir; do
    windir=${dir#.}
    echo "RMDir \"\$INSTDIR${windir//\//\\}\"" >>"$remove"
done
sed -i 's|/\./|/|g' "$files"
setup=$out/$name-setup.exe
rm -f "$setup"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DFILES="$files" \
    -DREMOVE="$remove" -DICON="$out/build/app/veldor-editor_resources/veldor-editor.ico" \
    -DSIZE_KB="$(du -sk "$stage" | cut -f1)" -DOUTFILE="$setup" \
    "$root/packaging/windows/installer.nsi"

echo "Built in $((SECONDS - started)) s:" >&2
echo "$zipfile"
echo "$setup"
