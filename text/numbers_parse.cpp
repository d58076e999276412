// Number parsing like strtod in the current numeric locale, built on std::from_chars.
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "platform/locale.h"
#include "text/numbers.h"

namespace {

constexpr std::size_t kShortNumber = 128;      // longer number texts go through the heap
constexpr long long kExponentClamp = 1000000;  // far beyond any double's range

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
char16_t Lower(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
}

// Whether text starts with the lower-case ASCII word, in any case. Stops at the first difference,
// so never reads past a terminator.
bool StartsWithWord(const char16_t* text, const char* word) {
  for (; *word != 0; ++text, ++word) {
    if (Lower(*text) != static_cast<char16_t>(*word)) return false;
  }
  return true;
}

int DigitValue(char16_t c) {
  if (IsDigit(c)) return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return 99;
}

double ParseUnsigned(const char16_t* digits, int base) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t value = 0;
  for (; DigitValue(*digits) < base; ++digits) {
    value = std::min(value * base + static_cast<std::uint64_t>(DigitValue(*digits)), kMax + 1);
  }
  return static_cast<double>(std::min(value, kMax));
}

// The parts of a decimal number text, as positions in the text.
struct DecimalSpan {
  const char16_t* integer = nullptr;  // digits before the point
  std::size_t integerDigits = 0;
  const char16_t* fraction = nullptr;  // digits after the point
  std::size_t fractionDigits = 0;
  bool exponentNegative = false;
  long long exponent = 0;  // clamped
  const char16_t* exponentDigits = nullptr;
  std::size_t exponentLength = 0;
};

std::size_t CountDigits(const char16_t* text) {
  std::size_t n = 0;
  while (IsDigit(text[n])) ++n;
  return n;
}

// Returns false when the text holds no digit where the number should be.
bool ScanDecimal(const char16_t* p, char16_t point, DecimalSpan& span) {
  span.integer = p;
  span.integerDigits = CountDigits(p);
  p += span.integerDigits;
  if (*p == point) {
    span.fraction = p + 1;
    span.fractionDigits = CountDigits(span.fraction);
    p = span.fraction + span.fractionDigits;
  }
  if (span.integerDigits + span.fractionDigits == 0) return false;
  if (*p == u'e' || *p == u'E') {
    const char16_t* q = p + 1;
    bool negative = false;
    if (*q == u'+' || *q == u'-') negative = *q++ == u'-';
    const std::size_t n = CountDigits(q);
    if (n > 0) {  // an exponent needs digits, else the 'e' is not part of the number
      span.exponentNegative = negative;
      span.exponentDigits = q;
      span.exponentLength = n;
      for (std::size_t i = 0; i < n; ++i) {
        span.exponent = std::min(span.exponent * 10 + (q[i] - u'0'), kExponentClamp);
      }
    }
  }
  return true;
}

// The decimal exponent of the first significant digit, to tell overflow from underflow.
long long MagnitudeOf(const DecimalSpan& span) {
  long long leadingPosition = static_cast<long long>(span.integerDigits);
  std::size_t i = 0;
  while (i < span.integerDigits && span.integer[i] == u'0') ++i, --leadingPosition;
  if (i == span.integerDigits) {
    std::size_t j = 0;
    while (j < span.fractionDigits && span.fraction[j] == u'0') ++j;
    leadingPosition = -static_cast<long long>(j);
  }
  return leadingPosition + (span.exponentNegative ? -span.exponent : span.exponent);
}

template <typename Out>
void WriteAscii(const DecimalSpan& span, Out put) {
  for (std::size_t i = 0; i < span.integerDigits; ++i) put(static_cast<char>(span.integer[i]));
  if (span.fractionDigits > 0) {
    put('.');
    for (std::size_t i = 0; i < span.fractionDigits; ++i) put(static_cast<char>(span.fraction[i]));
  }
  if (span.exponentLength > 0) {
    put('e');
    if (span.exponentNegative) put('-');
    for (std::size_t i = 0; i < span.exponentLength; ++i) {
      put(static_cast<char>(span.exponentDigits[i]));
    }
  }
}

double ConvertMagnitude(const DecimalSpan& span) {
  const std::size_t length = span.integerDigits + 1 + span.fractionDigits + 2 + span.exponentLength;
  char shortText[kShortNumber];
  std::string longText;
  const char* first = shortText;
  const char* last = shortText;
  if (length <= kShortNumber) {
    char* out = shortText;
    WriteAscii(span, [&out](char c) { *out++ = c; });
    last = out;
  } else {
    longText.reserve(length);
    WriteAscii(span, [&longText](char c) { longText.push_back(c); });
    first = longText.data();
    last = first + longText.size();
  }
  double value = 0;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = MagnitudeOf(span) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return value;
}

double ParseDecimal(const char16_t* p, char16_t point) {
  bool negative = false;
  if (*p == u'+' || *p == u'-') negative = *p++ == u'-';
  double magnitude = 0;
  DecimalSpan span;
  if (StartsWithWord(p, "inf")) {
    magnitude = std::numeric_limits<double>::infinity();
  } else if (StartsWithWord(p, "nan")) {
    magnitude = std::numeric_limits<double>::quiet_NaN();
  } else if (ScanDecimal(p, point, span)) {
    magnitude = ConvertMagnitude(span);
  } else {
    return 0;  // no number: not even a signed zero
  }
  return negative ? -magnitude : magnitude;
}

}  // namespace

double ParseNumber(const char16_t* text) { return ParseNumber(text, platform::DecimalPoint()); }

double ParseNumber(const char16_t* text, char16_t decimalPoint) {
  if (text == nullptr) return 0;
  while (IsSpace(*text)) ++text;
  if (text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) return ParseUnsigned(text + 2, 16);
  if (text[0] == u'0' && (text[1] == u'b' || text[1] == u'B')) return ParseUnsigned(text + 2, 2);
  if (StartsWithWord(text, "1.#qnan")) return std::numeric_limits<double>::quiet_NaN();
  return ParseDecimal(text, decimalPoint);
}
