#!/usr/bin/env bash
# The Windows build, tested under wine: builds the packages (scripts/build-windows.sh), cross-builds
# the data and command-line tests and runs them, checks the packages, compares what the Windows
# programs write with what the Linux build writes, and draws the editor's windows with both.
#
#   scripts/test-windows.sh LINUX_BUILD [CACHE]
#
# LINUX_BUILD is a native build folder with the programs built (its bin/ is compared with).
# Prints one closing line: "windows tests: N passed, M failed, K skipped".
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
linux=$(cd "$1" && pwd)
cache=${2:-${VELDOR_CACHE:-$HOME/.cache/veldor}}
out=$root/build-windows
jobs=${VELDOR_JOBS:-$(nproc)}

need=(wine64 g++-mingw-w64-x86-64-posix cmake ninja-build python3 imagemagick fontconfig
      fonts-noto-cjk)
"$root/scripts/need-packages.sh" "${need[@]}"

mkdir -p "$out"
VELDOR_NATIVE_BUILD=$linux "$root/scripts/build-windows.sh" "$cache" >"$out/packages.txt" || {
    echo "test-windows.sh: building the packages failed" >&2
    exit 1
}
prefix=$(sed -n 's/^VELDOR_WINDOWS_PREFIX:[A-Z]*=//p' "$out/build/CMakeCache.txt")

echo "== Data and command-line tests for Windows" >&2
cmake -S "$root" -B "$out/build" -DVELDOR_TESTS=ON >>"$out/build.log"
cmake --build "$out/build" -j"$jobs" --target veldor_data_tests veldor_cli_tests veldor-shot \
    >>"$out/build.log"

export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mingw=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
export WINEPATH="$prefix/bin;$mingw;/usr/x86_64-w64-mingw32/lib"
# wine hands the programs their arguments through the locale's code page.
export LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1 || true

passed=0 failed=0 skipped=0
# runTests PROGRAM FILTER: runs a test program under wine and adds up its closing lines.
runTests() {
    local log=$out/$1.log
    (cd "$out/build/tests" && "$wine" "../bin/$1.exe" "--gtest_filter=$2") >"$log" 2>&1 || true
    local pass fail skip
    pass=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log")
    fail=$(sed -n 's/^ *\([0-9]*\) FAILED TESTS\{0,1\}$/\1/p' "$log")
    skip=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\{0,1\}, listed below:$/\1/p' "$log")
    if [ -z "$pass$fail" ]; then
        echo "test-windows.sh: $1 did not run to its end; see $log" >&2
        tail -20 "$log" >&2
        fail=1
    fi
    grep "^\[  FAILED  \]" "$log" >&2 || true
    echo "$1 under wine: ${pass:-0} passed, ${fail:-0} failed, ${skip:-0} skipped" >&2
    passed=$((passed + ${pass:-0})) failed=$((failed + ${fail:-0})) skipped=$((skipped + ${skip:-0}))
}
# The GBK tables' comparisons need the converters of Linux, which the tables are made from; a
# spreadsheet program to export through is Linux's.
runTests veldor_data_tests "-GbkTable.*"
runTests veldor_cli_tests "-LibreOfficeCalc.*"

echo "== Packages under wine" >&2
checks=0
if [ -x "$root/scripts/windows/check-package.sh" ]; then
    # Without NATIVE_BIN: the comparison with Linux's outputs is compare-with-linux.sh's below.
    "$root/scripts/windows/check-package.sh" "$out" || checks=1
fi

echo "== Windows and Linux write the same bytes" >&2
name=$(basename "$(head -n1 "$out/packages.txt")" .zip)
"$root/scripts/windows/compare-with-linux.sh" "$linux/bin" "$out/stage/$name" || checks=1

echo "== The editor's windows drawn under wine" >&2
# Under wine the offscreen platform finds fonts only where QT_QPA_FONTDIR says, which reaches the
# program only through wine's registry; a prefix of their own keeps these settings from others.
export WINEPREFIX=$out/wine-shots
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1 || true
fonts=$(dirname "$(fc-match -f '%{file}' 'Noto Sans CJK SC')")
windowsPath() { echo "Z:${1//\//\\}"; }
for setting in "QT_QPA_FONTDIR=$(windowsPath "$fonts")" QT_QPA_PLATFORM=offscreen \
    "QT_PLUGIN_PATH=$(windowsPath "$prefix/plugins")"; do
    "$wine" reg add 'HKCU\Environment' /v "${setting%%=*}" /t REG_SZ /d "${setting#*=}" /f \
        >/dev/null
done
shots=$out/shots
rm -rf "$shots"
mkdir -p "$shots"
"$linux/bin/veldor-sample" -o "$shots/sample.kqx" --force >/dev/null
for window in FMap FCity FForc FPrsn; do
    QT_QPA_PLATFORM=offscreen "$linux/bin/veldor-shot" --window "$window" \
        --scenario "$shots/sample.kqx" -o "$shots/$window-linux.png" >/dev/null 2>&1
    (cd "$shots" && "$wine" "$out/build/bin/veldor-shot.exe" \
        --window "$window" --scenario sample.kqx -o "$window-windows.png") >/dev/null 2>&1 || true
    # The same window, laid out alike; another FreeType shapes the glyphs' edges and widths a
    # little otherwise, which blurring evens out. A window left blank is about 0.13 off.
    for side in linux windows; do
        convert "$shots/$window-$side.png" -blur 0x2 "$shots/$window-$side-blurred.png" 2>/dev/null ||
            true
    done
    distance=$(compare -metric RMSE "$shots/$window-linux-blurred.png" \
        "$shots/$window-windows-blurred.png" /dev/null 2>&1 | sed -n 's/.*(\(.*\))/\1/p' || true)
    if [ -n "$distance" ] && awk -v d="$distance" 'BEGIN { exit !(d <= 0.1) }'; then
        echo "$window: drawn, $distance from Linux's" >&2
    else
        echo "test-windows.sh: $window under wine: ${distance:-no picture}" >&2
        checks=1
    fi
done

failed=$((failed + checks))
echo "windows tests: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
