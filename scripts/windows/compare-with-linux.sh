#!/usr/bin/env bash
# Runs the same commands with the Linux build and with the Windows build under wine, in a folder
# with a Chinese name, and compares what they wrote byte for byte: the sample scenario, every
# table exported and dumped, an import's listing and the scenario it saved, and a resave.
#
#   scripts/windows/compare-with-linux.sh LINUX_BIN WINDOWS_BIN
#
# WINEPREFIX, WINEPATH and WINEDEBUG come from the caller (scripts/test-windows.sh).
set -euo pipefail

linux=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
wine=${WINE:-/usr/lib/wine/wine64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# wine hands the arguments to the program through the locale's code page.
export LC_ALL=C.UTF-8
mkdir -p "$work/linux/三国 剧本" "$work/windows/三国 剧本"

compared=0
failed=0
same() {
    compared=$((compared + 1))
    if cmp -s "$1" "$2"; then
        return 0
    fi
    failed=$((failed + 1))
    echo "DIFFERENT: $3 ($1 and $2)"
    cmp "$1" "$2" | head -3 || true
}

# run SIDE OUTPUT COMMAND ARGS...: runs a program of SIDE inside SIDE's Chinese-named folder and
# keeps its standard output and exit code.
run() {
    local side=$1 out=$2 program=$3
    shift 3
    local code=0
    if [ "$side" = linux ]; then
        (cd "$work/linux/三国 剧本" && "$linux/$program" "$@" >"$out" 2>"$out.err") || code=$?
    else
        (cd "$work/windows/三国 剧本" && "$wine" "$windows/$program.exe" "$@" >"$out" 2>"$out.err") ||
            code=$?
    fi
    echo "$code" >"$out.code"
}

both() {
    local name=$1
    shift
    run linux "$work/linux/$name" "$@"
    run windows "$work/windows/$name" "$@"
    same "$work/linux/$name" "$work/windows/$name" "$name: $*"
    same "$work/linux/$name.code" "$work/windows/$name.code" "$name's exit code: $*"
}

both sample.out veldor-sample -o 甲.kqx --seed 7
same "$work/linux/三国 剧本/甲.kqx" "$work/windows/三国 剧本/甲.kqx" "veldor-sample's scenario"
both info.out veldor-sce info 甲.kqx
both check.out veldor-sce check 甲.kqx
both dump.out veldor-sce dump 甲.kqx
for table in persons cities forces items places; do
    both "export-$table.csv" veldor-sce export --table "$table" --names --headers zh --bom 甲.kqx
done

# An import of the same changes into both sides' copies, then a resave of the result.
python3 - "$work/linux/export-persons.csv" "$work/changes.csv" <<'EDIT'
import sys
lines = open(sys.argv[1], encoding="utf-8-sig", newline="").read().split("\r\n")
head = lines[0].split(",")
column = head.index("统率")
out = [lines[0]]
for line in lines[1:40]:
    cells = line.split(",")
    if len(cells) == len(head):
        cells[column] = str((int(cells[column]) + 17) % 100)
        out.append(",".join(cells))
open(sys.argv[2], "w", encoding="utf-8", newline="").write("\r\n".join(out) + "\r\n")
EDIT
cp "$work/changes.csv" "$work/linux/三国 剧本/改动.csv"
cp "$work/changes.csv" "$work/windows/三国 剧本/改动.csv"
both import.out veldor-sce import 甲.kqx 改动.csv
same "$work/linux/三国 剧本/甲.kqx" "$work/windows/三国 剧本/甲.kqx" "the imported scenario"
same "$work/linux/三国 剧本/甲.kqx.bak" "$work/windows/三国 剧本/甲.kqx.bak" "the import's backup"
both resave.out veldor-sce resave 甲.kqx
same "$work/linux/三国 剧本/甲.kqx" "$work/windows/三国 剧本/甲.kqx" "the resaved scenario"
both diff.out veldor-sce diff 甲.kqx 甲.kqx.bak

echo "windows compared with linux: $((compared - failed)) same, $failed different"
[ "$failed" -eq 0 ]
