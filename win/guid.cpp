#include "win/guid.h"

#include <objbase.h>

#include <cstdint>

namespace win {
namespace {

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// `digits` hex digits from text[at]; false when one is not a hex digit.
bool ReadHex(std::wstring_view text, std::size_t at, int digits, std::uint64_t* value) {
  std::uint64_t result = 0;
  for (int i = 0; i < digits; ++i) {
    const int digit = HexDigit(text[at + static_cast<std::size_t>(i)]);
    if (digit < 0) return false;
    result = (result << 4) | static_cast<std::uint64_t>(digit);
  }
  *value = result;
  return true;
}

}  // namespace

std::wstring GuidText(const GUID& guid) {
  wchar_t text[39] = {};
  StringFromGUID2(guid, text, 39);
  return text;
}

std::optional<GUID> GuidFromText(std::wstring_view text) {
  // {01234567-0123-0123-0123-0123456789AB}
  if (text.size() != 38 || text[0] != L'{' || text[37] != L'}' || text[9] != L'-' ||
      text[14] != L'-' || text[19] != L'-' || text[24] != L'-')
    return std::nullopt;
  GUID guid{};
  std::uint64_t value = 0;
  if (!ReadHex(text, 1, 8, &value)) return std::nullopt;
  guid.Data1 = static_cast<DWORD>(value);
  if (!ReadHex(text, 10, 4, &value)) return std::nullopt;
  guid.Data2 = static_cast<WORD>(value);
  if (!ReadHex(text, 15, 4, &value)) return std::nullopt;
  guid.Data3 = static_cast<WORD>(value);
  static constexpr std::size_t kByteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i) {
    if (!ReadHex(text, kByteAt[i], 2, &value)) return std::nullopt;
    guid.Data4[i] = static_cast<BYTE>(value);
  }
  return guid;
}

}  // namespace win
