// TString::LoadFromFile: reading the rest of a UTF-16LE file.
#include "text/tstring.h"

#include <algorithm>
#include <bit>

#include "platform/file.h"

namespace {
constexpr std::uint32_t kMaxLoadUnits = 1200000;
}  // namespace

bool TString::LoadFromFile(platform::File& file) {
  const std::int64_t size = file.Size();
  const std::int64_t position = file.Tell();
  if (size < 0 || position < 0) return false;

  const std::uint64_t bytesLeft =
      static_cast<std::uint64_t>(std::max<std::int64_t>(size - position, 0));
  std::uint64_t units = (bytesLeft + 1) / 2;
  if (Capacity() < units + 8) {
    units = std::min<std::uint64_t>(units, kMaxLoadUnits);
    if (Reserve(static_cast<std::uint32_t>(units + 8))) return false;
  }
  // A buffer reserved beforehand may be larger, but the length limit still holds.
  units = std::min<std::uint64_t>(units, kMaxLength);

  const std::size_t bytesRead = file.Read(Buffer(), static_cast<std::size_t>(units * 2));
  length_ = static_cast<std::uint32_t>(bytesRead / 2);  // a lone trailing byte is no character
  if constexpr (std::endian::native == std::endian::big) {
    for (std::uint32_t i = 0; i < length_; ++i) {
      const char16_t c = Buffer()[i];
      Buffer()[i] = static_cast<char16_t>((c >> 8) | (c << 8));
    }
  }
  Terminate();
  return file.Tell() == size;
}
