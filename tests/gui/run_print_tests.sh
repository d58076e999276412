#!/usr/bin/env bash
# Runs varnel_print_tests.exe against the tree's own print spooler, then reads the printed pages
# back: page counts and page sizes (pdfinfo), the grid's header and footers in page order
# (pdftotext), and the graph's border, axis lines and wave colour and the dialog picture's size
# at the places the program's figures give (pdftoppm and ImageMagick).
# Usage: run_print_tests.sh <wine-run> <prefix> <cups-state> <varnel_print_tests.exe> <work-dir>
set -uo pipefail
wine_run=$1 prefix=$2 state=$3 exe=$4 work=$5

if [ ! -f "$state/printer" ]; then
  echo "no print spooler of this tree is running (scripts/cups start did not run or was skipped)"
  exit 77
fi
for tool in pdfinfo pdftotext pdftoppm convert; do
  command -v $tool >/dev/null || { echo "$tool is missing (run scripts/bootstrap)"; exit 1; }
done

export CUPS_SERVER=$state/cups.sock
VARNEL_TEST_PRINTER=$(cat "$state/printer"); export VARNEL_TEST_PRINTER
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
rm -rf "$work" && mkdir -p "$work/output"
VARNEL_PDF_DIR=$(windows_path "$state/pdf"); export VARNEL_PDF_DIR
VARNEL_PRINT_OUTPUT=$(windows_path "$work/output"); export VARNEL_PRINT_OUTPUT
cd "$work"

failed=0
"$wine_run" "$prefix" "$exe" --gtest_filter=-*WithoutAPrinter* || failed=1
# Without any printer: the spooler library of the program's process finds nobody at this address.
CUPS_SERVER=/nonexistent/varnel-no-spooler.sock VARNEL_NO_PRINTER=1 \
  "$wine_run" "$prefix" "$exe" --gtest_filter=*WithoutAPrinter* || failed=1
out=$work/output

