// TString::GetToken: splitting a text at a set of separators.
#include "text/tstring.h"

#include <algorithm>

namespace {

bool IsSeparator(char16_t c, const char16_t* separators) {
  if (separators == nullptr) return false;
  for (const char16_t* s = separators; *s != 0; ++s) {
    if (*s == c) return true;
  }
  return false;
}

}  // namespace

std::uint32_t TString::GetToken(char16_t* destination, const char16_t* separators,
                                std::uint32_t maxCount, bool fromStart) {
  if (destination == nullptr) return 0;
  const char16_t* text = Str();
  // The text may have been shortened since the last call.
  std::uint32_t pos = fromStart ? 0 : std::min(cursor_, length_);
  std::uint32_t copied = 0;
  while (pos < length_ && copied < maxCount && !IsSeparator(text[pos], separators)) {
    destination[copied++] = text[pos++];
  }
  // Standing on a separator means the word is complete: skip the whole run. Otherwise the count
  // cut the word and its rest is the next token.
  if (pos < length_ && IsSeparator(text[pos], separators)) {
    while (pos < length_ && IsSeparator(text[pos], separators)) ++pos;
  }
  destination[copied] = 0;
  cursor_ = pos;
  return copied;
}
