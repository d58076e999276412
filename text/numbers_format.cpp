// Number formatting with the digits printf gives in the C locale, built on std::to_chars.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/locale.h"
#include "text/numbers.h"

namespace {

constexpr int kMaxDecimals = 18;
constexpr int kMaxSignificantDigits = 200;  // keeps every result well inside a NumberText
constexpr double kFixedLimit = 1e13;
constexpr int kDefaultGeneralDigits = 6;  // printf's "%G" without a precision

std::uint32_t CopyText(const char16_t* text, char16_t* destination) {
  std::uint32_t n = 0;
  for (; text[n] != 0; ++n) destination[n] = text[n];
  destination[n] = 0;
  return n;
}

std::uint32_t FormatNonFinite(double value, char16_t* destination) {
  if (std::isnan(value)) return CopyText(kNaNText, destination);
  destination[0] = u'-';
  const std::uint32_t sign = value < 0 ? 1 : 0;
  return sign + CopyText(kInfinityText, destination + sign);
}

// to_chars writes '.' and 'e'; printf's "%G" writes 'E' and the locale's separator.
std::uint32_t Widen(const char* first, const char* last, char16_t point, char16_t* destination) {
  std::uint32_t n = 0;
  for (const char* c = first; c != last; ++c, ++n) {
    destination[n] = *c == '.' ? point : *c == 'e' ? u'E' : static_cast<char16_t>(*c);
  }
  destination[n] = 0;
  return n;
}

std::uint32_t Render(double value, std::chars_format format, int precision, char16_t point,
                     char16_t* destination) {
  if (!std::isfinite(value)) return FormatNonFinite(value, destination);
  char text[kNumberTextUnits];
  // Both precisions are bounded so that the text always fits.
  auto [end, ec] = std::to_chars(text, text + sizeof text - 1, value, format, precision);
  if (ec != std::errc{}) end = text;
  return Widen(text, end, point ? point : platform::DecimalPoint(), destination);
}

}  // namespace

std::uint32_t FormatGeneral(double value, int significantDigits, NumberText& destination,
                            char16_t decimalPoint) {
  significantDigits = std::clamp(significantDigits, 0, kMaxSignificantDigits);
  return Render(value, std::chars_format::general, significantDigits, decimalPoint, destination);
}

std::uint32_t FormatFixed(double value, int decimals, NumberText& destination) {
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  if (!std::isfinite(value) || std::fabs(value) > kFixedLimit) {
    return FormatGeneral(value, kDefaultGeneralDigits, destination);
  }
  return Render(value, std::chars_format::fixed, decimals, 0, destination);
}

std::uint32_t FormatNumber(double value, int decimals, NumberText& destination) {
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  if (decimals >= 5 && std::fabs(value) < 1) {
    return FormatGeneral(value, decimals + 1, destination);
  }
  return FormatFixed(value, decimals, destination);
}

std::uint32_t TrimZeros(char16_t* text) {
  const char16_t point = platform::DecimalPoint();
  std::uint32_t length = 0;
  bool hasPoint = false;
  bool hasExponent = false;
  for (; text[length] != 0; ++length) {
    hasPoint = hasPoint || text[length] == point;
    hasExponent = hasExponent || text[length] == u'e' || text[length] == u'E';
  }
  if (hasPoint && !hasExponent) {
    while (length > 0 && text[length - 1] == u'0') --length;
    if (length > 0 && text[length - 1] == point) --length;
  }
  if (length == 2 && text[0] == u'-' && text[1] == u'0') {
    text[0] = u'0';
    length = 1;
  }
  text[length] = 0;
  return length;
}

std::uint32_t FormatNumberTrimmed(double value, NumberText& destination) {
  FormatNumber(value, 3, destination);
  return TrimZeros(destination);
}
