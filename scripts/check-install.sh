#!/usr/bin/env bash
# Checks what users get: installs BUILD_DIR into a temporary prefix and runs the installed
# programs from a folder without name lists, then builds the Debian package and checks its
# contents, its declared dependencies and the programs unpacked from it.
#
#     scripts/check-install.sh BUILD_DIR
set -euo pipefail
build=$(realpath "${1:?usage: scripts/check-install.sh BUILD_DIR}")

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "check-install: $*" >&2
    exit 1
}

# Every file the install puts down, relative to the prefix; nothing more may appear.
expected_files=(
    bin/veldor-editor
    bin/veldor-sce
    share/applications/veldor-editor.desktop
    share/icons/hicolor/256x256/apps/veldor-editor.png
    share/man/man1/veldor-sce.1.gz
    share/veldor/city.txt
    share/veldor/face.txt
    share/veldor/name.txt
    share/doc/veldor-editor/使用说明.md
)
# The guide's pictures, as scripts/make-doc-pictures.sh lists them.
while read -r picture; do
    expected_files+=("share/doc/veldor-editor/images/$picture")
done < <("$(dirname "$0")/make-doc-pictures.sh" --list)

same_files() { # PREFIX
    diff <(printf '%s\n' "${expected_files[@]}" | sort) \
        <(cd "$1" && find . -type f -printf '%P\n' | sort) ||
        fail "$1 does not hold exactly the expected files (diff above)"
}

cmake --build "$build" -j"$(nproc)" --target veldor-editor veldor-sce veldor-sample veldor_man_page \
    >/dev/null

echo "-- cmake --install into a temporary prefix"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
same_files "$prefix"

# The manual page has to read cleanly and cover every command the tool offers.
if command -v groff >/dev/null; then
    warnings=$(zcat "$prefix/share/man/man1/veldor-sce.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "veldor-sce.1: $warnings"
fi
commands=$("$prefix/bin/veldor-sce" --help | awk '/^  [a-z]+  / {print $1}')
[ -n "$commands" ] || fail "veldor-sce --help lists no commands"
# The tags of the paragraphs under COMMANDS: the commands, and their options and findings.
tags=$(zcat "$prefix/share/man/man1/veldor-sce.1.gz" | sed -n '/^\.SH COMMANDS/,/^\.SH /p' |
    awk 'previous == ".TP" {print $2} {previous = $1}')
for c in $commands; do
    echo "$tags" | grep -qx "$c" || fail "the manual page does not describe 'veldor-sce $c'"
done

grep -qx 'Exec=veldor-editor' "$prefix/share/applications/veldor-editor.desktop" ||
    fail "the desktop entry does not start veldor-editor"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/veldor-editor.desktop"
fi

sample=$work/sample.kqx
"$build/bin/veldor-sample" --seed 1 -o "$sample" >/dev/null
elsewhere=$work/elsewhere
mkdir "$elsewhere"

# The build's own veldor-sce, started beside its lists, shows what the names should be.
reference=$(cd "$build/bin" && ./veldor-sce info "$sample")

check_sce() { # PREFIX
    local out
    out=$(cd "$elsewhere" && "$1/bin/veldor-sce" info "$sample" 2>"$work/sce.err") ||
        fail "$1/bin/veldor-sce info failed: $(cat "$work/sce.err")"
    [ ! -s "$work/sce.err" ] || fail "$1/bin/veldor-sce info warned: $(cat "$work/sce.err")"
    [ "$out" = "$reference" ] || fail "$1/bin/veldor-sce info shows other names than the build's"
}

echo "-- installed veldor-sce info, started elsewhere"
check_sce "$prefix"
# A user's own list in the working directory still wins over the installed one.
own=$work/own
mkdir "$own"
echo Mine >"$own/name.txt"
out=$(cd "$own" && "$prefix/bin/veldor-sce" info "$sample" 2>&1)
echo "$out" | grep -q '^ *1  Mine ' || fail "a name.txt in the working directory was not used"

# The editor reports missing name lists in a message box, not on a stream: start it on a
# private X server and look at its top-level windows. Besides the main window Qt keeps two
# windows without a class; a second window of the editor's class is the message box.
start_x_server() {
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
}

editor_windows() { # PREFIX: prints the editor's windows a moment after its main window shows
    local pid windows=
    (cd "$elsewhere" && QT_QPA_PLATFORM=xcb exec "$1/bin/veldor-editor") 2>"$work/editor.err" &
    pid=$!
    for _ in $(seq 100); do
        windows=$(xwininfo -root -children | grep '("veldor-editor" "veldor-editor")' || true)
        [ -n "$windows" ] && break
        kill -0 "$pid" 2>/dev/null || fail "$1/bin/veldor-editor ended: $(cat "$work/editor.err")"
        sleep 0.1
    done
    # The message box follows the main window at once; give it a generous moment.
    sleep 1.5
    windows=$(xwininfo -root -children | grep '("veldor-editor" "veldor-editor")' || true)
    kill "$pid" 2>/dev/null || fail "$1/bin/veldor-editor ended: $(cat "$work/editor.err")"
    wait "$pid" 2>/dev/null || true
    printf '%s\n' "$windows"
}

check_editor() { # PREFIX
    local windows
    windows=$(editor_windows "$1")
    echo "$windows" | grep -q 'Veldor剧本修改器' || fail "$1/bin/veldor-editor showed no main window"
    [ "$(echo "$windows" | grep -c .)" -eq 1 ] ||
        fail "$1/bin/veldor-editor did not find its name lists: it showed a message box"
}

echo "-- installed veldor-editor, started elsewhere (Xvfb)"
start_x_server
check_editor "$prefix"
# Without its lists the same program must show the box, or the check above proves nothing.
mv "$prefix/share/veldor" "$prefix/share/veldor.away"
windows=$(editor_windows "$prefix")
mv "$prefix/share/veldor.away" "$prefix/share/veldor"
[ "$(echo "$windows" | grep -c .)" -eq 2 ] ||
    fail "without name lists the editor showed no message box; the window check is blind"

echo "-- cpack -G DEB"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$build/veldor-editor_${version}_$(dpkg --print-architecture).deb
rm -f "$deb"
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || fail "cpack failed: $(cat "$work/cpack.log")"
[ -f "$deb" ] || fail "cpack did not write $deb"
# tar lists the guide's Chinese file name as octal escapes unless the locale is UTF-8.
contents() { LC_ALL=C.UTF-8 dpkg-deb -c "$deb"; }
contents
diff <(printf './usr/%s\n' "${expected_files[@]}" | sort) \
    <(contents | awk '$1 !~ /^d/ {print $6}' | sort) ||
    fail "$deb does not hold exactly the expected files (diff above)"
[ "$(dpkg-deb -f "$deb" Package)" = veldor-editor ] || fail "$deb: wrong package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "$deb: version is not $version"

# Each dependency has to be a real package, and this machine runs the programs, so each must be
# installed here; the ones shlibdeps cannot see must be named.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(echo "$depends" | tr ',' '\n' | sed 's/|.*//; s/(.*)//; s/ //g')
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libjpeg62-turbo qt6-qpa-plugins fonts-noto-cjk; do
    echo "$names" | grep -qx "$needed" || fail "$deb does not depend on $needed"
done
for name in $names; do
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed" ||
        fail "$deb depends on $name, which is not installed here"
done

echo "-- programs unpacked from the package, started elsewhere"
unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
check_sce "$unpacked/usr"
check_editor "$unpacked/usr"

echo "Install and package checks passed: $deb"
