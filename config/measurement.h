// Measurements of the program's own page set-up dialog: margins kept in twips (1440 per inch),
// shown and typed in one of seven units. A value is shown with at most two decimals followed by
// the unit's name; a typed value may name any of the seven units, and without one it is taken in
// the dialog's unit.
#pragma once

#include <array>
#include <cstdint>

#include "text/tstring.h"

struct TMeasurementUnit {
  int nameId;  // resource text of the unit's name
  std::int32_t twipsPerUnit;
  bool spaceBeforeName;  // "2 cm", but 2"
};

// In the order of the dialog's unit index: 0 the inch mark, 1 cm, 2 pt, 3 pi, 4 in, 5 inch,
// 6 inches.
extern const std::array<TMeasurementUnit, 7> kMeasurementUnits;

// Margins outside -31680 ... 31680 twips (22 inches) are refused.
inline constexpr std::int32_t kMeasurementLimit = 31680;

// The unit shown for the configuration's Units value: that index when it is one of the table's,
// else the inch mark.
int MeasurementUnitIndex(std::int32_t units);

// The twips in the unit: the value to two decimals (the second rounded half up), trailing zero
// decimals dropped, the decimal separator of the locale, then the unit's name in the language.
TString FormatMeasurement(std::int32_t twips, int unitIndex, int language);

enum class TMeasurementRead {
  Empty,    // nothing typed: the value stays as it was
  Valid,    // twips holds the value
  Invalid,  // not a measurement
};

// Reads a typed measurement: a decimal number (single precision), spaces, and optionally one of
// the table's unit names in any case; without a name the dialog's unit applies. The result is
// rounded half away from zero to whole twips. Spaces before and after are allowed.
TMeasurementRead ReadMeasurement(const TString& text, int unitIndex, int language,
                                 std::int32_t& twips);

inline bool MeasurementInRange(std::int32_t twips) {
  return twips >= -kMeasurementLimit && twips <= kMeasurementLimit;
}
