#include "tools/hdasim/core/relative_time.h"

#include <cwctype>
#include <string>

namespace hdasim {
namespace {

enum class Unit { kSecond, kMinute, kHour, kDay, kWeek, kMonth, kYear };

struct Keyword {
  std::wstring_view text;
  bool is_now;
  Unit unit;
};

// Longer spellings first, so that "MONTH" is not read as "MO" followed by garbage.
constexpr Keyword kKeywords[] = {
    {L"NOW", true, Unit::kSecond},     {L"SECOND", false, Unit::kSecond},
    {L"MINUTE", false, Unit::kMinute}, {L"HOUR", false, Unit::kHour},
    {L"DAY", false, Unit::kDay},       {L"WEEK", false, Unit::kWeek},
    {L"MONTH", false, Unit::kMonth},   {L"MO", false, Unit::kMonth},
    {L"YEAR", false, Unit::kYear},
};

std::wstring Normalise(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    if (std::iswspace(static_cast<wint_t>(c))) continue;
    out.push_back(c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c);
  }
  return out;
}

Ticks StartOf(Unit unit, Ticks now) {
  switch (unit) {
    case Unit::kSecond:
      return FloorDiv(now, kTicksPerSecond) * kTicksPerSecond;
    case Unit::kMinute:
      return FloorDiv(now, kTicksPerMinute) * kTicksPerMinute;
    case Unit::kHour:
      return FloorDiv(now, kTicksPerHour) * kTicksPerHour;
    case Unit::kDay:
      return FloorDiv(now, kTicksPerDay) * kTicksPerDay;
    case Unit::kWeek: {
      // 1601-01-01 was a Monday, so whole weeks since then start on Mondays.
      return FloorDiv(now, kTicksPerWeek) * kTicksPerWeek;
    }
    case Unit::kMonth: {
      CivilDate date = CivilFromDays(FloorDiv(now, kTicksPerDay));
      date.day = 1;
      return DaysFromCivil(date) * kTicksPerDay;
    }
    case Unit::kYear: {
      CivilDate date = CivilFromDays(FloorDiv(now, kTicksPerDay));
      date.day = 1;
      date.month = 1;
      return DaysFromCivil(date) * kTicksPerDay;
    }
  }
  return now;
}

bool Add(Ticks time, std::int64_t amount, Unit unit, Ticks* result) {
  Ticks scale = 0;
  switch (unit) {
    case Unit::kSecond:
      scale = kTicksPerSecond;
      break;
    case Unit::kMinute:
      scale = kTicksPerMinute;
      break;
    case Unit::kHour:
      scale = kTicksPerHour;
      break;
    case Unit::kDay:
      scale = kTicksPerDay;
      break;
    case Unit::kWeek:
      scale = kTicksPerWeek;
      break;
    case Unit::kMonth:
      return AddMonths(time, amount, result);
    case Unit::kYear:
      if (amount > 100000 || amount < -100000) return false;
      return AddMonths(time, amount * 12, result);
  }
  if (amount > kMaxTicks / scale || amount < -kMaxTicks / scale) return false;
  const Ticks sum = time + amount * scale;
  if (sum < 0 || sum > kMaxTicks) return false;
  *result = sum;
  return true;
}

}  // namespace

bool AddMonths(Ticks time, std::int64_t months, Ticks* result) {
  if (months > 12 * 100000 || months < -12 * 100000) return false;
  const std::int64_t days = FloorDiv(time, kTicksPerDay);
  const Ticks time_of_day = time - days * kTicksPerDay;
  const CivilDate date = CivilFromDays(days);
  const std::int64_t month_index =
      static_cast<std::int64_t>(date.year) * 12 + (date.month - 1) + months;
  CivilDate target;
  target.year = static_cast<int>(FloorDiv(month_index, 12));
  target.month = static_cast<int>(FloorMod(month_index, 12)) + 1;
  if (target.year < 1601 || target.year > 30827) return false;
  const int last = DaysInMonth(target.year, target.month);
  target.day = date.day > last ? last : date.day;
  const Ticks sum = DaysFromCivil(target) * kTicksPerDay + time_of_day;
  if (sum < 0 || sum > kMaxTicks) return false;
  *result = sum;
  return true;
}

ResolvedTime ResolveRelativeTime(std::wstring_view text, Ticks now) {
  const std::wstring s = Normalise(text);
  if (s.empty()) return {ResolvedTime::Kind::kNull, 0};

  const Keyword* keyword = nullptr;
  for (const Keyword& k : kKeywords) {
    if (s.compare(0, k.text.size(), k.text) == 0) {
      keyword = &k;
      break;
    }
  }
  if (!keyword) return {};
  Ticks time = keyword->is_now ? now : StartOf(keyword->unit, now);

  std::size_t i = keyword->text.size();
  bool negative = false;
  while (i < s.size()) {
    if (s[i] == L'+' || s[i] == L'-') {
      negative = s[i] == L'-';
      ++i;
    }
    std::int64_t amount = 0;
    const std::size_t digits_start = i;
    while (i < s.size() && s[i] >= L'0' && s[i] <= L'9') {
      amount = amount * 10 + (s[i] - L'0');
      if (amount > 1'000'000'000'000LL) return {};
      ++i;
    }
    if (i == digits_start) return {};
    Unit unit;
    // MO must be tried before M.
    if (s.compare(i, 2, L"MO") == 0) {
      unit = Unit::kMonth;
      i += 2;
    } else if (i < s.size()) {
      switch (s[i]) {
        case L'S':
          unit = Unit::kSecond;
          break;
        case L'M':
          unit = Unit::kMinute;
          break;
        case L'H':
          unit = Unit::kHour;
          break;
        case L'D':
          unit = Unit::kDay;
          break;
        case L'W':
          unit = Unit::kWeek;
          break;
        case L'Y':
          unit = Unit::kYear;
          break;
        default:
          return {};
      }
      ++i;
    } else {
      return {};
    }
    if (!Add(time, negative ? -amount : amount, unit, &time)) return {};
  }
  return {ResolvedTime::Kind::kTime, time};
}

}  // namespace hdasim
