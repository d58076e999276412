// The part of a time axis a wave does not cover although its server holds values there (a read
// stopped at its limit): hatched, with a short label, so that a line that stops is not taken for
// an item that stopped recording.
#pragma once

#include <cstdint>

#include "graph/canvas.h"

namespace graph {

// Hatches `frame` from x = fromX to its right edge with thin diagonal lines anchored to the
// canvas's origin (bands drawn twice leave the same pixels) and puts `label` at its top left on
// the background colour. Nothing when fromX lies at or beyond the right edge.
void DrawCutBand(TCanvas& dc, const TRect& frame, std::int32_t fromX, const TFontSpec& font,
                 TColor background, const char16_t* label);

}  // namespace graph