note() { echo "$1"; }
fail() { echo "FAILED: $1"; failed=1; }
pages() { pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages: *//p'; }
# Red, green and blue of one pixel of a PNG.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:; }
dark() { local r g b; read -r r g b < <(pixel "$1" "$2" "$3"); [ $((r + g + b)) -lt 200 ]; }
# Whether a dark pixel lies within `reach` pixels of (x, y) along the axis given (x or y).
dark_near() {
  local png=$1 x=$2 y=$3 along=$4 reach=${5:-5} geometry darkest
  if [ "$along" = x ]; then geometry="$((2 * reach + 1))x1+$((x - reach))+$y"
  else geometry="1x$((2 * reach + 1))+$x+$((y - reach))"; fi
  darkest=$(convert "$png" -crop "$geometry" +repage -colorspace gray -format "%[fx:int(255*minima.r)]" info:)
  [ "$darkest" -lt 70 ]
}
# Pixels of pure-ish red in a rectangle.
red_count() { convert "$1" -crop "$2x$3+$4+$5" +repage -fuzz 25% -fill black +opaque red \
  -format "%[fx:int(mean.r*w*h+0.5)]" info:; }
# The bounding box of what is not white: "width height x y".
ink_box() { convert "$1" -fuzz 3% -trim -format "%w %h %X %Y" info: | tr -d '+'; }

# The graph: one A4 page; the drawing is the graph window's client area scaled by the smaller of
# the page's ratios (2479 x 3508 pixels at 300 dpi).
if [ -f "$out/graph.pdf" ]; then
  [ "$(pages "$out/graph.pdf")" = 1 ] || fail "graph.pdf has $(pages "$out/graph.pdf") pages, expected 1"
  pdftoppm -r 300 -png -singlefile "$out/graph.pdf" graph
  read -r cw ch < "$out/graph.expected"
  read -r W H < <(convert graph.png -format "%w %h" info:)
  read -r gw gh f < <(awk -v cw="$cw" -v ch="$ch" -v W="$W" -v H="$H" 'BEGIN {
    f = H / ch; if (W / cw < f) f = W / cw; printf "%d %d %.6f", f * cw, f * ch, f }')
  note "graph: client ${cw}x${ch}, page ${W}x${H}, drawn ${gw}x${gh} (factor $f)"
  mid_y=$((gh / 2)); mid_x=$((gw / 2))
  dark_near graph.png 1 $mid_y x || fail "graph: no black border at the drawing's left edge"
  dark_near graph.png $((gw - 2)) $mid_y x || fail "graph: no black border at the drawing's right edge"
  left=$(awk -v f="$f" 'BEGIN { printf "%d", 81 * f }')
  bottom=$(awk -v f="$f" -v ch="$ch" 'BEGIN { printf "%d", (ch - 81) * f }')
  # Within 7 of the window's pixels: the axes stand a few pixels off the plot area, with wide pens.
  reach=$(awk -v f="$f" 'BEGIN { printf "%d", 7 * f }')
  dark_near graph.png "$left" $mid_y x "$reach" || fail "graph: no axis line at x = $left (plot area's left)"
  dark_near graph.png $mid_x "$bottom" y "$reach" || fail "graph: no axis line at y = $bottom (plot area's bottom)"
  right=$(awk -v f="$f" -v cw="$cw" 'BEGIN { printf "%d", (cw - 81) * f }')
  top=$(awk -v f="$f" 'BEGIN { printf "%d", 61 * f }')
  reds=$(red_count graph.png $((right - left)) $((bottom - top)) "$left" "$top")
  [ "$reds" -gt 1000 ] || fail "graph: the wave's red shows in $reds pixels of the plot area"
  read -r r g b < <(pixel graph.png $mid_x $((gh + 40)))
  [ "$r $g $b" = "255 255 255" ] || fail "graph: the page below the drawing is $r $g $b, not white"
  note "graph: border, axes at x=$left and y=$bottom, $reds red wave pixels"
else
  fail "graph.pdf was not printed"
fi

# The trace cursor: the wave's value and the line down the plot area on the page printed while it
# was on, neither on the other. The share of the plot area's rows with ink in the line's column
# (5 pixels wide at 300 dpi, the window's x scaled as the graph is).
line_share() {
  local png=$1 x=$2 top=$3 bottom=$4
  convert "$png" -crop "5x$((bottom - top))+$((x - 2))+$top" +repage -colorspace gray -negate \
    -scale "1x$((bottom - top))!" -threshold 10% -format "%[fx:int(100*mean+0.5)]" info:
}
if [ -f "$out/trace-on.pdf" ] && [ -f "$out/trace-off.pdf" ]; then
  { read -r value; read -r lx; read -r cw ch; read -r t b; } < <(tr -d '\r' < "$out/trace.expected")
  pdftotext "$out/trace-on.pdf" - | grep -qF -- "$value" || fail "trace-on.pdf does not show the value '$value'"
  pdftotext "$out/trace-off.pdf" - | grep -qF -- "$value" && fail "trace-off.pdf shows the value '$value'"
  shares=""
  for page in on off; do
    pdftoppm -r 300 -png -singlefile "$out/trace-$page.pdf" "trace-$page"
    read -r W H < <(convert "trace-$page.png" -format "%w %h" info:)
    read -r x top bottom < <(awk -v cw="$cw" -v ch="$ch" -v W="$W" -v H="$H" -v x="$lx" -v t="$t" -v b="$b" 'BEGIN {
      f = H / ch; if (W / cw < f) f = W / cw; printf "%d %d %d", (x + 0.5) * f, t * f + 10, b * f - 10 }')
    shares="$shares $(line_share "trace-$page.png" "$x" "$top" "$bottom")"
  done
  read -r on_share off_share <<<"$shares"
  [ "$on_share" -ge 90 ] || fail "trace-on.pdf: the cursor's line inks $on_share% of the rows at x=$x"
  [ "$off_share" -le 30 ] || fail "trace-off.pdf: $off_share% of the rows at x=$x are inked with the cursor off"
  note "trace: value '$value' and the line (rows inked $on_share% on, $off_share% off) printed only while on"
else
  fail "trace-on.pdf or trace-off.pdf was not printed"
fi

# The grid: three pages, asked from 3 to 1, so the first sheet carries " 3 /  3".
if [ -f "$out/grid.pdf" ]; then
  [ "$(pages "$out/grid.pdf")" = 3 ] || fail "grid.pdf has $(pages "$out/grid.pdf") pages, expected 3"
  for sheet in 1 2 3; do
    text=$(pdftotext -f $sheet -l $sheet -layout "$out/grid.pdf" -)
    expected="$((4 - sheet)) / 3"
    grep -qE -- "(^| )$((4 - sheet)) +/ +3( |\$)" <<<"$text" || fail "grid sheet $sheet has no footer '$expected'"
    grep -qE 'Varnel Version 1\.3\.6\.1   Printing time : [0-9]{2}/[0-9]{2}/[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}' <<<"$text" ||
      fail "grid sheet $sheet has no header"
  done
  pdftotext -f 3 -l 3 -layout "$out/grid.pdf" - | grep -q 'Temperature' || fail "grid: the headings are not on page 1"
  note "grid: $(pages "$out/grid.pdf") pages, footers 3, 2, 1"
else
  fail "grid.pdf was not printed"
fi

# The dialog's picture: as wide as the page unless that makes it higher than the page.
picture_check() {
  local pdf=$1 orientation=$2
  [ -f "$out/$pdf" ] || { fail "$pdf was not printed"; return; }
  # The page as it is shown (a landscape page may be a portrait one turned by /Rotate).
  pdftoppm -r 300 -png -singlefile "$out/$pdf" picture
  read -r W H < <(convert picture.png -format "%w %h" info:)
  if [ "$orientation" = portrait ]; then [ "$W" -lt "$H" ] || fail "$pdf: page $W x $H is not portrait"
  else [ "$W" -gt "$H" ] || fail "$pdf: page $W x $H is not landscape"; fi
  read -r w h < "$out/$pdf.expected"
  read -r ew eh < <(awk -v W="$W" -v H="$H" -v w="$w" -v h="$h" 'BEGIN {
    full = int(h * W / w); if (full > H) printf "%d %d", int(H * w / h), H; else printf "%d %d", W, full }')
  read -r iw ih ix iy < <(ink_box picture.png)
  note "$pdf: page ${W}x${H}, window ${w}x${h}, picture ${iw}x${ih}+${ix}+${iy}, expected ${ew}x${eh}+0+0"
  [ "$ix" -le 3 ] && [ "$iy" -le 3 ] || fail "$pdf: the picture starts at $ix,$iy, not the top left corner"
  [ $((iw - ew)) -le 4 ] && [ $((ew - iw)) -le 6 ] || fail "$pdf: picture $iw wide, expected $ew"
  [ $((ih - eh)) -le 4 ] && [ $((eh - ih)) -le 6 ] || fail "$pdf: picture $ih high, expected $eh"
}
picture_check dialog-portrait.pdf portrait
picture_check dialog-landscape.pdf landscape
picture_check dialog-offscreen.pdf portrait
picture_check sheet.pdf portrait

# Printed by a shell request: the graph of the document on one page.
if [ -f "$out/shell.pdf" ]; then
  [ "$(pages "$out/shell.pdf")" = 1 ] || fail "shell.pdf has $(pages "$out/shell.pdf") pages, expected 1"
  pdftoppm -r 100 -png -singlefile "$out/shell.pdf" shell
  reds=$(convert shell.png -fuzz 25% -fill black +opaque red -format "%[fx:int(mean.r*w*h+0.5)]" info:)
  [ "$reds" -gt 100 ] || fail "shell.pdf: the wave's red shows in $reds pixels"
  note "shell.pdf: one page, $reds red wave pixels"
else
  fail "shell.pdf was not printed"
fi

# Printed to a file: the driver's PostScript, one page.
if [ -f "$out/dialog.prn" ]; then
  head -c 4 "$out/dialog.prn" | grep -q '%!PS' || fail "dialog.prn is not PostScript"
  [ "$(grep -c '^%%Page:' "$out/dialog.prn")" = 1 ] || fail "dialog.prn does not hold one page"
  note "dialog.prn: $(wc -c <"$out/dialog.prn") bytes of PostScript"
else
  fail "dialog.prn was not printed"
fi

[ $failed -eq 0 ] && echo "printed pages checked"
exit $failed
