// AString: 8-bit text in the thread's ANSI code page, for interfaces that take narrow names.
#pragma once

#include <cstdint>

#include "text/unit_buffer.h"

class AString {
 public:
  static constexpr std::uint32_t kInitialCapacity = 16;

  AString();
  AString(const AString& other);
  AString(AString&& other) noexcept;
  AString& operator=(const AString& other);
  AString& operator=(AString&& other) noexcept;
  virtual ~AString();

  // Makes room for n bytes plus 2. Returns true on allocation failure (string unchanged).
  bool Reserve(std::uint32_t n);
  // Replaces the text by the conversion of a UTF-16 text into the thread's code page.
  void FromWide(const char16_t* text);

  const char* Str() const { return storage_.Data(); }
  std::uint32_t Length() const { return length_; }
  std::uint32_t Capacity() const { return storage_.Capacity(); }

 private:
  void Terminate() { storage_.Data()[length_] = 0; }

  text::UnitBuffer<char, kInitialCapacity> storage_;
  std::uint32_t length_ = 0;
};
