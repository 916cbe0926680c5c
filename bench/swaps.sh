#!/usr/bin/env bash
# What a frame costs, windowed at 640 x 480 and in full screen on a 1920 x 1080 screen, side by
# side: at the title menu, while walking (the right arrow held through xdotool) and paused, with
# llvmpipe's own drawing threads and with LP_NUM_THREADS=0 (drawing in the main thread). For each
# it prints the buffer swaps a second, the late frames (more than 24 ms after the one before),
# the game's CPU time a frame and a second (all its threads) and the wakeups of its main thread
# a second (voluntary context switches). Swaps are seen through the swapcount.c shim.
#   bench/swaps.sh [seconds]     (default 5 each; a BENCH_BUILD folder with vantorel may be given)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-5}"

# One measurement, run inside its own display server: bench/swaps.sh --inside WORK MODE SCENE SECONDS
if [ "${1:-}" = "--inside" ]; then
    work="$2" mode="$3" scene="$4" seconds="$5"
    cd "$work"
    rm -f swaps times settings.ini release.log progress.ini
    if [ "$mode" = "full" ]; then
        printf '[window]\nfullscreen=yes\nwidth=640\nheight=480\n' > settings.ini
    fi
    VANTOREL_SWAP_LOG="$work/swaps" VANTOREL_SWAP_TIMES="$work/times" ALSOFT_DRIVERS=null ALSOFT_LOGLEVEL=0 \
        LD_PRELOAD="$work/swapcount.so" "$work/vantorel" >/dev/null 2>&1 &
    pid=$!
    trap 'kill "$pid" 2>/dev/null || true' EXIT
    window=""
    for _ in $(seq 100); do
        window="$(xdotool search --name '^Vantorel$' 2>/dev/null | head -n 1 || true)"
        [ -n "$window" ] && [ -s swaps ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "the game did not start" >&2; exit 1; }
    sleep 1
    if [ "$scene" != "menu" ]; then
        xdotool mousemove --window "$window" 5 5 2>/dev/null
        xdotool key --window "$window" Return 2>/dev/null
        sleep 1
        xdotool keydown Right 2>/dev/null
    fi
    if [ "$scene" = "paused" ]; then
        sleep 0.5
        xdotool keyup Right 2>/dev/null
        xdotool key --window "$window" p 2>/dev/null
    fi
    sleep 0.5
    read -r -a before < <(cut -d' ' -f14,15 "/proc/$pid/stat")
    wakeups_before=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$pid/task/$pid/status")
    start=$(( $(date +%s%N) / 1000 ))
    sleep "$seconds"
    end=$(( $(date +%s%N) / 1000 ))
    read -r -a after < <(cut -d' ' -f14,15 "/proc/$pid/stat")
    wakeups_after=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$pid/task/$pid/status")
    [ "$scene" = "walking" ] && xdotool keyup Right 2>/dev/null
    size="$(xdotool getwindowgeometry "$window" | awk '/Geometry/ { print $2 }')"
    cpu=$(( (after[0] + after[1]) - (before[0] + before[1]) ))
    awk -v t0="$start" -v t1="$end" -v cpu="$cpu" -v hz="$(getconf CLK_TCK)" -v w0="$wakeups_before" \
        -v w1="$wakeups_after" -v size="$size" '
        BEGIN { swaps = 0; late = 0; last = -1 }
        { now = $1 + 0 }
        now >= t0 && now <= t1 {
            if (last >= 0 && now - last > 24000) late++
            if (last < 0 && prev > 0 && now - prev > 24000) late++
            swaps++; last = now
        }
        { prev = now }
        END {
            wall = (t1 - t0) / 1e6
            perFrame = swaps > 0 ? sprintf("%.2f", 1000 * cpu / hz / swaps) : "-"
            printf "%s %.1f %d %s %.0f %.0f\n", size, swaps / wall, late, perFrame, 100 * cpu / hz / wall, (w1 - w0) / wall
        }' times
    exit 0
fi

cd "$root"
build="$(realpath -m "${BENCH_BUILD:-$root/build-bench}")"
if [ -z "${BENCH_BUILD:-}" ]; then
    tools/install-deps.sh test >/dev/null
    cmake --preset bench >/dev/null
fi
cmake --build "$build" --target vantorel -j"$(nproc)" >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cc -O2 -shared -fPIC -o "$work/swapcount.so" bench/swapcount.c -ldl
ln -s "$build/vantorel" "$work/vantorel"
for folder in data sprites sounds; do
    ln -s "$root/$folder" "$work/$folder"
done

printf '%-8s %-8s %-12s %-10s %8s %6s %12s %7s %10s\n' scene mode threads window swaps/s late cpu-ms/frame cpu-% wakeups/s
for scene in menu walking paused; do
    for mode in window full; do
        for threads in default 0; do
            if [ "$threads" = "default" ]; then
                unset LP_NUM_THREADS
            else
                export LP_NUM_THREADS=0
            fi
            result="$(xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp -noreset" \
                "$root/bench/swaps.sh" --inside "$work" "$mode" "$scene" "$seconds" || echo "failed")"
            read -r size rate late perFrame cpu wakeups <<<"$result"
            printf '%-8s %-8s %-12s %-10s %8s %6s %12s %7s %10s\n' "$scene" "$mode" "$threads" "$size" "$rate" \
                "${late:-}" "${perFrame:-}" "${cpu:-}" "${wakeups:-}"
        done
    done
done
unset LP_NUM_THREADS
