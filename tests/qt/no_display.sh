#!/bin/sh
# no_display.sh PROGRAM: the program, started where no window can be shown, must say so in one
# line on standard error and end with status 1 (not abort).
err=$(mktemp) out=$(mktemp)
trap 'rm -f "$err" "$out"' EXIT
"$1" >"$out" 2>"$err"
status=$?
cat "$err"
[ "$status" -eq 1 ] || { echo "exit status $status, expected 1"; exit 1; }
[ "$(wc -l <"$err")" -eq 1 ] || { echo "expected exactly one line on standard error"; exit 1; }
grep -q '^Zerkan Kütlesi: ' "$err" || { echo "the line does not name the program"; exit 1; }
[ ! -s "$out" ] || { echo "unexpected standard output"; exit 1; }
