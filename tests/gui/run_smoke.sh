#!/usr/bin/env bash
# Runs gui_smoke.exe on the fixture's X server, takes a screenshot of the whole screen and checks
# pixels of the drawing in the PNG.
# Usage: run_smoke.sh <wine-run> <prefix> <xvfb-state> <gui_smoke.exe> <work-dir>
set -euo pipefail
wine_run=$1 prefix=$2 state=$3 exe=$4 work=$5

DISPLAY=$(cat "$state/display"); export DISPLAY
mkdir -p "$work" && cd "$work"
rm -f gui_smoke.ready gui_smoke.quit screenshot.png

"$wine_run" "$prefix" "$exe" >wine.log 2>&1 &
pid=$!
trap 'touch gui_smoke.quit; wait $pid 2>/dev/null || true' EXIT

for _ in $(seq 1 300); do
  [ -f gui_smoke.ready ] && break
  if ! kill -0 $pid 2>/dev/null; then
    echo "gui_smoke.exe ended before painting:"; cat wine.log
    echo "the display $DISPLAY: $(xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && echo answers || echo does not answer)"
    exit 1
  fi
  sleep 0.1
done
[ -f gui_smoke.ready ] || { echo "gui_smoke.exe did not paint within 30 s"; exit 1; }
sleep 0.3
import -display "$DISPLAY" -window root screenshot.png

# The window's client area starts at screen (100, 100).
pixel() { convert screenshot.png -format "%[fx:int(255*p{$1,$2}.r+0.5)],%[fx:int(255*p{$1,$2}.g+0.5)],%[fx:int(255*p{$1,$2}.b+0.5)]" info:; }
failed=0
check() {
  local got; got=$(pixel "$1" "$2")
  if [ "$got" = "$3" ]; then echo "pixel ($1,$2) = $got"; else echo "pixel ($1,$2) = $got, expected $3"; failed=1; fi
}
check 190 180 220,20,60    # inside the crimson block
check 110 110 255,255,255  # window background
check 330 300 0,0,255      # on the blue line
check 50 50 0,0,0          # outside the window: the bare screen
exit $failed
