#include "graph/plot_settings.h"

#include <atomic>

namespace graph {

namespace {

constexpr TPaletteEntry kPalette[kPaletteSize] = {
    {Rgb(255, 0, 0), Rgb(255, 128, 128)},     {Rgb(64, 176, 176), Rgb(0, 192, 192)},
    {Rgb(255, 255, 0), Rgb(255, 255, 192)},   {Rgb(0, 0, 255), Rgb(0, 192, 255)},
    {Rgb(128, 128, 128), Rgb(192, 192, 192)}, {Rgb(255, 128, 0), Rgb(255, 173, 91)},
    {Rgb(255, 0, 128), Rgb(255, 192, 203)},   {Rgb(75, 0, 130), Rgb(192, 139, 255)},
};

std::atomic<std::uint32_t> g_defaultCount{0};

}  // namespace

const TPaletteEntry& PaletteEntry(int index) {
  int i = index % kPaletteSize;
  return kPalette[i < 0 ? i + kPaletteSize : i];
}

const char16_t* LineTypeName(std::int32_t lineType) {
  static constexpr const char16_t* kNames[] = {
      u"No Line",       u"Lines between points", u"Horizontal lines", u"Bars",
      u"Lines to zero", u"City scape",           u"City shadow"};
  return lineType >= 0 && lineType <= kCityShadow ? kNames[lineType] : u"";
}

TPlotSettings::TPlotSettings() {
  std::uint32_t n = g_defaultCount.fetch_add(1, std::memory_order_relaxed);
  Initialise(static_cast<int>(n % kPaletteSize));
}

void TPlotSettings::Initialise(int index) {
  const TPaletteEntry& entry = PaletteEntry(index);
  LineType = kLines;
  LineWidth = 1;
  LineColor = entry.line;
  FillColor = entry.fill;
  MarkerShape = cSquareMarker;
  MarkerSize = 2;
  MarkerColor = LineColor;
  Hide = false;
}

bool TPlotSettings::operator==(const TPlotSettings& o) const {
  return LineType == o.LineType && LineWidth == o.LineWidth && LineColor == o.LineColor &&
         FillColor == o.FillColor && MarkerShape == o.MarkerShape && MarkerSize == o.MarkerSize &&
         MarkerColor == o.MarkerColor && Hide == o.Hide && YAxisId == o.YAxisId &&
         XAxisId == o.XAxisId && Name == o.Name;
}

std::uint32_t TPlotSettings::DefaultCount() {
  return g_defaultCount.load(std::memory_order_relaxed);
}

void TPlotSettings::SetDefaultCountForTesting(std::uint32_t count) {
  g_defaultCount.store(count, std::memory_order_relaxed);
}

}  // namespace graph
