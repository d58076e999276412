// The persisted look and scale of one axis (element "AxisSetting").
#pragma once

#include <cstdint>
#include <limits>

#include "graph/canvas.h"
#include "text/tstring.h"

namespace graph {

enum TAxisLocation : std::int32_t { kLeft = 1, kTop = 2, kRight = 3, kBottom = 4 };
enum TAxisFormat : std::int32_t { kTimeFormat = 1, kNumericFormat = 2, kDurationFormat = 3 };

class TAxisSettings {
 public:
  static constexpr double kLowest = std::numeric_limits<double>::lowest();
  static constexpr double kHighest = std::numeric_limits<double>::max();

  // The defaults of a new axis with this id at this location.
  TAxisSettings(std::int32_t id, std::int32_t location);
  virtual ~TAxisSettings() = default;
  TAxisSettings(const TAxisSettings&) = default;
  TAxisSettings& operator=(const TAxisSettings&) = default;

  // Format and GridType follow the location; an unknown location becomes bottom.
  void ResetFormat();

  // Every persisted field equal; the limits are not compared.
  bool operator==(const TAxisSettings& other) const;

  std::int32_t Id;
  TString Name;
  std::int32_t Location;
  std::int32_t Format;
  bool Hide = false;
  TColor Background = Rgb(0, 0, 0);
  TColor PrintBackground = Rgb(255, 255, 255);
  std::int32_t PenSize = 1;
  TColor PenColor = Rgb(255, 255, 255);
  TColor PenPrintColor = Rgb(0, 0, 0);
  std::int32_t GridPenSize = 1;
  TColor GridPenColor = Rgb(128, 128, 128);
  TColor GridPenPrintColor = Rgb(128, 128, 128);
  TString FontName = u"Arial";
  TString PowerFontName = u"Courier New";
  std::int32_t FontSize = 8;
  std::int32_t PowerFontSize = 7;
  TColor FontColor = Rgb(255, 255, 255);
  TColor FontPrintColor = Rgb(0, 0, 0);
  std::int32_t Width = 80;
  std::int32_t Height = 80;
  bool AutoScale = true;
  double LowerLimit = kLowest;   // not persisted
  double UpperLimit = kHighest;  // not persisted
  double MinValue = 0;
  double MaxValue = 0;
  double Exponent = 0;
  bool ManualTicks = false;
  double FirstMajorTick = 0;
  double FirstMinorTick = 0;
  double FirstMicroTick = 0;
  double MajorTickGap = 0;
  double MinorTickGap = 0;
  double MicroTickGap = 0;
  std::int32_t MajorTickSize = 5;
  std::int32_t MinorTickSize = 3;
  std::int32_t MicroTickSize = 1;
  std::int32_t Decimals = 2;
  std::int32_t GridType = 1;  // 0 none, 1 at major ticks, 2 at major and minor ticks
};

// Range normalisation: swaps a reversed pair; widens an equal pair by one second on time and
// duration axes, to 0.5 v .. 1.5 v on numeric axes (-1 .. 1 around 0).
void NormaliseRange(std::int32_t format, double& min, double& max);

}  // namespace graph
