#!/usr/bin/env bash
# Installs what is missing, builds the game in build/ and starts it from the repository root,
# where data/, sprites/ and sounds/ live.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
cd "$root"

tools/install-deps.sh run
cmake --preset run >/dev/null
cmake --build build --target vantorel -j"$(nproc)"

if [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: no display (DISPLAY is not set); start Vantorel from a desktop session." >&2
    exit 1
fi
exec build/vantorel "$@"
