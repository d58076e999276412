#include "text/integer_text.h"

#include <charconv>

void AppendInteger(TString& text, std::int64_t value) {
  char digits[24];  // 19 digits and a sign hold any 64-bit value
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  char16_t wide[24];
  std::uint32_t length = 0;
  for (const char* d = digits; d != end; ++d) wide[length++] = static_cast<char16_t>(*d);
  text.Append(length, wide);
}

TString IntegerText(std::int64_t value) {
  TString text;
  AppendInteger(text, value);
  return text;
}
