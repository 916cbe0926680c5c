#!/usr/bin/env bash
# Where the time to the first frame goes: starts the game at the menu under Xvfb a few times,
# watching which files it opens (strace) and its first buffer swap, and prints the milliseconds
# from the start of the program to each step, then the median of each phase.
#   bench/startup.sh [runs]     (default 5; a BENCH_BUILD folder with vantorel may be given)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
runs="${1:-5}"
build="$(realpath -m "${BENCH_BUILD:-$root/build-bench}")"
if [ -z "${BENCH_BUILD:-}" ]; then
    tools/install-deps.sh test >/dev/null
    cmake --preset bench >/dev/null
fi
cmake --build "$build" --target vantorel -j"$(nproc)" >/dev/null
command -v strace >/dev/null || { echo "startup.sh needs strace" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cc -O2 -shared -fPIC -o "$work/swapcount.so" bench/swapcount.c -ldl
for folder in data sprites sounds; do
    ln -s "$root/$folder" "$work/$folder"
done

cd "$work"
for run in $(seq "$runs"); do
    rm -f swaps trace
    VANTOREL_SWAP_LOG="$work/swaps" ALSOFT_DRIVERS=null ALSOFT_LOGLEVEL=0 \
        xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
        strace -f -tt -e trace=execve,openat -o trace env LD_PRELOAD="$work/swapcount.so" "$build/vantorel" \
        >/dev/null 2>&1 &
    runner=$!
    for _ in $(seq 100); do
        [ -s swaps ] && break
        sleep 0.1
    done
    pid="$(pgrep -n -f "^$build/vantorel" || true)"
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    wait "$runner" 2>/dev/null || true
    # Milliseconds from the program's start to the first time it reaches each step.
    awk -v exe="$build/vantorel" '
        function ms(t,   p) { split(t, p, ":"); return (p[1] * 3600 + p[2] * 60 + p[3]) * 1000 }
        function mark(name) { if (!(name in at)) at[name] = ms($2) - start }
        index($0, "execve(\"" exe "\"") && !start { start = ms($2) }
        !start || / ENOENT / { next }
        /release\.log/ { mark("main") }
        /swrast_dri\.so/ { mark("driver") }
        /"sprites\// { mark("pictures") }
        /"sounds\// { mark("sounds") }
        /swaps"/ { mark("frame") }
        END {
            printf "main %4.0f  GL-driver-load %4.0f  first-picture %4.0f  first-sound %4.0f  first-frame %4.0f\n",
                   at["main"], at["driver"], at["pictures"], at["sounds"], at["frame"]
        }' trace
done | tee "$work/phases"
echo "median of $runs runs (ms from start):"
for column in 2 4 6 8 10; do
    name="$(awk -v c=$((column - 1)) 'NR == 1 { print $c }' "$work/phases")"
    value="$(awk -v c=$column '{ print $c }' "$work/phases" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')"
    printf "%s %s  " "$name" "$value"
done
echo
