#!/usr/bin/env bash
# Checks what users get: installs BUILD_DIR into a temporary prefix and runs the installed
# programs from a folder without name lists, then builds the Debian package and checks its
# contents, its declared dependencies, lintian's verdict and the programs unpacked from it.
# The editor is tried in every locale a user may have (POSIX, C.UTF-8, zh_CN.UTF-8), with a
# scenario whose path is Chinese, opened as the desktop entry opens it.
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
    share/bash-completion/completions/veldor-editor
    share/bash-completion/completions/veldor-sce
    share/doc/veldor-editor/LICENSE
    share/doc/veldor-editor/changelog.gz
    share/doc/veldor-editor/copyright
    share/icons/hicolor/256x256/apps/veldor-editor.png
    share/lintian/overrides/veldor-editor
    share/man/man1/veldor-editor.1.gz
    share/man/man1/veldor-sce.1.gz
    share/metainfo/org.veldor.ScenarioEditor.metainfo.xml
    share/mime/packages/veldor-editor.xml
    share/veldor/city.txt
    share/veldor/face.txt
    share/veldor/name.txt
    share/doc/veldor-editor/user-guide.zh_CN.md
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

# The manual pages have to read cleanly, and veldor-sce's cover every command the tool offers.
if command -v groff >/dev/null; then
    for page in veldor-sce veldor-editor; do
        warnings=$(zcat "$prefix/share/man/man1/$page.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
        [ -z "$warnings" ] || fail "$page.1: $warnings"
    done
fi
commands=$("$prefix/bin/veldor-sce" --help | awk '/^  [a-z]+  / {print $1}')
[ -n "$commands" ] || fail "veldor-sce --help lists no commands"
# The tags of the paragraphs under COMMANDS: the commands, and their options and findings.
tags=$(zcat "$prefix/share/man/man1/veldor-sce.1.gz" | sed -n '/^\.SH COMMANDS/,/^\.SH /p' |
    awk 'previous == ".TP" {print $2} {previous = $1}')
for c in $commands; do
    grep -qx "$c" <<<"$tags" || fail "the manual page does not describe 'veldor-sce $c'"
done

desktop=$prefix/share/applications/veldor-editor.desktop
grep -qx 'Exec=veldor-editor %f' "$desktop" || fail "the desktop entry does not open a file"
grep -qx 'MimeType=application/x-veldor-scenario;' "$desktop" ||
    fail "the desktop entry does not declare the scenario type"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/org.veldor.ScenarioEditor.metainfo.xml" \
        >"$work/appstream.log" 2>&1 ||
        fail "the AppStream metainfo does not validate: $(cat "$work/appstream.log")"
fi
# What the package's triggers do on a desktop: the MIME database learns *.kqx, and the desktop
# entries' cache names the editor for that type.
if command -v update-mime-database >/dev/null && command -v update-desktop-database >/dev/null; then
    mkdir -p "$work/xdg/mime" "$work/xdg/applications"
    cp -r "$prefix/share/mime/packages" "$work/xdg/mime/"
    cp "$desktop" "$work/xdg/applications/"
    update-mime-database "$work/xdg/mime" >/dev/null 2>&1 || fail "update-mime-database failed"
    update-desktop-database "$work/xdg/applications" || fail "update-desktop-database failed"
    grep -qx 'application/x-veldor-scenario:\*\.kqx' "$work/xdg/mime/globs" ||
        fail "the MIME database does not map *.kqx to application/x-veldor-scenario"
    grep -qx 'application/x-veldor-scenario=veldor-editor.desktop;' \
        "$work/xdg/applications/mimeinfo.cache" ||
        fail "the desktop entries' cache does not name the editor for scenarios"
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
grep -q '^ *1  Mine ' <<<"$out" || fail "a name.txt in the working directory was not used"

# The editor reports missing name lists in a message box, not on a stream: start it on a
# private X server and look at its top-level windows. Besides the main window Qt keeps two
# windows without a class; a second window of the editor's class is the message box.
start_x_server() {
    # -noreset: otherwise the server resets whenever its last client (a poll of xwininfo) goes,
    # and a program connecting just then finds no display.
    Xvfb -noreset -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
}

# xwininfo escapes the Chinese window titles unless its own locale is UTF-8, whatever the
# caller's locale is.
editor_window_list() {
    LC_ALL=C.UTF-8 xwininfo -root -children | grep '("veldor-editor" "veldor-editor")' || true
}

# PREFIX [COMMAND...]: prints the editor's windows a moment after its main window shows. The
# editor runs as COMMAND (in the environment it sets), by default PREFIX/bin/veldor-editor.
editor_windows() {
    local pid windows= prefix=$1
    shift
    [ $# -gt 0 ] || set -- "$prefix/bin/veldor-editor"
    (cd "$elsewhere" && QT_QPA_PLATFORM=xcb exec "$@") 2>"$work/editor.err" &
    pid=$!
    for _ in $(seq 100); do
        windows=$(editor_window_list)
        [ -n "$windows" ] && break
        kill -0 "$pid" 2>/dev/null || fail "'$*' ended: $(cat "$work/editor.err")"
        sleep 0.1
    done
    # The message box follows the main window at once; give it a generous moment.
    sleep 1.5
    windows=$(editor_window_list)
    kill "$pid" 2>/dev/null || fail "'$*' ended: $(cat "$work/editor.err")"
    wait "$pid" 2>/dev/null || true
    printf '%s\n' "$windows"
}

check_editor() { # PREFIX
    local windows
    windows=$(editor_windows "$1")
    grep -q 'Veldor剧本修改器' <<<"$windows" || fail "$1/bin/veldor-editor showed no main window"
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

# The desktop entry's command line, with %f replaced by FILE and the program taken from PREFIX.
desktop_command() { # PREFIX FILE
    local words word command=()
    read -ra words <<<"$(sed -n 's/^Exec=//p' "$1/share/applications/veldor-editor.desktop")"
    [ "${words[0]}" = veldor-editor ] || fail "the desktop entry runs ${words[0]}"
    command=("$1/bin/veldor-editor")
    for word in "${words[@]:1}"; do
        if [ "$word" = %f ]; then command+=("$2"); else command+=("$word"); fi
    done
    printf '%s\0' "${command[@]}"
}

# Locales as users have them, LANG unset as in Debian's container image; zh_CN.UTF-8 is built
# into a private folder where the system has not generated it.
locale_env() { # LOCALE: prints the environment settings that select it
    printf '%s\0' -u LANG -u LANGUAGE "LC_ALL=$1"
    [ "$1" = zh_CN.UTF-8 ] && [ -n "${zh_locpath:-}" ] && printf '%s\0' "LOCPATH=$zh_locpath"
    return 0
}
locales=(POSIX C.UTF-8)
if grep -qix 'zh_CN.utf-\?8' <<<"$(locale -a)"; then
    locales+=(zh_CN.UTF-8)
elif [ -f /usr/share/i18n/locales/zh_CN ]; then
    mkdir -p "$work/locales"
    localedef -i zh_CN -f UTF-8 "$work/locales/zh_CN.UTF-8" >/dev/null ||
        [ -d "$work/locales/zh_CN.UTF-8" ] || fail "localedef could not build zh_CN.UTF-8"
    zh_locpath=$work/locales
    locales+=(zh_CN.UTF-8)
else
    echo "zh_CN.UTF-8 is not generated and the locales package is missing: not tried"
fi

echo "-- a scenario under a Chinese path, in each locale: ${locales[*]}"
chinese="$work/剧本 文件夹/样本 一.kqx"
mkdir -p "$(dirname "$chinese")"
cp "$sample" "$chinese"
reference_chinese=$(cd "$build/bin" && ./veldor-sce info "$chinese")
for loc in "${locales[@]}"; do
    mapfile -d '' settings < <(locale_env "$loc")
    out=$(cd "$elsewhere" && env "${settings[@]}" "$prefix/bin/veldor-sce" info "$chinese" 2>&1) ||
        fail "veldor-sce info failed in $loc: $out"
    [ "$out" = "$reference_chinese" ] || fail "veldor-sce info shows other text in $loc: $out"
    # Opened as the desktop entry opens a file: the caption shows the path as it is.
    mapfile -d '' command < <(desktop_command "$prefix" "$chinese")
    windows=$(editor_windows "$prefix" env "${settings[@]}" "${command[@]}")
    grep -qF "\"Veldor剧本修改器V1.0--Orlen制作--$chinese\"" <<<"$windows" ||
        fail "in $loc the editor did not show $chinese opened: $windows $(cat "$work/editor.err")"
    [ "$(echo "$windows" | grep -c .)" -eq 1 ] || fail "in $loc the editor showed a message box"
done

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
maintainer=$(sed -n 's/^VELDOR_PACKAGE_MAINTAINER:STRING=//p' "$build/CMakeCache.txt")
[ "$(dpkg-deb -f "$deb" Maintainer)" = "$maintainer" ] || fail "$deb: maintainer is not $maintainer"
[ "$(dpkg-deb -f "$deb" Section)" = editors ] || fail "$deb: section is not editors"

# Each dependency has to be a real package, and this machine runs the programs, so each must be
# installed here; the ones shlibdeps cannot see must be named.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(echo "$depends" | tr ',' '\n' | sed 's/|.*//; s/(.*)//; s/ //g')
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libjpeg62-turbo qt6-qpa-plugins \
    qt6-translations-l10n fonts-noto-cjk; do
    grep -qx "$needed" <<<"$names" || fail "$deb does not depend on $needed"
done
for name in $names; do
    [ "$(dpkg-query -W -f='${Status}' "$name" 2>/dev/null)" = "install ok installed" ] ||
        fail "$deb depends on $name, which is not installed here"
done

# No errors and no warnings; the overrides the package ships say why each one is accepted.
if command -v lintian >/dev/null; then
    echo "-- lintian"
    verdict=0
    lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || verdict=$?
    grep -v 'running with root privileges' "$work/lintian.log" || true
    [ "$verdict" -eq 0 ] || fail "lintian finds fault with $deb (above)"
fi

echo "-- programs unpacked from the package, started elsewhere"
unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
check_sce "$unpacked/usr"
check_editor "$unpacked/usr"

echo "Install and package checks passed: $deb"
