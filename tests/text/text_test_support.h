// Helpers shared by the text tests.
#pragma once

#include <string>

#include "platform/codepage.h"
#include "platform/locale.h"
#include "text/tstring.h"
#include "text/unit_buffer.h"

namespace text_test {

inline std::u16string Text(const TString& s) { return std::u16string(s.Str(), s.Length()); }

// Forces the numeric locale's decimal separator for one scope.
class ScopedDecimalPoint {
 public:
  explicit ScopedDecimalPoint(char16_t point)
      : previous_(platform::SetDecimalPointForTesting(point)) {}
  ~ScopedDecimalPoint() { platform::SetDecimalPointForTesting(previous_); }
  ScopedDecimalPoint(const ScopedDecimalPoint&) = delete;
  ScopedDecimalPoint& operator=(const ScopedDecimalPoint&) = delete;

 private:
  char16_t previous_;
};

// Replaces the code page converter for one scope.
class ScopedCodePage {
 public:
  explicit ScopedCodePage(platform::CodePage* codePage)
      : previous_(platform::SetCodePageForTesting(codePage)) {}
  ~ScopedCodePage() { platform::SetCodePageForTesting(previous_); }
  ScopedCodePage(const ScopedCodePage&) = delete;
  ScopedCodePage& operator=(const ScopedCodePage&) = delete;

 private:
  platform::CodePage* previous_;
};

// Makes the next string allocations fail for one scope.
class ScopedAllocationFailures {
 public:
  explicit ScopedAllocationFailures(int count) { text::faults::FailNextAllocations(count); }
  ~ScopedAllocationFailures() { text::faults::FailNextAllocations(0); }
  ScopedAllocationFailures(const ScopedAllocationFailures&) = delete;
  ScopedAllocationFailures& operator=(const ScopedAllocationFailures&) = delete;
};

}  // namespace text_test
