#!/usr/bin/env bash
# Builds the Windows edition (preset `windows`) and prints its figures: start-up under Wine
# against a bare Win32 dialog with the same three filled combo boxes (paired runs, time until
# the window first waits for input), the executable's size as built and stripped, and the
# DLLs it imports.
#
#   scripts/bench-windows.sh           # 60 start-up runs per program
#   RUNS=200 scripts/bench-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${RUNS:-60}"
warmup=3

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows >&2

build="$PWD/build/windows"
# shellcheck source=/dev/null
source "$build/bench/bench-paths.sh"
if [ -z "$program" ]; then
    echo "bench-windows: the Windows program was not built; nothing to compare" >&2
    exit 1
fi
wine=(cmake/wine-run.sh "$build/wine")
windows_path() { "${wine[@]}" winepath -w "$1" | tr -d '\r'; }

load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
echo "bench-windows: start-up under Wine ($runs runs each)" >&2
startup=$("${wine[@]}" "$startup" "$runs" "$warmup" "$(windows_path "$baseline")" \
    "$(windows_path "$program")" | tr -d '\r')
"${wine[@]}" --stop

stripped="$build/bench/program-stripped.exe"
x86_64-w64-mingw32-strip -o "$stripped" "$program"
field() { sed -n "s/^$1.*$2=\([^[:space:]]*\).*/\1/p" <<<"$startup"; }

echo
echo "Windows build, $(date -u +%Y-%m-%d), $(nproc) CPU $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(wine --version), load average $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after"
echo
echo "| Measure | Bare Win32 dialog | Zerkan Kütlesi | Target |"
echo "|---|---|---|---|"
echo "| Start-up to first idle, median of $runs (ms) | $(field baseline median_idle_ms) | $(field program median_idle_ms) | |"
echo "| Start-up, median of the paired ratios | | $(field ratio median_pair_ratio) | ≤ 1.15 |"
echo "| Peak working set at idle, median (KiB) | $(field baseline median_peak_working_set_kib) | $(field program median_peak_working_set_kib) | |"
echo "| Executable size, as built / stripped (bytes) | | $(stat -c %s "$program") / $(stat -c %s "$stripped") | ≤ 1 MiB (1048576) |"
echo "| Imported DLLs | | $(cmake/windows-imports.sh x86_64-w64-mingw32-objdump "$program" | tr '\n' ' ') | Windows only |"
