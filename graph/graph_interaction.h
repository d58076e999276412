// What the pointer does to a drawn graph, without a window: the readouts, the axes a selection
// or a pan acts on, the zoom commands, where a double click leads, and where a marked point
// sits. All pixel positions are those of the graph's last drawing.
#pragma once

#include <array>
#include <cstdint>

#include "graph/graph.h"
#include "graph/selection_rect.h"
#include "strings/string_ids.h"

namespace graph {

// The axes a selection acts on, one per side (each may be none).
struct TSideAxes {
  TAxis* left = nullptr;
  TAxis* top = nullptr;
  TAxis* right = nullptr;
  TAxis* bottom = nullptr;
};

// The best axis of one side for a rectangle: the only axis of the side; otherwise, among the
// shown axes whose band covers the rectangle along the axis with 5 pixels to spare, the one
// whose band centre is nearest to the rectangle's centre (the first in id order on ties); none
// when no band covers it.
TAxis* BestAxis(const TAxisMap& side, bool horizontal, const TRect& rect);
TSideAxes BestAxes(const TGraph& graph, const TRect& rect);

// The six zoom commands of the selection's pop-up menu, in menu order.
enum TZoomCommand : std::int32_t {
  kZoomExpand = 11300,
  kZoomExpandHorizontal = 11301,
  kZoomExpandVertical = 11302,
  kZoomShrink = 11303,
  kZoomShrinkHorizontal = 11304,
  kZoomShrinkVertical = 11305,
};
inline constexpr std::int32_t kZoomCommandCount = 6;

struct TZoomMenuItem {
  TZoomCommand command;
  std::int32_t textId;  // resource text of the item
};
inline constexpr std::array<TZoomMenuItem, kZoomCommandCount> kZoomMenu = {{
    {kZoomExpand, IDS_ZOOM_EXPAND},
    {kZoomExpandHorizontal, IDS_ZOOM_EXPAND_HORIZONTAL},
    {kZoomExpandVertical, IDS_ZOOM_EXPAND_VERTICAL},
    {kZoomShrink, IDS_ZOOM_SHRINK},
    {kZoomShrinkHorizontal, IDS_ZOOM_SHRINK_HORIZONTAL},
    {kZoomShrinkVertical, IDS_ZOOM_SHRINK_VERTICAL},
}};

// Whether the pop-up offers the command: the both-ways commands need a horizontal and a vertical
// axis, the others an axis of their direction.
bool ZoomCommandOffered(TZoomCommand command, const TSideAxes& axes);
// Expands or shrinks the axes the command names to the rectangle. False (nothing done) for an
// unknown command or a rectangle without width or height.
bool ApplyZoomCommand(std::int32_t command, const TSideAxes& axes, const TRect& rect);

// Ctrl-drag panning: the rectangle a pan starts with (the plot area, its top and bottom taken
// from the band of the left axis, else the right one, its left and right from the band of the
// bottom axis, else the top one), and the pan of a drag from `saved` to `moved`.
TRect PanStartRect(const TRect& plotArea, const TSideAxes& axes);
void ApplyPan(const TSideAxes& axes, const TRect& saved, const TRect& moved);

// The readout of the axes under the pointer: each shown left axis at y, top at x, right at y,
// bottom at x, in that order and each side in id order. Replaces the text.
void AxisReadout(const TGraph& graph, std::int32_t x, std::int32_t y, TString& text);

struct TNearestPoint {
  const TPlot* plot = nullptr;  // none found
  std::uint32_t index = 0;
  TPoint pixel;
};
// The point of a drawn plot (not hidden, both axes, lists of equal length) nearest to (x, y) at
// a distance below kNearPixels; a later point wins only when strictly nearer.
TNearestPoint NearestPoint(const TGraph& graph, std::int32_t x, std::int32_t y);
// "name [index] " and the axis texts of the point's values: Y first on a plot of a left axis,
// X first otherwise. Replaces the text.
void PointReadout(const TPlot& plot, std::uint32_t index, TString& text);

// Where a double click leads: nowhere, the settings' general page (inside the plot area), or the
// page of the first shown axis whose band holds the point (left, top, right, bottom, id order).
struct TSettingsTarget {
  bool open = false;
  std::int32_t axisId = -1;  // -1: the general page
};
TSettingsTarget DoubleClickTarget(const TGraph& graph, std::int32_t x, std::int32_t y);

// Where point `index` of the wave's plot is marked: its pixel clamped into the plot area. False
// when the plot, the index or an axis is missing, or when the clamped x is 0.
bool MarkedPoint(const TGraph& graph, const TString& waveName, std::int64_t index, TPoint& centre);
// The 7 x 7 pixels inverted around a marked point.
TRect PointMarkerRect(TPoint centre);

}  // namespace graph
