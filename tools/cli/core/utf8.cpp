#include "tools/cli/core/utf8.h"

namespace cli {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(TString& text, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    text.Append(static_cast<char16_t>(0xD800 + (c >> 10)));
    text.Append(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  } else {
    text.Append(static_cast<char16_t>(c));
  }
}

}  // namespace

TString FromUtf8(std::string_view text) {
  TString result;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80           ? 1
                 : (lead >> 5) == 0x6  ? 2
                 : (lead >> 4) == 0xE  ? 3
                 : (lead >> 3) == 0x1E ? 4
                                       : 0;
    char32_t c = length == 1   ? lead
                 : length == 2 ? lead & 0x1F
                 : length == 3 ? lead & 0x0F
                               : lead & 0x07;
    bool valid = length != 0 && i + static_cast<std::size_t>(length) <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    static constexpr char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (valid && (c < kMinimum[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)))
      valid = false;
    AppendCodePoint(result, valid ? c : kReplacement);
    i += valid ? static_cast<std::size_t>(length) : 1;
  }
  return result;
}

}  // namespace cli
