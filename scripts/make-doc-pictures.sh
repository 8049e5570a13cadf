#!/usr/bin/env bash
# Makes the pictures of the user guide (docs/zh_CN/使用说明.md) with the project's own
# screenshot tool, from the generated sample scenario, at scale 1, so that they show the
# program as it is built.
#
#     scripts/make-doc-pictures.sh [--bin DIR] [--out DIR]
#         DIR of --bin holds veldor-shot, veldor-sample and veldor-sce (default: build/bin);
#         the pictures go to --out (default: docs/zh_CN/images).
#     scripts/make-doc-pictures.sh --list
#         prints the file names of the pictures, one a line.
#
# Every picture is tried; the command then fails, naming each picture that was not made.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The pictures, one a line: the file name, then the options of veldor-shot. SAMPLE stands for
# the generated sample scenario, FINDINGS for the sample with consistency findings planted
# (make_findings below). Options are split at blanks.
pictures() {
    cat <<'EOF'
main.png            --window FMap --scenario SAMPLE
main-reloaded.png   --window FMap --scenario SAMPLE --disk-change
external-change.png --window ExternalChangeQuestion --scenario SAMPLE
discard-edits.png   --window DiscardEditsQuestion --scenario SAMPLE --city 9
about.png           --window FAbout
city.png            --window FCity --scenario SAMPLE --city 9
force.png           --window FForc --scenario SAMPLE
person.png          --window FPrsn --scenario SAMPLE
person-pending.png  --window FPrsn --scenario SAMPLE --pending
person-find.png     --window FPrsn --scenario SAMPLE --find 钟
history.png         --window FHistory --scenario SAMPLE
check.png           --window FCheck --scenario FINDINGS
table.png           --window FTable --scenario SAMPLE
table-filter.png    --window FTable --scenario SAMPLE --find 统率>80
EOF
}

# The scenario with findings for the consistency check window: the same sample with the five
# findings that veldor-sample plants on request.
make_findings() { # OUT
    "$bin/veldor-sample" --seed 1 --findings -o "$1" >/dev/null
}

if [ "${1:-}" = --list ]; then
    pictures | awk '{print $1}'
    exit 0
fi

bin=$root/build/bin
out=$root/docs/zh_CN/images
while [ $# -gt 0 ]; do
    case $1 in
        --bin) bin=$(realpath "$2"); shift 2 ;;
        --out) out=$(realpath -m "$2"); shift 2 ;;
        *) echo "usage: scripts/make-doc-pictures.sh [--bin DIR] [--out DIR] | --list" >&2; exit 2 ;;
    esac
done
for tool in veldor-shot veldor-sample veldor-sce; do
    [ -x "$bin/$tool" ] || { echo "make-doc-pictures: no $bin/$tool (build it first)" >&2; exit 1; }
done
mkdir -p "$out"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The tools run in a folder that holds the name lists and the scenarios, on the offscreen
# platform, in one locale, so that the pictures do not depend on the machine's set-up.
cp "$root/assets/name.txt" "$root/assets/face.txt" "$root/assets/city.txt" "$work/"
cd "$work"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$bin/veldor-sample" --seed 1 -o D_Sce_sample.kqx >/dev/null
findings_made=
failed=()
while read -r name options; do
    [ -n "$name" ] || continue
    args=()
    for option in $options; do
        case $option in
            SAMPLE) args+=(D_Sce_sample.kqx) ;;
            FINDINGS)
                if [ -z "$findings_made" ]; then
                    make_findings D_Sce_findings.kqx || true
                    findings_made=yes
                fi
                args+=(D_Sce_findings.kqx) ;;
            *) args+=("$option") ;;
        esac
    done
    rm -f "$out/$name"
    # A window the tool does not know can leave it waiting for a dialog that never comes.
    status=0
    timeout 30 "$bin/veldor-shot" "${args[@]}" --scale 1 -o "$out/$name" \
        >/dev/null 2>"$work/shot.err" || status=$?
    if [ $status -eq 0 ] && [ -s "$out/$name" ]; then
        echo "$out/$name"
    else
        [ $status -ne 124 ] || echo "no picture after 30 s" >>"$work/shot.err"
        echo "make-doc-pictures: $name (veldor-shot $options) failed: $(cat "$work/shot.err")" >&2
        failed+=("$name")
    fi
done < <(pictures)

if [ ${#failed[@]} -gt 0 ]; then
    echo "make-doc-pictures: not made: ${failed[*]}" >&2
    exit 1
fi
