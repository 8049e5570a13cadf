#!/bin/bash
# Checks the Windows packages scripts/build-windows.sh wrote, on Debian, under wine:
#  - the zip holds exactly the expected files;
#  - the editor is a GUI program (subsystem 2) with an icon, the command-line programs are
#    console programs (subsystem 3); all carry the version and a UTF-8 manifest;
#  - the programs start from the unpacked zip and answer --version with the project's version;
#    veldor-sample writes the same bytes as the Linux build's when NATIVE_BIN is given;
#  - the installer installs silently, registers .kqx and its uninstaller, and the uninstaller
#    takes away what it put down;
#  - with SHOT=file.png, the editor is started under Xvfb and its screen saved there.
#
#   scripts/windows/check-package.sh [BUILD_WINDOWS_DIR]   (default: build-windows)
#   environment: NATIVE_BIN=<native build>/bin  SHOT=<png>
# Needs wine64 (and xvfb and imagemagick for SHOT); installs them when missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(cd "${1:-$root/build-windows}" && pwd)
version=$(sed -n 's/^project(veldor VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=veldor-$version-win64
zipfile=$out/$name.zip
setup=$out/$name-setup.exe
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

need=(wine64 unzip binutils-mingw-w64-x86-64)
[ -n "${SHOT:-}" ] && need+=(xvfb xauth imagemagick)
"$root/scripts/need-packages.sh" "${need[@]}"
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
[ -x "$wine" ] || wine=$(command -v wine)
objdump=x86_64-w64-mingw32-objdump

work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The zip's contents, against the expected set.
expected="$name/
$name/LICENSE.txt
$name/Qt6Core.dll
$name/Qt6Gui.dll
$name/Qt6Widgets.dll
$name/city.txt
$name/face.txt
$name/libgcc_s_seh-1.dll
$name/libjpeg-62.dll
$name/libstdc++-6.dll
$name/libwinpthread-1.dll
$name/name.txt
$name/plugins/
$name/plugins/platforms/
$name/plugins/platforms/qwindows.dll
$name/plugins/styles/
$name/plugins/styles/qwindowsvistastyle.dll
$name/qt.conf
$name/veldor-editor.exe
$name/veldor-sample.exe
$name/veldor-sce.exe"
if [ ! -f "$zipfile" ]; then
    fail "$zipfile is missing"
    exit 1
fi
listed=$(unzip -Z1 "$zipfile" | LC_ALL=C sort)
if [ "$listed" = "$expected" ]; then
    pass "the zip holds the expected files"
else
    fail "the zip's files differ from the expected set:"
    diff <(echo "$expected") <(echo "$listed") >&2 || true
fi
unzip -q "$zipfile" -d "$work"
dir=$work/$name

# Top-level resource types of a PE file, in hex: 03 icon, 0e icon group, 10 version, 18
# manifest.
resourceTypes() {
    "$objdump" -p "$1" | sed -n '/The .rsrc Resource Directory/,$p' |
        sed -n 's/^[0-9a-f]*   Entry: ID: 0x0000\([0-9a-f]*\),.*/\1/p' | tr '\n' ' '
}
checkProgram() {
    local exe=$dir/$1.exe subsystem=$2 types
    [ -f "$exe" ] || { fail "$1.exe is missing"; return; }
    local found
    found=$("$objdump" -p "$exe" | awk '/^Subsystem/ { print $2 + 0 }')
    [ "$found" = "$subsystem" ] && pass "$1.exe has subsystem $subsystem" ||
        fail "$1.exe has subsystem '$found', not $subsystem"
    types=$(resourceTypes "$exe")
    for type in 10 18; do
        [[ " $types" == *" $type "* ]] || fail "$1.exe lacks resource type 0x$type"
    done
    x86_64-w64-mingw32-strings -el "$exe" | grep -qx "$version" ||
        fail "$1.exe's version resource does not say $version"
    grep -aq "<activeCodePage[^>]*>UTF-8</activeCodePage>" "$exe" ||
        fail "$1.exe's manifest does not ask for UTF-8"
    if [ "$1" = veldor-editor ]; then
        [[ " $types" == *" 03 "* && " $types" == *" 0e "* ]] || fail "$1.exe has no icon"
        grep -aq "PerMonitorV2" "$exe" || fail "$1.exe's manifest is not DPI aware"
    fi
}
checkProgram veldor-editor 2
checkProgram veldor-sce 3
checkProgram veldor-sample 3

# The programs start from the unpacked zip.
wineboot=$(mktemp)
"$wine" wineboot --init >"$wineboot" 2>&1 || true
rm -f "$wineboot"
for program in veldor-sce veldor-sample veldor-editor; do
    said=$(cd "$dir" && "$wine" "$program.exe" --version 2>/dev/null | tr -d '\r')
    [ "$said" = "$program $version" ] && pass "$program.exe --version under wine" ||
        fail "$program.exe --version said '$said'"
done
if [ -n "${NATIVE_BIN:-}" ] && [ ! -x "$NATIVE_BIN/veldor-sample" ]; then
    fail "NATIVE_BIN=$NATIVE_BIN has no veldor-sample"
elif [ -n "${NATIVE_BIN:-}" ]; then
    (cd "$dir" && "$wine" veldor-sample.exe --seed 7 -o - >"$work/windows.kqx" 2>/dev/null)
    "$NATIVE_BIN/veldor-sample" --seed 7 -o - >"$work/linux.kqx"
    cmp -s "$work/windows.kqx" "$work/linux.kqx" &&
        pass "veldor-sample.exe writes the Linux build's bytes" ||
        fail "veldor-sample.exe's scenario differs from the Linux build's"
    (cd "$dir" && "$wine" veldor-sce.exe check - <"$work/linux.kqx" >"$work/windows.txt" 2>&1) || true
    "$NATIVE_BIN/veldor-sce" check - <"$work/linux.kqx" >"$work/linux.txt" 2>&1 || true
    cmp -s "$work/windows.txt" "$work/linux.txt" &&
        pass "veldor-sce.exe check prints the Linux build's bytes" ||
        fail "veldor-sce.exe check's output differs from the Linux build's"
fi

# The installer, silently, into a folder of the test's own; then its uninstaller.
if [ -f "$setup" ]; then
    target='C:\veldor-check'
    unixTarget=$WINEPREFIX/drive_c/veldor-check
    "$wine" "$setup" /S "/D=$target" >/dev/null 2>&1 || fail "the installer failed"
    (cd "$dir" && find . -type f | LC_ALL=C sort) >"$work/zipped.txt"
    (cd "$unixTarget" 2>/dev/null && find . -type f ! -name uninstall.exe | LC_ALL=C sort) \
        >"$work/installed.txt" || true
    cmp -s "$work/zipped.txt" "$work/installed.txt" &&
        pass "the installer puts down the zip's files" ||
        fail "the installer's files differ from the zip's"
    [ -f "$unixTarget/uninstall.exe" ] || fail "the installer wrote no uninstaller"
    query() { "$wine" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v { $1 = ""; $2 = ""; sub(/^  */, ""); print }'; }
    key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Veldor'
    [ "$(query "$key" DisplayVersion)" = "$version" ] &&
        pass "Add/Remove Programs lists version $version" ||
        fail "no uninstaller of version $version is registered"
    command=$("$wine" reg query 'HKLM\Software\Classes\Veldor.Scenario\shell\open\command' /ve 2>/dev/null | tr -d '\r')
    [[ "$command" == *'veldor-check\veldor-editor.exe" "%1"'* ]] &&
        pass ".kqx files open in the installed editor" ||
        fail ".kqx files do not open in the editor: $command"
    [[ "$("$wine" reg query 'HKLM\Software\Classes\.kqx' /ve 2>/dev/null | tr -d '\r')" == *Veldor.Scenario* ]] ||
        fail ".kqx is not associated with Veldor.Scenario"
    # The uninstaller copies itself away and returns at once; wait for it.
    "$wine" "$unixTarget/uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed"
    for _ in $(seq 30); do
        [ -e "$unixTarget" ] || break
        sleep 1
    done
    [ ! -e "$unixTarget" ] && pass "the uninstaller removes the installed folder" ||
        fail "the uninstaller left $(cd "$unixTarget" && find . | tr '\n' ' ')"
    "$wine" reg query "$key" >/dev/null 2>&1 && fail "the uninstaller stays registered" || true
else
    fail "$setup is missing"
fi

# A look at the editor: its screen under Xvfb, for a person to judge.
if [ -n "${SHOT:-}" ]; then
    # A wine session started without a display keeps drawing nowhere: start a fresh one.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    (cd "$dir" && QT_QPA_PLATFORM=windows timeout 120 xvfb-run -a -s "-screen 0 1280x900x24" \
        bash -c '"$0" veldor-editor.exe & sleep 25; import -window root "$1"; wineserver -k' \
        "$wine" "$SHOT") >/dev/null 2>&1 || true
    [ -s "$SHOT" ] && pass "the editor's screen is in $SHOT" || fail "no screenshot of the editor"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "All Windows package checks passed."
