#include "config/measurement.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/locale.h"
#include "strings/resource_text.h"
#include "strings/string_ids.h"
#include "text/numbers.h"

const std::array<TMeasurementUnit, 7> kMeasurementUnits = {{
    {IDS_UNIT_INCH_MARK, 1440, false},
    {IDS_UNIT_CM, 568, true},
    {IDS_UNIT_PT, 20, true},
    {IDS_UNIT_PI, 240, true},
    {IDS_UNIT_IN, 1440, false},
    {IDS_UNIT_INCH, 1440, false},
    {IDS_UNIT_INCHES, 1440, false},
}};

namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

// Whether text[from, to) is the name, compared without regard to case.
bool SameName(const char16_t* text, std::uint32_t from, std::uint32_t to, const char16_t* name) {
  std::uint32_t i = from;
  for (; i < to && *name; ++i, ++name) {
    if (Lower(text[i]) != Lower(*name)) return false;
  }
  return i == to && *name == 0;
}

}  // namespace

int MeasurementUnitIndex(std::int32_t units) {
  return units >= 0 && units < static_cast<std::int32_t>(kMeasurementUnits.size()) ? units : 0;
}

TString FormatMeasurement(std::int32_t twips, int unitIndex, int language) {
  const TMeasurementUnit& unit =
      kMeasurementUnits[static_cast<std::size_t>(MeasurementUnitIndex(unitIndex))];
  const std::int64_t perUnit = unit.twipsPerUnit;
  // Hundredths of a unit, the second decimal rounded half up; the carries come with the sum.
  const std::int64_t hundredths = (std::llabs(twips) * 100 + perUnit / 2) / perUnit;
  const int decimals = hundredths % 100 == 0 ? 0 : hundredths % 10 == 0 ? 1 : 2;
  NumberText digits;
  FormatFixed(static_cast<double>(twips) / static_cast<double>(perUnit), decimals, digits);
  TString text(digits);
  if (unit.spaceBeforeName) text.Append(u' ');
  text.Append(RString(unit.nameId, language));
  return text;
}

TMeasurementRead ReadMeasurement(const TString& text, int unitIndex, int language,
                                 std::int32_t& twips) {
  const char16_t* s = text.Str();
  std::uint32_t at = 0;
  const std::uint32_t length = text.Length();
  while (at < length && IsSpace(s[at])) ++at;
  if (at == length) return TMeasurementRead::Empty;

  // The number: a sign, digits, and a fraction after "." or the locale's separator.
  const char16_t point = platform::DecimalPoint();
  bool negative = false;
  if (s[at] == u'+' || s[at] == u'-') negative = s[at++] == u'-';
  double value = 0;
  int digitCount = 0;
  for (; at < length && s[at] >= u'0' && s[at] <= u'9'; ++at, ++digitCount) {
    value = value * 10 + (s[at] - u'0');
  }
  if (at < length && (s[at] == u'.' || s[at] == point)) {
    double scale = 0.1;
    for (++at; at < length && s[at] >= u'0' && s[at] <= u'9'; ++at, ++digitCount, scale /= 10) {
      value += (s[at] - u'0') * scale;
    }
  }
  if (digitCount == 0) return TMeasurementRead::Invalid;
  const float number = static_cast<float>(negative ? -value : value);
  if (!std::isfinite(number)) return TMeasurementRead::Invalid;

  while (at < length && IsSpace(s[at])) ++at;
  std::uint32_t end = length;
  while (end > at && IsSpace(s[end - 1])) --end;
  std::int32_t perUnit =
      kMeasurementUnits[static_cast<std::size_t>(MeasurementUnitIndex(unitIndex))].twipsPerUnit;
  if (at < end) {
    const TMeasurementUnit* named = nullptr;
    for (const TMeasurementUnit& unit : kMeasurementUnits) {
      if (SameName(s, at, end, RString(unit.nameId, language))) {
        named = &unit;
        break;
      }
    }
    if (!named) return TMeasurementRead::Invalid;
    perUnit = named->twipsPerUnit;
  }
  const double product = std::round(static_cast<double>(number) * perUnit);  // halves away from 0
  if (product > std::numeric_limits<std::int32_t>::max() ||
      product < std::numeric_limits<std::int32_t>::min()) {
    // Far outside any page: still a measurement, refused by the range check.
    twips = product > 0 ? std::numeric_limits<std::int32_t>::max()
                        : std::numeric_limits<std::int32_t>::min();
    return TMeasurementRead::Valid;
  }
  twips = static_cast<std::int32_t>(product);
  return TMeasurementRead::Valid;
}
