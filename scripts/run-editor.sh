#!/usr/bin/env bash
# Builds the editor, prepares run/ with the name lists and a generated sample scenario, and
# starts the editor there. Without a display it writes screenshots instead and prints their
# paths.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh --run
# Running needs neither the tests nor the benchmarks (nor their packages); a build folder that
# already has them, from scripts/test-all.sh, keeps them.
if [ -f build/CMakeCache.txt ]; then
    cmake -S . -B build
else
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELDOR_TESTS=OFF \
        -DVELDOR_BENCH=OFF
fi
cmake --build build -j"$(nproc)" --target veldor-editor veldor-sample veldor-shot veldor-sce

mkdir -p run
cp assets/name.txt assets/face.txt assets/city.txt run/
sample=run/D_Sce_sample.kqx
[ -f "$sample" ] || build/bin/veldor-sample --seed 1 -o "$sample"
build/bin/veldor-sce info "$sample" | head -n 12

cd run
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Starting the editor in $root/run (open D_Sce_sample.kqx)."
    exec "$root/build/bin/veldor-editor"
fi

echo "No display here: writing screenshots instead of starting a window."
mkdir -p "$root/shots"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
shot() { "$root/build/bin/veldor-shot" "$@"; }
shot --window FMap -o "$root/shots/main-empty.png"
shot --window FMap --scenario D_Sce_sample.kqx -o "$root/shots/main-sample.png"
shot --window FAbout -o "$root/shots/about.png"
shot --window FCity --scenario D_Sce_sample.kqx --city 9 -o "$root/shots/city-10.png"
shot --window FForc --scenario D_Sce_sample.kqx -o "$root/shots/forces.png"
shot --window FPrsn --scenario D_Sce_sample.kqx -o "$root/shots/persons.png"
