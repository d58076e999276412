// The decimal separator of the current numeric locale.
#pragma once

namespace platform {

char16_t DecimalPoint();

// Test seam: forces the separator (0 restores the locale's own); returns the previous forced one.
char16_t SetDecimalPointForTesting(char16_t point);

}  // namespace platform
