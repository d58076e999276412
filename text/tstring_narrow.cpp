// TString conversions from and to the thread's ANSI code page.
#include "text/tstring.h"

#include <algorithm>
#include <memory>
#include <new>

#include "platform/codepage.h"

namespace {
constexpr int kNarrowBytes = 256;

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
}  // namespace

void TString::FromNarrow(const char* text) {
  if (text == nullptr || text[0] == 0) {
    SetLength(0);
    return;
  }
  // Precomposed characters first; some code pages refuse the flag, so fall back without it.
  bool precomposed = true;
  int needed = platform::AnsiToWide(text, -1, nullptr, 0, true);
  if (needed <= 0) {
    precomposed = false;
    needed = platform::AnsiToWide(text, -1, nullptr, 0, false);
  }
  if (needed <= 0) {
    SetLength(0);
    return;
  }
  const auto units = static_cast<std::uint32_t>(needed - 1);  // without the terminator
  if (units > kMaxLength) {
    // Too long to keep: convert aside and keep the first kMaxLength units.
    std::unique_ptr<char16_t[]> whole(
        new (std::nothrow) char16_t[static_cast<std::size_t>(needed)]);
    if (whole && platform::AnsiToWide(text, -1, whole.get(), needed, precomposed) == needed) {
      Assign(kMaxLength, whole.get());
    }
    return;
  }
  if (Reserve(units)) return;
  int converted =
      platform::AnsiToWide(text, -1, Buffer(), static_cast<int>(Capacity()), precomposed);
  length_ = converted > 0 ? static_cast<std::uint32_t>(converted - 1) : 0;
  Terminate();
}

void TString::ToNarrow(char (&destination)[257]) const {
  destination[0] = 0;
  if (length_ == 0) return;
  // Every unit takes at least one byte, so no more than 256 units can fit. Shorten by whole
  // characters until the converted text fits, so that a multi-byte character is never split.
  int units = static_cast<int>(std::min<std::uint32_t>(length_, kNarrowBytes));
  if (IsHighSurrogate(Str()[units - 1])) --units;
  int bytes = platform::WideToAnsi(Str(), units, nullptr, 0);
  while (units > 0 && (bytes <= 0 || bytes > kNarrowBytes)) {
    units -= bytes > kNarrowBytes ? std::max(1, (bytes - kNarrowBytes) / 2) : 1;
    if (units > 0 && IsHighSurrogate(Str()[units - 1])) --units;
    bytes = units > 0 ? platform::WideToAnsi(Str(), units, nullptr, 0) : 0;
  }
  if (units <= 0) return;
  const int written = platform::WideToAnsi(Str(), units, destination, kNarrowBytes);
  destination[written > 0 ? written : 0] = 0;
}
