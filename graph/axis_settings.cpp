#include "graph/axis_settings.h"

#include <utility>

#include "text/numbers.h"

namespace graph {

TAxisSettings::TAxisSettings(std::int32_t id, std::int32_t location)
    : Id(id), Location(location), Format(kNumericFormat) {
  NumberText digits;
  FormatNumber(id, 0, digits);
  Name = u"Axis_";
  Name.Append(digits);
  Format = (location == kTop || location == kBottom) ? kTimeFormat : kNumericFormat;
}

void TAxisSettings::ResetFormat() {
  switch (Location) {
    case kLeft:
      Format = kNumericFormat;
      GridType = 1;
      break;
    case kTop:
      Format = kTimeFormat;
      GridType = 0;
      break;
    case kRight:
      Format = kNumericFormat;
      GridType = 0;
      break;
    default:
      Location = kBottom;
      Format = kTimeFormat;
      GridType = 1;
      break;
  }
}

bool TAxisSettings::operator==(const TAxisSettings& o) const {
  return Id == o.Id && Name == o.Name && Location == o.Location && Format == o.Format &&
         Hide == o.Hide && Background == o.Background && PrintBackground == o.PrintBackground &&
         PenSize == o.PenSize && PenColor == o.PenColor && PenPrintColor == o.PenPrintColor &&
         GridPenSize == o.GridPenSize && GridPenColor == o.GridPenColor &&
         GridPenPrintColor == o.GridPenPrintColor && FontName == o.FontName &&
         PowerFontName == o.PowerFontName && FontSize == o.FontSize &&
         PowerFontSize == o.PowerFontSize && FontColor == o.FontColor &&
         FontPrintColor == o.FontPrintColor && Width == o.Width && Height == o.Height &&
         AutoScale == o.AutoScale && MinValue == o.MinValue && MaxValue == o.MaxValue &&
         Exponent == o.Exponent && ManualTicks == o.ManualTicks &&
         FirstMajorTick == o.FirstMajorTick && FirstMinorTick == o.FirstMinorTick &&
         FirstMicroTick == o.FirstMicroTick && MajorTickGap == o.MajorTickGap &&
         MinorTickGap == o.MinorTickGap && MicroTickGap == o.MicroTickGap &&
         MajorTickSize == o.MajorTickSize && MinorTickSize == o.MinorTickSize &&
         MicroTickSize == o.MicroTickSize && Decimals == o.Decimals && GridType == o.GridType;
}

void NormaliseRange(std::int32_t format, double& min, double& max) {
  if (min != max) {
    if (max < min) std::swap(min, max);
    return;
  }
  double v = min;
  if (format != kNumericFormat) {
    min = v - 1000;
    max = v + 1000;
  } else if (v != 0) {
    min = 0.5 * v;
    max = 1.5 * v;
    if (max < min) std::swap(min, max);  // negative values
  } else {
    min = -1;
    max = 1;
  }
}

}  // namespace graph
