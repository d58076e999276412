// TString storage, editing and comparison.
#include "text/tstring.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

namespace {

std::uint32_t UnitCount(const char16_t* text) {
  return text ? static_cast<std::uint32_t>(std::char_traits<char16_t>::length(text)) : 0;
}

std::uint32_t UnitCountUpTo(const char16_t* text, std::uint32_t limit) {
  std::uint32_t n = 0;
  while (n < limit && text[n] != 0) ++n;
  return n;
}

}  // namespace

TString::TString() { Terminate(); }

TString::TString(const char16_t* text) : TString() { Append(text); }

TString::TString(const TString& other) : TString() {
  growthStep_ = other.growthStep_;
  Append(other.length_, other.Str());
}

TString::TString(TString&& other) noexcept
    : storage_(std::move(other.storage_)),
      length_(other.length_),
      growthStep_(other.growthStep_),
      cursor_(other.cursor_) {
  other.length_ = 0;
  other.cursor_ = 0;
  other.Terminate();
}

TString::TString(const char16_t* p1, const char16_t* p2, const char16_t* p3, const char16_t* p4,
                 const char16_t* p5, const char16_t* p6)
    : TString() {
  for (const char16_t* part : {p1, p2, p3, p4, p5, p6}) {
    if (part == nullptr) break;
    Append(part);
  }
}

TString::TString(std::uint32_t initialCapacity) : TString() {
  std::uint64_t units = std::uint64_t{std::max(initialCapacity, kInitialCapacity)} + 2;
  if (units <= std::numeric_limits<std::uint32_t>::max()) {
    storage_.Reallocate(static_cast<std::uint32_t>(units), 0);  // keeps the inline 16 on failure
  }
  Terminate();
}

TString::~TString() = default;

TString& TString::operator=(const TString& other) {
  if (this != &other) {
    growthStep_ = other.growthStep_;
    Replace(other.length_, other.Str());
  }
  return *this;
}

TString& TString::operator=(TString&& other) noexcept {
  if (this != &other) {
    storage_ = std::move(other.storage_);
    length_ = other.length_;
    growthStep_ = other.growthStep_;
    cursor_ = other.cursor_;
    other.length_ = 0;
    other.cursor_ = 0;
    other.Terminate();
  }
  return *this;
}

TString& TString::operator=(const char16_t* text) {
  Assign(text);
  return *this;
}

bool TString::Reserve(std::uint32_t n) {
  const std::uint64_t capacity = Capacity();
  if (capacity >= std::uint64_t{n} + 2) return false;
  std::uint64_t size = growthStep_ == 0 ? std::max<std::uint64_t>(n, capacity + capacity / 2)
                                        : std::max<std::uint64_t>(capacity + growthStep_, n);
  if (size + 2 > std::numeric_limits<std::uint32_t>::max()) return true;
  std::uint32_t keep = std::min(length_, n);
  if (storage_.Reallocate(static_cast<std::uint32_t>(size + 2), keep)) return true;
  length_ = keep;
  cursor_ = 0;
  Terminate();
  return false;
}

void TString::Append(std::uint32_t count, const char16_t* source) {
  if (source == nullptr) return;
  count = std::min(count, kMaxLength - std::min(length_, kMaxLength));
  if (count == 0) return;
  // The source may be this string's own text, which a reallocation would free.
  const bool own = storage_.Contains(source);
  const std::size_t offset = own ? static_cast<std::size_t>(source - Str()) : 0;
  if (Reserve(length_ + count)) return;
  if (own) source = Str() + offset;
  std::memmove(Buffer() + length_, source, std::size_t{count} * sizeof(char16_t));
  length_ += count;
  Terminate();
}

void TString::Append(const char16_t* text) { Append(UnitCount(text), text); }

void TString::Append(char16_t c) {
  if (c != 0) Append(1, &c);
}

void TString::Replace(std::uint32_t count, const char16_t* source) {
  count = std::min(count, kMaxLength);
  if (source != nullptr && storage_.Contains(source)) {
    // Part of our own text: it already fits, so move it to the front.
    std::memmove(Buffer(), source, std::size_t{count} * sizeof(char16_t));
    length_ = count;
    Terminate();
    return;
  }
  // Room first, so that a failed allocation leaves the old text in place.
  if (source != nullptr && Reserve(count)) return;
  length_ = 0;
  Append(count, source);
  Terminate();
}

void TString::Assign(const char16_t* text) { Replace(UnitCount(text), text); }

void TString::Assign(std::uint32_t count, const char16_t* source) {
  Replace(source ? UnitCountUpTo(source, count) : 0, source);
}

void TString::SetLength(std::uint32_t n) {
  n = std::min(n, kMaxLength);
  if (Reserve(n)) return;
  if (n > length_) std::fill(Buffer() + length_, Buffer() + n, u' ');
  length_ = n;
  Terminate();
}

int TString::Find(const char16_t* text) const {
  if (text == nullptr || text[0] == 0 || length_ == 0) return -1;
  std::size_t at = std::u16string_view(Str(), length_).find(text);
  return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

int TString::Compare(const char16_t* text) const {
  return std::u16string_view(Str(), length_).compare(std::u16string_view(text ? text : u""));
}

int TString::Compare(const TString& other) const {
  return std::u16string_view(Str(), length_)
      .compare(std::u16string_view(other.Str(), other.length_));
}

bool TString::Equals(const TString& other) const {
  return this == &other || (length_ == other.length_ &&
                            std::memcmp(Str(), other.Str(), length_ * sizeof(char16_t)) == 0);
}

const char16_t* TString::CharAt(std::uint32_t index) const {
  // An empty string has no last unit: point at its terminator.
  if (length_ == 0) return Str();
  return Str() + std::min(index, length_ - 1);
}
