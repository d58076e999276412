// One item of the graph's legend: the wave's look drawn as a short sample, its axis locations and
// its name.
#pragma once

#include "graph/canvas.h"
#include "graph/plot_settings.h"
#include "text/tstring.h"

namespace graph {

inline constexpr std::int32_t kLegendItemHeight = 18;
inline constexpr std::int32_t kLegendFontTenths = 91;

// The location prefix: "◄?►" without a Y axis, "▲?▼" without an X axis, then the symbols of the
// bound axes (left, bottom, top, right).
void LegendPrefix(const TPlotSettings& record, TString& prefix);

void DrawLegendItem(TCanvas& dc, const TRect& item, bool selected, const TPlotSettings& record);

}  // namespace graph
