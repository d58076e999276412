#!/usr/bin/env bash
# Runs watchdog_probe.exe with a case limit of a few seconds, its output read through a pipe as the
# test driver reads it: the pipe has to close soon after the limit (the copy the case started ended
# with it), the program has to end with the watchdog's code, naming the case and the copy.
# Usage: run_watchdog_test.sh <wine-run> <prefix> <watchdog_probe.exe>
set -uo pipefail
wine_run=$1 prefix=$2 exe=$3
out=$(mktemp)
trap 'rm -f "$out"' EXIT

export VARNEL_CASE_LIMIT_S=3
start=$(date +%s)
"$wine_run" "$prefix" "$exe" --gtest_filter=Watchdog.* 2>&1 | timeout 60 cat > "$out"
statuses=("${PIPESTATUS[@]}")
took=$(($(date +%s) - start))
cat "$out"

failed=0
fail() { echo "FAILED: $1"; failed=1; }
[ "${statuses[1]}" -eq 124 ] && fail "the output stayed open for 60 s: the copy still held it"
[ "${statuses[0]}" -eq 124 ] || fail "the program ended with ${statuses[0]}, not the watchdog's 124"
grep -q '^\[ WATCHDOG \] Watchdog.HungCaseEndsWithWhatItStarted has run for' "$out" ||
  fail "the hung case was not named"
copy=$(sed -n 's/^copy started: //p' "$out" | tr -d '\r')
[ -n "$copy" ] || fail "the case did not start its copy"
grep -q "watchdog_probe.exe ($copy), started by this program, ended" "$out" ||
  fail "the copy ($copy) was not named as ended"
if pgrep -f 'gtest_filter=Hold.Forever' >/dev/null; then
  fail "a watchdog_probe.exe still runs"
  pkill -f 'gtest_filter=Hold.Forever'
fi
echo "output closed after $took s"
exit $failed
