#!/usr/bin/env bash
# Builds the release benchmarks and prints one table: start-up time and peak memory of the
# program against a bare Qt dialog (offscreen and under Xvfb), every action's median through
# the in-memory surface and through the real window, the executable's size and what it links.
#
#   scripts/bench.sh            # start-up runs per platform: 60; action repetitions: 5
#   RUNS=200 REPS=9 scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${RUNS:-60}"
reps="${REPS:-5}"
warmup=3

scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench >&2

# shellcheck source=/dev/null
source build/bench/bench/bench-paths.sh
if [ -z "$probe" ] || [ -z "$program" ]; then
    echo "bench: the window was not built; nothing to compare" >&2
    exit 1
fi

out="build/bench/results"
load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
mkdir -p "$out"
# Repetitions interleaved at random, so that a slow minute of the machine spreads over all
# benchmarks instead of spoiling one.
gbench=(--benchmark_repetitions="$reps" --benchmark_enable_random_interleaving=true
        --benchmark_report_aggregates_only=true --benchmark_out_format=json)

echo "bench: actions through the in-memory surface" >&2
"$actions_memory" "${gbench[@]}" --benchmark_out="$out/actions-memory.json" >/dev/null
echo "bench: actions through the window (offscreen)" >&2
QT_QPA_PLATFORM=offscreen "$actions_window" "${gbench[@]}" \
    --benchmark_out="$out/actions-window.json" >/dev/null
echo "bench: start-up, offscreen ($runs runs each)" >&2
QT_QPA_PLATFORM=offscreen "$startup" "$runs" "$warmup" "$baseline" "$probe" \
    "$out/startup-offscreen.json"
echo "bench: start-up, Xvfb ($runs runs each)" >&2
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$startup" "$runs" "$warmup" "$baseline" "$probe" "$out/startup-xvfb.json"

needed=()
while read -r lib; do
    needed+=(--needed "$lib")
done < <(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p')

echo
echo "Release build, $(date -u +%Y-%m-%d), $(nproc) CPU $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6), load average $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after"
echo
"$report" --startup offscreen "$out/startup-offscreen.json" \
    --startup Xvfb "$out/startup-xvfb.json" \
    --actions "$out/actions-memory.json" --actions "$out/actions-window.json" \
    --program "$program" "${needed[@]}"
