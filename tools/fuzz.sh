#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (seconds, default 20)
# on a copy of its seed corpus. Skipped, with a line saying so, where clang's fuzzer runtime is missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${1:-20}"

if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    echo "fuzz.sh: clang's fuzzer runtime is not installed; fuzzing skipped"
    exit 0
fi

build="build-fuzz"
# The PNG target is blind inside an uninstrumented libpng: it is built from Debian's source
# where that can be fetched (once; kept in the build folder), else against the system's.
libpng=()
if tools/libpng-source.sh "$build/libpng"; then
    libpng=(-DVANTOREL_FUZZ_LIBPNG_SOURCE="$root/$build/libpng/source")
else
    libpng=(-DVANTOREL_FUZZ_LIBPNG_SOURCE=)
    echo "fuzz.sh: libpng's source could not be fetched; the PNG target uses the system's libpng"
fi
cmake --preset fuzz "${libpng[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"

# The picture target may allocate up to the decoder's pixel limit on every run; a smaller
# quarantine and a higher memory ceiling keep ASan's own keeping of freed blocks from reading as
# running out of memory (the machine has room), while a real leak or overflow still fails.
export ALSOFT_LOGLEVEL=0 ALSOFT_DRIVERS=null ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=64
failed=0
for target in "$build"/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name="${target##*/fuzz_}"
    work="$(mktemp -d)"
    cp -r "tests/fuzz/corpus/$name" "$work/corpus"
    mkdir "$work/run"
    echo "fuzz.sh: $name for ${seconds}s"
    # The target runs in an empty folder so the names it reads resolve to nothing of ours.
    if (cd "$work/run" && "$root/$target" -max_total_time="$seconds" -rss_limit_mb=4096 -close_fd_mask=2 -print_final_stats=1 \
            "$work/corpus" >"$work/log" 2>&1); then
        grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$work/log" || true
        grep -E '^#[0-9]+[[:space:]]+DONE' "$work/log" | sed 's/^/fuzz.sh: /' || true
    else
        tail -n 60 "$work/log"
        echo "fuzz.sh: $name FAILED"
        failed=1
    fi
    rm -rf "$work"
done
exit "$failed"
