// Conversions between the configuration's printing values, kept in twips (1/1440 inch), and the
// unit of the page set-up dialog: hundredths of a millimetre or thousandths of an inch.
#pragma once

#include <cstdint>

#include "platform/rect.h"

inline constexpr std::int32_t kTwipsPerInch = 1440;
inline constexpr std::int32_t kHundredthsMillimetrePerInch = 2540;
inline constexpr std::int32_t kThousandthsInchPerInch = 1000;
inline constexpr std::int32_t kUnitsHundredthsMillimetre = 1;  // the configuration's Units value

// 2540 when Units is 1 (hundredths of a millimetre), 1000 for any other value.
std::int32_t UnitsPerInch(std::int32_t units);

// To a multiple of 10, halves away from zero.
std::int32_t RoundToTen(std::int32_t value);

// Margins from twips to the dialog's unit: rounded to the nearest unit, then to a multiple of 10.
TRect MarginsToDialogUnits(const TRect& twips, std::int32_t units);
// Margins from the dialog's unit to twips: to a multiple of 10 again, then to the nearest twip.
TRect MarginsToTwips(const TRect& dialog, std::int32_t units);
// A paper width or height from the dialog's unit to twips, rounded down.
std::int32_t PaperSizeToTwips(std::int32_t size, std::int32_t units);
