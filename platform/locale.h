// The decimal separator of the current numeric locale.
#pragma once

namespace platform {

char16_t DecimalPoint();

// Test seam: forces the separator (0 restores the locale's own); returns the previous forced one.
char16_t SetDecimalPointForTesting(char16_t point);

// Makes DecimalPoint() answer "." on this thread while it lives, whatever the locale or the test
// seam say, so that numbers written into or read from files never depend on the user's settings.
// Scopes nest; other threads are not affected.
class ScopedFileNumerics {
 public:
  ScopedFileNumerics();
  ~ScopedFileNumerics();
  ScopedFileNumerics(const ScopedFileNumerics&) = delete;
  ScopedFileNumerics& operator=(const ScopedFileNumerics&) = delete;

 private:
  char16_t previous_;
};

}  // namespace platform
