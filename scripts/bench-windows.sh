#!/usr/bin/env bash
# Builds the Windows edition (preset `windows`) and prints its figures under Wine: every action
# through the real Win32 window at 0, 100 and 999 entries and at 1000 entries of the longest
# texts, against a bare Win32 dialog's click (Google Benchmark, repetitions interleaved at
# random); start-up against a bare Win32 dialog with the same three filled combo boxes (paired
# runs, time until the window first waits for input, in several rounds), and again against the
# program's own dialog with nothing else of the program; the executable's size as built and
# stripped, and the DLLs it imports.
#
#   scripts/bench-windows.sh                     # 40 start-up pairs x 5 rounds; 5 repetitions
#   RUNS=100 ROUNDS=5 REPS=7 scripts/bench-windows.sh
#   ACTIONS=0 scripts/bench-windows.sh           # start-up only
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${RUNS:-40}"
rounds="${ROUNDS:-5}"
reps="${REPS:-5}"
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
out="$build/bench-results"
mkdir -p "$out"

load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
if [ "${ACTIONS:-1}" != 0 ] && [ -n "$actions_window" ]; then
    echo "bench-windows: actions through the Win32 window ($reps repetitions)" >&2
    "${wine[@]}" "$actions_window" --benchmark_filter='floor|/(Add|Undo|Reset)/' \
        --benchmark_repetitions="$reps" --benchmark_enable_random_interleaving=true \
        --benchmark_report_aggregates_only=true --benchmark_out_format=json \
        --benchmark_out="$(windows_path "$out")\\actions-win32.json" >/dev/null
fi
# Paired start-up runs of the program against the floor given.
startup_against() {
    "${wine[@]}" "$startup" "$runs" "$warmup" "$(windows_path "$1")" \
        "$(windows_path "$program")" "$rounds" | tr -d '\r'
}
echo "bench-windows: start-up under Wine ($runs pairs x $rounds rounds)" >&2
bare=$(startup_against "$baseline")
# The second floor: the program's own dialog with its lists filled and nothing else.
same=""
if [ -n "${same_dialog:-}" ]; then
    echo "bench-windows: start-up against the same dialog ($runs pairs x $rounds rounds)" >&2
    same=$(startup_against "$same_dialog")
fi
"${wine[@]}" --stop

stripped="$build/bench/program-stripped.exe"
x86_64-w64-mingw32-strip -o "$stripped" "$program"
field() { sed -n "s/^$1.*$2=\([^[:space:]]*\).*/\1/p" <<<"${3:-$bare}"; }

echo
echo "Windows build, $(date -u +%Y-%m-%d), $(nproc) CPU $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(wine --version), load average $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after"
if [ -f "$out/actions-win32.json" ] && [ "${ACTIONS:-1}" != 0 ]; then
    echo
    python3 - "$out/actions-win32.json" <<'EOF'
# Medians over the repetitions of each repetition's median action time (µs), each size against
# the same action with an empty molecule, and the empty Add against the bare dialog's click.
# With an empty molecule Undo and Reset change nothing; their sizes are also given against the
# one-entry molecule, the smallest they change.
import json, sys

runs = json.load(open(sys.argv[1]))["benchmarks"]
median = {}
for run in runs:
    if run.get("aggregate_name") == "median" and "wall_p50_us" in run:
        name = run["run_name"].split("/iterations")[0]
        median[name] = run["wall_p50_us"]
floor = median.get("floor/Click")
actions = [("Add", "Ekle"), ("Undo", "Geri Al"), ("Reset", "Sıfırla")]
sizes = [("0", "0"), ("1", "1"), ("100", "100"), ("999", "999"), ("longest", "1000 longest")]
print("| action: median µs (× against 0 entries; × against 1 entry) | " +
      " | ".join(label for _, label in sizes) + " | ≤ 1.5 × |")
print("|---|" + "---|" * (len(sizes) + 1))
for action, label in actions:
    bases = [median.get(f"win32/{action}/0"), median.get(f"win32/{action}/1")]
    cells, met = [], [True, True]
    for size, _ in sizes:
        value = median.get(f"win32/{action}/{size}")
        if value is None:
            cells.append("–")
            continue
        ratios = []
        for i, base in enumerate(bases):
            if base is None:
                continue
            ratios.append(f"{value / base:.2f}")
            met[i] = met[i] and value / base <= 1.5
        cells.append(f"{value:.0f} ({'; '.join(ratios)})")
    verdict = "; ".join("met" if m else "**not met**" for m in met)
    print(f"| {label} | " + " | ".join(cells) + f" | {verdict} |")
if floor is not None:
    print(f"| bare dialog's click (floor) | {floor:.0f} |" + " |" * (len(sizes) - 1) + " |")
    add = median.get("win32/Add/0")
    if add is not None:
        ratio = add / floor
        print(f"| empty Ekle against the floor | {ratio:.2f} × |" + " |" * (len(sizes) - 1) +
              f" {'met' if ratio <= 1.5 else '**not met**'} |")
EOF
fi
echo
echo "| Measure | Bare Win32 dialog | Zerkan Kütlesi | Target |"
echo "|---|---|---|---|"
echo "| Start-up to first idle, median of $((runs * rounds)) (ms) | $(field baseline median_idle_ms) | $(field program median_idle_ms) | |"
echo "| Start-up, median of the $((runs * rounds)) paired ratios (quartiles) | | $(field ratio median_pair_ratio) ($(field ratio q1)–$(field ratio q3)) | ≤ 1.15 |"
echo "| Start-up, the $rounds rounds' medians from–to | | $(field ratio rounds_min)–$(field ratio rounds_max) | |"
if [ -n "$same" ]; then
    echo "| The same dialog, lists filled, nothing else: start-up (ms) | $(field baseline median_idle_ms "$same") | $(field program median_idle_ms "$same") | |"
    echo "| Against the same dialog: paired ratio (quartiles; rounds) | | $(field ratio median_pair_ratio "$same") ($(field ratio q1 "$same")–$(field ratio q3 "$same"); $(field ratio rounds_min "$same")–$(field ratio rounds_max "$same")) | |"
fi
echo "| Peak working set at idle, median (KiB) | $(field baseline median_peak_working_set_kib) | $(field program median_peak_working_set_kib) | |"
echo "| Executable size, as built / stripped (bytes) | | $(stat -c %s "$program") / $(stat -c %s "$stripped") | ≤ 1 MiB (1048576) |"
echo "| Imported DLLs | | $(cmake/windows-imports.sh x86_64-w64-mingw32-objdump "$program" | tr '\n' ' ') | Windows only |"
