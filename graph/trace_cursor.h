// The trace cursor of a drawn graph: a vertical line at one moment of a time axis, each shown
// wave's value at that moment beside it in the wave's colour, and the moment on the time axis.
// Built from the graph's last drawing, laid out so that no label covers another, and drawn through
// the canvas: on the screen over the kept picture, and into a copy or a print page.
#pragma once

#include <cstdint>
#include <vector>

#include "graph/canvas.h"
#include "graph/graph.h"
#include "text/tstring.h"

namespace graph {

struct TTraceCursor {
  double time = 0;           // on the time axis below
  std::int32_t axisId = -1;  // the horizontal axis the time is on
};

// The time axis a cursor goes along: the shown horizontal axis `id` when there is one, else the
// first shown bottom axis, else the first shown top axis (id order); null when none is shown.
TAxis* TraceAxis(const TGraph& graph, std::int32_t id);
// The cursor on the time axis at the pixel column x, kept within the axis's line.
bool TraceCursorAt(const TGraph& graph, std::int32_t x, TTraceCursor& cursor);

// The shown plot whose value at the cursor is drawn nearest to the pixel row y (the first in name
// order on ties); null when no plot has a value there.
const TPlot* NearestTracedPlot(const TGraph& graph, const TTraceCursor& cursor, std::int32_t y);
// Moves the cursor to the plot's next (direction > 0) or previous point with a value, onto the
// plot's time axis. False (the cursor left alone) when there is none within the axis's range.
bool StepTraceCursor(const TGraph& graph, const TPlot& plot, std::int32_t direction,
                     TTraceCursor& cursor);

// One text of the cursor in its framed box.
struct TTraceLabel {
  TString text;
  TColor color = 0;         // of the text and the frame
  std::int32_t anchor = 0;  // the pixel row the label belongs to (the value's)
  TSize size;               // of the text
  TRect box;                // set by the layout
};
// Between a label's frame and its text, and between the line and the labels.
inline constexpr std::int32_t kTraceLabelPad = 3;
inline constexpr std::int32_t kTraceLabelGap = 4;

// Puts the labels beside the line at x: on its right when the widest fits before the area's right
// edge, else on its left; each centred on its anchor as far as the area and the others allow,
// none covering another, in the order of their anchors.
void LayoutTraceLabels(std::int32_t x, const TRect& area, std::vector<TTraceLabel>& labels);
// The time's box on a horizontal axis's band: centred on x and kept within the band, at the
// band's top for an axis below the plots, at its bottom for one above them.
TRect TimeLabelBox(std::int32_t x, TSize size, const TRect& band, bool below);

struct TTracePicture {
  bool shown = false;  // false: the cursor is outside its axis's range, or there is no axis
  TRect line;
  TColor lineColor = 0;
  TColor background = 0;
  TFontSpec font;
  std::vector<TTraceLabel> labels;  // the waves' values
  TTraceLabel time;
  // Every rectangle the picture sets pixels in.
  std::vector<TRect> Covered() const;
};

// The picture of the cursor over the graph's last drawing on `dc` (which measures the texts;
// a printer takes the print colours).
void BuildTracePicture(const TGraph& graph, const TTraceCursor& cursor, TCanvas& dc,
                       TTracePicture& picture);
void DrawTracePicture(TCanvas& dc, const TTracePicture& picture);

}  // namespace graph
