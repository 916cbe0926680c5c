#!/usr/bin/env bash
# Time per tick against the size of the level. Generates levels of N platforms of 128 x 32
# (40 to a row, rows 96 pixels apart, so the screen shows the same few whatever N is) plus N/10
# pieces of scenery at depth 1 spread over the same area, then plays them side by side with the
# right arrow held through the real game code (bench/tickbench.cpp), and prints each size's time
# per tick and its ratio to the first size. A size written rowN is N platforms in one row, 150
# pixels apart (100,000 of them reach 15 million pixels), with no scenery.
#   bench/ticks.sh [rounds] [sizes...]     (default 3 rounds of 100 10000 100000 row100000)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
rounds="${1:-3}"
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100 10000 100000 row100000)

# BENCH_BUILD names a build folder to reuse (default: build-bench, configured here).
build="$(realpath -m "${BENCH_BUILD:-$root/build-bench}")"
if [ -z "${BENCH_BUILD:-}" ]; then
    tools/install-deps.sh test >/dev/null
    cmake --preset bench >/dev/null
fi
cmake --build "$build" --target tickbench -j"$(nproc)" >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/data"
ln -s "$root/sprites" "$work/sprites"
ln -s "$root/sounds" "$work/sounds"

generate() {
    local platforms="$1"
    awk -v n="$platforms" 'BEGIN {
        columns = 40; top = 160; rowStep = 96
        rows = int((n + columns - 1) / columns)
        width = columns * 128; height = top + rows * rowStep + 200
        print "[Properties]"
        print "width: " width; print "height: " height
        print "spawnx: 64"; print "spawny: " (top - 46)
        print "winimg: goal.png"; print "winx: " (width - 100); print "winy: " (height - 150)
        print "nextmap: finish"; print "end"
        print "[BG]"; print "img: bg1.png"; print "end"
        for (k = 0; k < int(n / 10); ++k) {
            print "[Decoration]"; print "img: deco_bush.png"
            print "x: " (k * 997) % width; print "y: " (top - 40 + ((k * 389) % rows) * rowStep)
            print "z: 1"; print "end"
        }
        for (i = 0; i < n; ++i) {
            print "[Platform]"; print "img: cave_ground_128.png"
            print "x: " (i % columns) * 128; print "y: " (top + int(i / columns) * rowStep)
            print "w: 128"; print "h: 32"; print "end"
        }
    }' > "$work/data/bench$platforms.level"
}

generateRow() {
    local platforms="$1"
    awk -v n="$platforms" 'BEGIN {
        width = n * 150 + 400
        print "[Properties]"
        print "width: " width; print "height: 600"
        print "spawnx: 64"; print "spawny: 354"
        print "winimg: goal.png"; print "winx: " (width - 100); print "winy: 344"
        print "nextmap: finish"; print "end"
        print "[BG]"; print "img: bg1.png"; print "end"
        for (i = 0; i < n; ++i) {
            print "[Platform]"; print "img: cave_ground_128.png"
            print "x: " i * 150; print "y: 400"; print "w: 150"; print "h: 32"; print "end"
        }
    }' > "$work/data/benchrow$platforms.level"
}

levels=()
for size in "${sizes[@]}"; do
    case "$size" in
        row*) generateRow "${size#row}" ;;
        *) generate "$size" ;;
    esac
    levels+=("bench$size.level")
done

cd "$work"
ALSOFT_DRIVERS=null ALSOFT_LOGLEVEL=0 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
    "$build/bench/tickbench" --rounds "$rounds" "${levels[@]}"
