#include "platform/wide.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// A text as TString offers its units.
struct OwnedText {
  std::u16string units;
  const char16_t* Str() const { return units.c_str(); }
};

// What the system makes of the wide text: its UTF-8 bytes.
std::string SystemUtf8(std::wstring_view text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

TEST(WideText, TheSystemReadsTheSameCharacters) {
  const std::u16string text = u"\u00E9t\u00E9 \u20AC \U0001F600";
  EXPECT_EQ(SystemUtf8(platform::W(text)), "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80");
  EXPECT_EQ(lstrlenW(platform::W(text.c_str())), static_cast<int>(text.size()));
  const OwnedText owned{text};
  EXPECT_EQ(platform::W(owned), platform::W(owned.units.c_str()));
  EXPECT_EQ(std::wstring(platform::W(owned)), std::wstring(platform::W(text)));
}

TEST(WideText, RoundTripKeepsEveryUnitAndTheSameMemory) {
  // Lone surrogates are not valid UTF-16 but are file names and window texts all the same: they
  // pass through as they are.
  const std::u16string text{u'a', char16_t(0xD800), u'b', char16_t(0xDC00), char16_t(0xFFFF)};
  const std::wstring_view wide = platform::W(text);
  ASSERT_EQ(wide.size(), text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    EXPECT_EQ(static_cast<char16_t>(wide[i]), text[i]) << i;
  EXPECT_EQ(platform::U16(wide), text);
  EXPECT_EQ(platform::U16(platform::W(text.c_str())), text.c_str());

  std::wstring buffer = L"xyz";
  char16_t* units = platform::U16(buffer.data());
  units[1] = u'\u00E9';
  EXPECT_EQ(buffer, L"x\u00E9z");
  EXPECT_EQ(platform::W(units), buffer.data());
}

TEST(WideText, EmptyAndNull) {
  EXPECT_EQ(platform::W(static_cast<const char16_t*>(nullptr)), nullptr);
  EXPECT_EQ(platform::U16(static_cast<const wchar_t*>(nullptr)), nullptr);
  EXPECT_STREQ(platform::W(u""), L"");
  EXPECT_TRUE(platform::W(std::u16string_view()).empty());
  EXPECT_TRUE(platform::U16(std::wstring_view()).empty());
  const OwnedText empty;
  EXPECT_STREQ(platform::W(empty), L"");
}

}  // namespace
