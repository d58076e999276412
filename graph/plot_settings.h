// The look of one wave and the ids of its two axes (element "PlotSetting").
#pragma once

#include <cstdint>

#include "graph/canvas.h"
#include "text/tstring.h"

namespace graph {

enum TLineType : std::int32_t {
  kNoLine = 0,
  kLines = 1,
  kHorizontalLines = 2,
  kBars = 3,
  kLinesToZero = 4,
  kCityScape = 5,
  kCityShadow = 6,
};

enum TMarkerShape : std::int32_t {
  cNoMarker = 0,
  cStarMarker = 1,
  cPlusMarker = 2,
  cCrossMarker = 3,
  cSquareMarker = 4,
  cSquareFilledMarker = 5,
  cCircleMarker = 6,
  cCircleFilledMarker = 7,
  cUpTriangleMarker = 8,
  cUpTriangleFilledMarker = 9,
  cDownTriangleMarker = 10,
  cDownTriangleFilledMarker = 11,
};

struct TPaletteEntry {
  TColor line;
  TColor fill;
};
inline constexpr int kPaletteSize = 8;
const TPaletteEntry& PaletteEntry(int index);  // index taken modulo the palette size

// The settings-page names of the line types; empty for a type outside 0..6.
const char16_t* LineTypeName(std::int32_t lineType);

class TPlotSettings {
 public:
  // The default look with the next palette entry of the process-wide sequence.
  TPlotSettings();
  virtual ~TPlotSettings() = default;
  TPlotSettings(const TPlotSettings&) = default;  // copies do not advance the sequence
  TPlotSettings& operator=(const TPlotSettings&) = default;

  // The default look with palette entry index mod 8; axis ids and name are left alone.
  void Initialise(int index);

  // Persisted fields equal; the two locations are not compared.
  bool operator==(const TPlotSettings& other) const;

  // The sequence of default palette entries: how many records were default-constructed.
  static std::uint32_t DefaultCount();
  static void SetDefaultCountForTesting(std::uint32_t count);

  std::int32_t LineType = kLines;
  std::int32_t LineWidth = 1;
  TColor LineColor = 0;
  TColor FillColor = 0;
  std::int32_t MarkerShape = cSquareMarker;
  std::int32_t MarkerSize = 2;
  TColor MarkerColor = 0;
  bool Hide = false;
  std::int32_t YAxisId = -1;
  std::int32_t XAxisId = -1;
  TString Name;
  std::int32_t XLocation = -1;  // not persisted: location of the bound X axis, -1 unbound
  std::int32_t YLocation = -1;  // likewise for the Y axis
};

}  // namespace graph
