#!/usr/bin/env bash
# Checks that the screenshot tool of BUILD_DIR still makes every picture of the user guide:
# runs scripts/make-doc-pictures.sh into a temporary folder and checks that each listed picture
# is a whole, non-empty PNG. Also checks that the guide shows exactly the listed pictures and
# that each of them is committed beside it.
#
#     scripts/check-doc-pictures.sh BUILD_DIR
set -euo pipefail
build=$(realpath "${1:?usage: scripts/check-doc-pictures.sh BUILD_DIR}")
root=$(cd "$(dirname "$0")/.." && pwd)
guide=$root/docs/zh_CN/使用说明.md
images=$root/docs/zh_CN/images

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "check-doc-pictures: $*" >&2
    exit 1
}

bytes() { # FILE OFFSET COUNT: the bytes as hex pairs without blanks
    od -An -v -tx1 -j "$2" -N "$3" "$1" | tr -d ' \n'
}

# A whole PNG: the signature, an IHDR chunk first with a width and height above 0, and the
# IEND chunk (with its fixed CRC) as the last 12 bytes, so that a cut-off file is caught.
valid_png() { # FILE
    [ -s "$1" ] && [ "$(stat -c %s "$1")" -gt 57 ] &&
        [ "$(bytes "$1" 0 8)" = 89504e470d0a1a0a ] &&
        [ "$(bytes "$1" 12 4)" = 49484452 ] &&
        [ "$(bytes "$1" 16 4)" != 00000000 ] && [ "$(bytes "$1" 20 4)" != 00000000 ] &&
        [ "$(bytes "$1" "$(($(stat -c %s "$1") - 12))" 12)" = 0000000049454e44ae426082 ]
}

mapfile -t listed < <("$root/scripts/make-doc-pictures.sh" --list)
[ ${#listed[@]} -gt 0 ] || fail "make-doc-pictures.sh lists no pictures"

"$root/scripts/make-doc-pictures.sh" --bin "$build/bin" --out "$work/pictures" >/dev/null ||
    fail "the screenshot tool did not make every picture of the guide (see above)"
for name in "${listed[@]}"; do
    valid_png "$work/pictures/$name" || fail "$name is not a whole, non-empty PNG"
done

# The check above must be able to fail: a picture cut short is no PNG.
head -c -1 "$work/pictures/${listed[0]}" >"$work/cut.png"
if valid_png "$work/cut.png"; then fail "a cut-off PNG passed the check; the check is blind"; fi

# The guide shows the listed pictures, no other, and each is committed.
diff <(printf '%s\n' "${listed[@]}" | sort) \
    <(grep -o '(images/[^)]*\.png)' "$guide" | sed 's/^(images\///; s/)$//' | sort -u) ||
    fail "the guide does not show exactly the pictures that make-doc-pictures.sh lists (diff above)"
for name in "${listed[@]}"; do
    valid_png "$images/$name" ||
        fail "docs/zh_CN/images/$name is missing or broken; run scripts/make-doc-pictures.sh"
done
echo "Guide pictures: ${#listed[@]} made by the screenshot tool and checked"
