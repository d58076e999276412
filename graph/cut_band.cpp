#include "graph/cut_band.h"

#include <algorithm>
#include <vector>

namespace graph {

namespace {

constexpr std::int32_t kHatchGap = 8;
constexpr TColor kHatchColor = Rgb(150, 150, 150);

}  // namespace

void DrawCutBand(TCanvas& dc, const TRect& frame, std::int32_t fromX, const TFontSpec& font,
                 TColor background, const char16_t* label) {
  const TRect band{std::max(fromX, frame.left), frame.top, frame.right, frame.bottom};
  if (band.left >= band.right || band.top >= band.bottom) return;
  TCanvasStateGuard state(dc);
  dc.IntersectClip(band);
  // A cosmetic pen: Wine draws long diagonals of a geometric one very slowly (seconds for a band).
  TPenSpec pen;
  pen.cosmetic = true;
  pen.color = kHatchColor;
  dc.SetPen(pen);
  // Lines x + y = c for every c on the gap's grid that crosses the band.
  std::vector<TPoint> points;
  std::vector<std::uint32_t> counts;
  const std::int32_t height = band.bottom - band.top;
  std::int32_t c = band.left + band.top;
  c -= ((c % kHatchGap) + kHatchGap) % kHatchGap;
  for (; c <= band.right + band.bottom; c += kHatchGap) {
    points.push_back({c - band.top + 1, band.top - 1});
    points.push_back({c - band.top - height - 1, band.bottom + 1});
    counts.push_back(2);
  }
  if (!counts.empty()) {
    dc.PolyPolyline(points.data(), counts.data(), static_cast<std::uint32_t>(counts.size()));
  }
  if (label && *label) {
    std::uint32_t length = 0;
    while (label[length]) ++length;
    dc.SetFont(font);
    const TSize extent = dc.TextExtent(label, length);
    dc.FillRect({band.left + 1, band.top + 1, band.left + extent.cx + 5, band.top + extent.cy + 5},
                background);
    dc.SetTransparentBackground(true);
    dc.SetTextAlign(THAlign::Left, TVAlign::Top);
    dc.PutText(band.left + 3, band.top + 3, label, length);
  }
}

}  // namespace graph
