#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite headless under Xvfb.
#   ./test.sh             ordinary build in build-tests/, a short fuzzing run where clang's
#                         fuzzer runtime is available, then the suite
#   ./test.sh --sanitize  the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer
#   --werror              warnings fail the build (the CI run)
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
cd "$root"

sanitize=0
werror=OFF
for arg in "$@"; do
    case "$arg" in
        --sanitize) sanitize=1 ;;
        --werror) werror=ON ;;
        *) echo "usage: $0 [--sanitize] [--werror]" >&2; exit 2 ;;
    esac
done

tools/install-deps.sh test

jobs="$(nproc)"
if [ "$sanitize" -eq 1 ]; then
    preset="sanitize"
else
    preset="tests"
fi
build="build-$preset"
cmake --preset "$preset" -DVANTOREL_WERROR="$werror" >/dev/null
cmake --build "$build" -j"$jobs"

status=0
# The fuzzing run comes first so the suite's summary closes the output.
if [ "$sanitize" -eq 0 ]; then
    tools/fuzz.sh 20 || status=$?
fi

# One virtual display for the whole run; drawing tests read their pixels back from it.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
    ctest --test-dir "$build" --output-on-failure -j"$jobs" || status=$?
exit "$status"
