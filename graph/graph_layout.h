// Where the plot area and the axis bands of a graph go, and which axes carry an arrow.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "graph/axis.h"
#include "platform/rect.h"

namespace graph {

using TAxisMap = std::map<std::int32_t, std::unique_ptr<TAxis>>;

struct TAxisSlot {
  TAxis* axis = nullptr;
  TRect band;
  bool arrow = false;
};

inline constexpr std::int32_t kVerticalBand = 80;
inline constexpr std::int32_t kHorizontalBand = 60;

// The plot area of a drawing rectangle of w x h pixels starting at 0, 0. Too small a rectangle
// gets a small area in its middle instead of an inverted one.
TRect PlotArea(std::int32_t w, std::int32_t h);

bool AnyVisible(const TAxisMap& axes);

// Bands of the visible left and right axes, in drawing order.
void LayoutVertical(const TAxisMap& left, const TAxisMap& right, bool topVisible, const TRect& plot,
                    std::vector<TAxisSlot>& slots);
// Bands of the visible bottom and top axes, in drawing order.
void LayoutHorizontal(const TAxisMap& bottom, const TAxisMap& top, bool rightVisible,
                      const TRect& plot, std::vector<TAxisSlot>& slots);

}  // namespace graph
