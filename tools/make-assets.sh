#!/bin/sh
# Regenerates every picture and sound of the game from the code in tools/: builds the
# generator with CMake when needed, then writes sprites/, sounds/ and icons/ under OUTDIR.
# Usage: tools/make-assets.sh [OUTDIR]      (default: the repository root)
# The build folder is $VANTOREL_BUILD_DIR, or build/ in the repository.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root}
build=${VANTOREL_BUILD_DIR:-$root/build}

if [ ! -f "$build/CMakeCache.txt" ]; then
    if [ -n "${VANTOREL_BUILD_DIR:-}" ]; then
        cmake -S "$root" -B "$build" >/dev/null
    else
        (cd "$root" && cmake --preset run >/dev/null)
    fi
fi
cmake --build "$build" --target make_assets -j2 >/dev/null
mkdir -p "$out"
exec "$build/tools/make_assets" "$out"
