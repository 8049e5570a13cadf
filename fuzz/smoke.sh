#!/usr/bin/env bash
# Runs every fuzz target built in BUILD_DIR for SECONDS seconds on a copy of its seed corpus
# (the committed corpus never grows). Fails when a target finds a crash, a sanitizer report or
# a broken property; the failing input is kept in BUILD_DIR/fuzz-artifacts/.
#
#   fuzz/smoke.sh BUILD_DIR SECONDS
set -euo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $0 BUILD_DIR SECONDS" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
seconds=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

# Scenario-sized seeds are made here rather than committed: zeros, all ones, random bytes, and
# one longer than the minimum.
roundtrip_seeds() {
    local dir=$1 min=719712
    head -c "$min" /dev/zero >"$dir/zeros"
    head -c "$min" /dev/zero | tr '\0' '\377' >"$dir/ones"
    head -c "$min" /dev/urandom >"$dir/random"
    head -c $((min + 4096)) /dev/urandom >"$dir/longer"
    printf 'short input, repeated to a full scenario' >"$dir/short"
}

targets=("$build"/bin/fuzz_*)
if [[ ! -x ${targets[0]} ]]; then
    echo "fuzz smoke: no fuzz targets in $build/bin (configure with -DVELDOR_FUZZ=ON)" >&2
    exit 1
fi

failed=0
for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus="$work/$name"
    mkdir -p "$corpus"
    if [[ -d "$here/corpus/$name" ]]; then
        cp "$here/corpus/$name"/. "$corpus"/ -R
    fi
    options=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096
             -artifact_prefix="$artifacts/$name-" -print_final_stats=1)
    if [[ $name == fuzz_roundtrip ]]; then
        roundtrip_seeds "$corpus"
        options+=(-max_len=800000)
    fi
    log="$work/$name.log"
    if "$target" "${options[@]}" "$corpus" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
        echo "fuzz smoke: $name ok, ${runs:-?} runs in ${seconds}s"
    else
        echo "fuzz smoke: $name FAILED; log tail:" >&2
        tail -n 40 "$log" >&2
        failed=1
    fi
done
exit "$failed"
