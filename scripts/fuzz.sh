#!/usr/bin/env bash
# Builds the libFuzzer targets (preset `fuzz`, clang with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time, starting from a seed corpus
# written from the golden scenarios.
#
#   scripts/fuzz.sh [SECONDS]    seconds per target, default 60
#
# Prints the executions and failures of each target; exits non-zero when any target failed.
# A failing input is kept in build/fuzz/artifacts/ and reproduced by running the target on it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "usage: scripts/fuzz.sh [SECONDS]" >&2
    exit 2
fi

scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

build=build/fuzz
seeds="$build/corpus/seeds"
rm -rf "$seeds"
"$build/tests/fuzz/zerkan-fuzz-corpus" "$seeds" tests/replay/scenarios/*.jsonl tests/replay/malformed/*.jsonl
mkdir -p "$build/artifacts"

status=0
summary=""
run() {
    local target="$1" seed_dir="$2" max_len="$3"
    local work="$build/corpus/$target" log="$build/$target.log"
    mkdir -p "$work"
    echo "== $target for ${seconds} s"
    set +e
    "$build/tests/fuzz/$target" "$work" "$seed_dir" -max_total_time="$seconds" -max_len="$max_len" \
        -timeout=60 -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" >"$log" 2>&1
    local rc=$?
    set -e
    local execs
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    local failures=0
    if [ $rc -ne 0 ]; then
        failures=1
        status=1
        grep -E "ERROR|invariant|SUMMARY|Test unit written" "$log" | head -n 20 || true
    fi
    summary+=$(printf '%-24s %8s s  executions %-10s failures %s' "$target" "$seconds" \
        "${execs:-?}" "$failures")$'\n'
}

# Longer inputs only repeat gestures; the bursts reach the 1000-entry limit in a few bytes.
run zerkan-fuzz-events "$seeds/events" 1024
run zerkan-fuzz-event-line "$seeds/lines" 4096

echo
printf '%s' "$summary"
exit $status
