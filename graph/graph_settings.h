// The look of one document's graph: margins, backgrounds, and the settings of its axes (by id)
// and of its waves (by name). Element "GraphSettings".
#pragma once

#include <cstdint>
#include <map>

#include "graph/axis.h"
#include "graph/plot_settings.h"
#include "platform/rect.h"
#include "text/tstring.h"

namespace graph {

using TPlotSettingsMap = std::map<TString, TPlotSettings>;

struct TAxisCounts {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

class TGraphSettings {
 public:
  static constexpr TRect kDefaultMargin{80, 80, 80, 80};
  static constexpr TRect kDrawnMargin{81, 61, 81, 81};

  // A left numeric axis 1 and a bottom time axis 2.
  TGraphSettings();
  virtual ~TGraphSettings() = default;
  TGraphSettings(const TGraphSettings&) = default;
  TGraphSettings& operator=(const TGraphSettings&) = default;

  // Margins, space and backgrounds back to their defaults; the maps stay.
  void Reset();
  void ResetAxisFormats();
  // Each wave's look from its position in the map as palette index.
  void RenumberPlots();
  // Unknown locations are made bottom axes on the way.
  TAxisCounts CountAxes();
  // Adds a left axis when there is no vertical one and a bottom axis when there is no
  // horizontal one, each with the smallest free id from 1.
  void EnsureAxes();
  std::int32_t SmallestFreeAxisId() const;

  bool operator==(const TGraphSettings& other) const;

  TRect Margin = kDefaultMargin;
  std::int32_t Space = 3;
  TAxisSettingsMap Axes;
  TPlotSettingsMap Plots;
  TColor Background = Rgb(0, 0, 0);
  TColor PrintBackground = Rgb(255, 255, 255);
};

}  // namespace graph
