#!/usr/bin/env bash
# Takes the README's screenshots from the real game under Xvfb into docs/screenshots/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
tools/install-deps.sh test
cmake --preset tests >/dev/null
cmake --build build-tests --target vantorel test_e2e -j"$(nproc)"
VANTOREL_SCREENSHOTS="$root/docs/screenshots" ALSOFT_DRIVERS=null ALSOFT_LOGLEVEL=0 \
    build-tests/tests/test_e2e --gtest_filter='ScreenshotE2ETest.*'
