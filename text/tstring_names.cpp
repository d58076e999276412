// TString::NextName: proposing a name that differs from an existing one.
#include "text/tstring.h"

#include "text/integer_text.h"

namespace {
constexpr std::uint32_t kMaxCountedDigits = 8;  // so that the number plus one fits 32 bits

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
}  // namespace

void TString::NextName() {
  if (length_ == 0) {
    Assign(u"Default Name");
    return;
  }
  const char16_t* text = Str();
  std::uint32_t digits = 0;
  while (digits < kMaxCountedDigits && digits < length_ && IsDigit(text[length_ - 1 - digits])) {
    ++digits;
  }
  if (digits == 0) {
    Append(u"_2");
    return;
  }
  std::uint32_t number = 0;
  for (std::uint32_t i = length_ - digits; i < length_; ++i)
    number = number * 10 + (text[i] - u'0');

  const TString printed = IntegerText(std::int64_t{number} + 1);
  // A shorter number keeps the leading zeros it replaces: Axis007 -> Axis008.
  const std::uint32_t replaced = printed.Length() < digits ? printed.Length() : digits;
  SetLength(length_ - replaced);
  Append(printed.Str());
}
