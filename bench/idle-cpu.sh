#!/usr/bin/env bash
# Idles at the title menu under Xvfb and reports the game's CPU use per second of wall time, the
# wakeups of its main thread per second (voluntary context switches, with llvmpipe drawing in
# the main thread: LP_NUM_THREADS=0) and its tick rate (buffer swaps per second; the menu draws
# once per tick), for the event loop that sleeps until the next tick, for the 1 ms poll and for
# the back-to-back loop, the last two kept as build options for comparison.
#   bench/idle-cpu.sh [seconds]     (default 10)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${1:-10}"

tools/install-deps.sh test >/dev/null
cmake --preset bench >/dev/null
cmake --build build-bench --target vantorel -j"$(nproc)" >/dev/null
cmake --preset bench-1ms >/dev/null
cmake --build build-bench-1ms --target vantorel -j"$(nproc)" >/dev/null
cmake --preset bench-busy >/dev/null
cmake --build build-bench-busy --target vantorel -j"$(nproc)" >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cc -O2 -shared -fPIC -o "$work/swapcount.so" bench/swapcount.c -ldl

ticks_per_second=$(getconf CLK_TCK)

measure() {
    local label="$1" binary="$2" game="$work/$1"
    mkdir -p "$game"
    rm -f "$game/swaps"
    for folder in data sprites sounds; do
        [ -d "$folder" ] && ln -sfn "$root/$folder" "$game/$folder"
    done
    (
        cd "$game"
        export VANTOREL_SWAP_LOG="$game/swaps" ALSOFT_DRIVERS=null ALSOFT_LOGLEVEL=0 LP_NUM_THREADS=0
        xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
            env LD_PRELOAD="$work/swapcount.so" "$binary" >/dev/null 2>&1 &
        runner=$!
        # Wait for the game itself to appear, then let it settle at the menu.
        pid=""
        for _ in $(seq 100); do
            pid="$(pgrep -n -f "^$binary" || true)"
            [ -n "$pid" ] && [ -s "$game/swaps" ] && break
            sleep 0.1
        done
        [ -n "$pid" ] || { echo "$label: the game did not start" >&2; exit 1; }
        sleep 1
        read -r -a before < <(cut -d' ' -f14,15 "/proc/$pid/stat")
        wakeups_before=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$pid/task/$pid/status")
        swaps_before=$(stat -c %s "$game/swaps")
        start=$(date +%s.%N)
        sleep "$seconds"
        read -r -a after < <(cut -d' ' -f14,15 "/proc/$pid/stat")
        wakeups_after=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$pid/task/$pid/status")
        swaps_after=$(stat -c %s "$game/swaps")
        end=$(date +%s.%N)
        kill "$pid" 2>/dev/null || true
        wait "$runner" 2>/dev/null || true
        awk -v l="$label" -v cpu=$(( (after[0] + after[1]) - (before[0] + before[1]) )) -v hz="$ticks_per_second" \
            -v s="$swaps_after" -v s0="$swaps_before" -v t0="$start" -v t1="$end" \
            -v w="$wakeups_after" -v w0="$wakeups_before" \
            'BEGIN { wall = t1 - t0; printf "%-12s cpu %.3f of a core, %.0f wakeups per second, %.1f ticks per second (%.2f ms apart) over %.1f s\n",
                     l, cpu / hz / wall, (w - w0) / wall, (s - s0) / wall, 1000 * wall / (s - s0), wall }'
    )
}

# Twice each, in turns, so that a machine busy with other work weighs on every loop alike.
for turn in 1 2; do
    measure until-tick "$root/build-bench/vantorel"
    measure 1ms-poll "$root/build-bench-1ms/vantorel"
    measure back-to-back "$root/build-bench-busy/vantorel"
done
