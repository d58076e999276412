#!/usr/bin/env bash
# Runs the cases of varnel_gui_tests that store and restore the main window's place on a screen
# whose work area does not begin at 0,0: a bar of 40 pixels at the top, as a taskbar there makes.
# Wine reads the work area once, when its desktop process starts, so the run has a prefix and an
# Xvfb of its own, set up before any of its programs starts.
# Usage: run_work_area_tests.sh <scripts-dir> <varnel_gui_tests.exe> <work-dir>
set -euo pipefail
scripts=$1 exe=$2 work=$3
prefix=$work/wineprefix
holder=
mkdir -p "$work"
cleanup() {
  "$scripts/wine-prefix" cleanup "$prefix" >/dev/null 2>&1 || true
  [ -n "$holder" ] && kill "$holder" 2>/dev/null || true
}
trap cleanup EXIT
"$scripts/wine-prefix" setup "$prefix"
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
DISPLAY=$(cat "$work/xvfb/display"); export DISPLAY
# Xvfb forgets the root window's properties when its last client goes: this one stays, and the
# properties are set once it is connected (it prints the property's state when it is).
xprop -root -spy _NET_WORKAREA >"$work/holder.out" 2>&1 &
holder=$!
for _ in $(seq 1 100); do
  [ -s "$work/holder.out" ] && break
  sleep 0.1
done
xprop -root -format _NET_WORKAREA 32c -set _NET_WORKAREA "0, 40, 1280, 984"
xprop -root -format _NET_SUPPORTED 32a -set _NET_SUPPORTED "_NET_WORKAREA"
if ! xprop -root _NET_WORKAREA | grep -q "= 0, 40, 1280, 984"; then
  echo "run_work_area_tests: the display did not keep its work area" >&2
  exit 1
fi
export VARNEL_TEST_WORK_AREA_TOP=40
"$scripts/wine-run" "$prefix" "$exe" \
  --gtest_filter='VarnelGui.WindowClosedMaximisedKeepsItsNormalPlace:VarnelGui.NextStartPlacesTheWindowWhereItWasAndKeepsThePreviousLog'
