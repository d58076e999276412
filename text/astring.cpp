#include "text/astring.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <utility>

#include "platform/codepage.h"

namespace {
// Room beyond the text that the conversion buffer always has.
constexpr std::uint32_t kConversionSlack = 10;
}  // namespace

AString::AString() { Terminate(); }

AString::AString(const AString& other) : AString() { *this = other; }

AString::AString(AString&& other) noexcept
    : storage_(std::move(other.storage_)), length_(std::exchange(other.length_, 0)) {
  other.Terminate();
}

AString& AString::operator=(const AString& other) {
  if (this != &other && !Reserve(other.length_)) {
    std::memcpy(storage_.Data(), other.Str(), other.length_);
    length_ = other.length_;
    Terminate();
  }
  return *this;
}

AString& AString::operator=(AString&& other) noexcept {
  if (this != &other) {
    storage_ = std::move(other.storage_);
    length_ = std::exchange(other.length_, 0);
    other.Terminate();
  }
  return *this;
}

AString::~AString() = default;

bool AString::Reserve(std::uint32_t n) {
  if (std::uint64_t{Capacity()} >= std::uint64_t{n} + 2) return false;
  if (n > UINT32_MAX - 2) return true;
  const std::uint32_t keep = std::min(length_, n);
  if (storage_.Reallocate(n + 2, keep)) return true;
  length_ = keep;
  Terminate();
  return false;
}

void AString::FromWide(const char16_t* text) {
  const std::size_t units = text ? std::char_traits<char16_t>::length(text) : 0;
  if (units == 0 || units > INT_MAX - kConversionSlack) {
    length_ = 0;
    Terminate();
    return;
  }
  const int needed = platform::WideToAnsi(text, static_cast<int>(units), nullptr, 0);
  // A double-byte code page may need more than one byte per unit.
  const auto room =
      std::max<std::uint32_t>(static_cast<std::uint32_t>(units) + kConversionSlack - 2,
                              needed > 0 ? static_cast<std::uint32_t>(needed) : 0);
  if (Reserve(room)) return;
  const int written = platform::WideToAnsi(text, static_cast<int>(units), storage_.Data(),
                                           static_cast<int>(Capacity()));
  length_ = written > 0 ? static_cast<std::uint32_t>(written) : 0;
  Terminate();
}
