#include "config/page_setup_units.h"

#include <algorithm>
#include <limits>

namespace {

std::int32_t Clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// numerator / denominator (denominator > 0) to the nearest integer, halves away from zero.
std::int64_t DivideRounded(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t half = denominator / 2;
  return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

// numerator / denominator (denominator > 0), rounded towards minus infinity.
std::int64_t DivideDown(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t quotient = numerator / denominator;
  return quotient * denominator > numerator ? quotient - 1 : quotient;
}

std::int32_t TwipsToDialog(std::int32_t twips, std::int64_t perInch) {
  return RoundToTen(Clamp32(DivideRounded(twips * perInch, kTwipsPerInch)));
}

std::int32_t DialogToTwips(std::int32_t value, std::int64_t perInch) {
  return Clamp32(DivideRounded(std::int64_t{RoundToTen(value)} * kTwipsPerInch, perInch));
}

}  // namespace

std::int32_t UnitsPerInch(std::int32_t units) {
  return units == kUnitsHundredthsMillimetre ? kHundredthsMillimetrePerInch
                                             : kThousandthsInchPerInch;
}

std::int32_t RoundToTen(std::int32_t value) { return Clamp32(DivideRounded(value, 10) * 10); }

TRect MarginsToDialogUnits(const TRect& twips, std::int32_t units) {
  const std::int64_t perInch = UnitsPerInch(units);
  return {TwipsToDialog(twips.left, perInch), TwipsToDialog(twips.top, perInch),
          TwipsToDialog(twips.right, perInch), TwipsToDialog(twips.bottom, perInch)};
}

TRect MarginsToTwips(const TRect& dialog, std::int32_t units) {
  const std::int64_t perInch = UnitsPerInch(units);
  return {DialogToTwips(dialog.left, perInch), DialogToTwips(dialog.top, perInch),
          DialogToTwips(dialog.right, perInch), DialogToTwips(dialog.bottom, perInch)};
}

std::int32_t PaperSizeToTwips(std::int32_t size, std::int32_t units) {
  return Clamp32(DivideDown(std::int64_t{size} * kTwipsPerInch, UnitsPerInch(units)));
}
