#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, the same tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, a short run of each fuzz target, and the
# Windows build with its tests under wine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

echo "== Build (warnings are errors)"
# Explicitly on: a build folder first made by scripts/run-editor.sh has them off.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELDOR_TESTS=ON -DVELDOR_BENCH=ON
cmake --build build -j"$jobs"

echo "== Tests"
ctest --test-dir build -j"$jobs" --timeout 300 | tee "$root/build/ctest.log"

echo "== Benchmarks, briefly (that they build and run; figures need a quiet machine)"
(cd build && for bench in bin/bench_*; do "./$bench" --quick >/dev/null; done)

echo "== Pictures of the user guide"
scripts/check-doc-pictures.sh "$root/build"

echo "== Tests under ASan+UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELDOR_SANITIZE=ON -DVELDOR_BENCH=OFF
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan -j"$jobs" --timeout 600 \
    | tee "$root/build-asan/ctest.log"

if [ -x fuzz/smoke.sh ]; then
    echo "== Fuzz smoke"
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVELDOR_FUZZ=ON -DVELDOR_TESTS=OFF -DVELDOR_BENCH=OFF -DVELDOR_GUI=OFF \
        -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined"
    cmake --build build-fuzz -j"$jobs"
    fuzz/smoke.sh "$root/build-fuzz" 20
fi

if [ -x scripts/check-install.sh ]; then
    echo "== Install and package"
    scripts/check-install.sh "$root/build"
fi

echo "== The Windows build, under wine"
scripts/test-windows.sh "$root/build" | tee "$root/build/windows-tests.log"

# One closing line for every test run, the Windows one's included. ctest counts a skipped test among the ones that did not
# fail; it lists each under "(Skipped)", so the skipped are told apart from the passed here.
total() { grep -h -o "tests failed out of [0-9]*" "$@" | awk '{s += $5} END {print s + 0}'; }
failed() { grep -h -o "[0-9]* tests failed" "$@" | awk '{s += $1} END {print s + 0}'; }
skipped() { { grep -h -c "(Skipped)\$" "$@" || true; } | awk '{s += $1} END {print s + 0}'; }
logs=("$root/build/ctest.log" "$root/build-asan/ctest.log")
fails=$(failed "${logs[@]}")
skips=$(skipped "${logs[@]}")
windowsLine=$(grep "^windows tests: " "$root/build/windows-tests.log")
windows=$(echo "$windowsLine" | sed 's/^windows tests: \([0-9]*\) passed.*/\1/')
windowsSkips=$(echo "$windowsLine" | sed 's/.* \([0-9]*\) skipped$/\1/')
echo "== All checks passed"
echo "tests: $(($(total "${logs[@]}") - fails - skips + windows)) passed, $fails failed," \
    "$((skips + windowsSkips)) skipped"
