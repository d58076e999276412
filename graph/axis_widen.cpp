// Automatic ranges widened to the plots' bounds. Apart from the axis, because only this needs the
// plot's definition: the plot, which maps through its axes, includes the axis, not the reverse.
#include <algorithm>

#include "graph/axis.h"
#include "graph/plot.h"

namespace graph {

void TVerticalAxis::WidenToPlot(const TPlot& plot) {
  min_ = std::max(std::min(min_, plot.YLower()), lowerLimit_);
  max_ = std::min(std::max(max_, plot.YUpper()), upperLimit_);
}

void THorizontalAxis::WidenToPlot(const TPlot& plot) {
  min_ = std::max(std::min(min_, plot.XLower()), lowerLimit_);
  max_ = std::min(std::max(max_, plot.XUpper()), upperLimit_);
}

}  // namespace graph
