// Any entry text, looked up in every language: the lookup must stay inside its buffers and keep
// its documented bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "strings/resource_text.h"

namespace {

std::vector<char16_t> g_entry;

std::uint32_t LoadFuzzEntry(int, char16_t* buffer, std::uint32_t bufferUnits) {
  std::uint32_t count = 0;
  for (; count < g_entry.size() && count + 1 < bufferUnits; ++count) buffer[count] = g_entry[count];
  buffer[count] = 0;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  g_entry.clear();
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    g_entry.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  SetStringLoaderForTesting(LoadFuzzEntry);
  for (int language : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1, 10, -2147483647 - 1, 2147483647}) {
    const char16_t* text = RString(1, language);
    std::size_t length = 0;
    while (text[length] != 0) ++length;
    if (length > kMaxResultUnits) std::abort();
    for (std::size_t i = 0; i < length; ++i) {
      if (text[i] == kPartSeparator) std::abort();
    }
  }
  SetStringLoaderForTesting(nullptr);
  return 0;
}
