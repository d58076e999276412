// Number parsing over arbitrary UTF-16 text: never reads past the terminator, never traps.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "text/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<char16_t> text(size / 2 + 1, u'\0');
  std::memcpy(text.data(), data, size / 2 * 2);
  volatile double value = ParseNumber(text.data());
  (void)value;
  return 0;
}
