#include "graph/graph_settings.h"

namespace graph {

TGraphSettings::TGraphSettings() {
  Axes.emplace(1, TAxisSettings(1, kLeft));
  Axes.emplace(2, TAxisSettings(2, kBottom));
}

void TGraphSettings::Reset() {
  Margin = kDefaultMargin;
  Space = 3;
  Background = Rgb(0, 0, 0);
  PrintBackground = Rgb(255, 255, 255);
}

void TGraphSettings::ResetAxisFormats() {
  for (auto& [id, axis] : Axes) axis.ResetFormat();
}

void TGraphSettings::RenumberPlots() {
  int index = 0;
  for (auto& [name, plot] : Plots) plot.Initialise(index++);
}

TAxisCounts TGraphSettings::CountAxes() {
  TAxisCounts counts;
  for (auto& [id, axis] : Axes) {
    switch (axis.Location) {
      case kLeft:
        ++counts.left;
        break;
      case kTop:
        ++counts.top;
        break;
      case kRight:
        ++counts.right;
        break;
      default:
        axis.Location = kBottom;
        ++counts.bottom;
        break;
    }
  }
  return counts;
}

std::int32_t TGraphSettings::SmallestFreeAxisId() const {
  std::int32_t id = 1;
  while (Axes.count(id)) ++id;
  return id;
}

void TGraphSettings::EnsureAxes() {
  TAxisCounts counts = CountAxes();
  if (counts.left == 0 && counts.right == 0) {
    std::int32_t id = SmallestFreeAxisId();
    Axes.emplace(id, TAxisSettings(id, kLeft));
  }
  if (counts.top == 0 && counts.bottom == 0) {
    std::int32_t id = SmallestFreeAxisId();
    Axes.emplace(id, TAxisSettings(id, kBottom));
  }
}

bool TGraphSettings::operator==(const TGraphSettings& other) const {
  return Margin == other.Margin && Space == other.Space && Axes == other.Axes &&
         Plots == other.Plots && Background == other.Background &&
         PrintBackground == other.PrintBackground;
}

}  // namespace graph
