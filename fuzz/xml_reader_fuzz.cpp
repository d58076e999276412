// The element-search reader over arbitrary UTF-16 text: every getter, for a few names, once on the
// whole text and then walking by the returned positions. Nothing may read past the terminator,
// trap, or step outside the text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "xml/xml_reader.h"

namespace {

constexpr const char16_t* kNames[] = {u"T", u"Point", u"Wave", u"left", u"ConfigBase", u""};

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

template <typename Get>
void Walk(const char16_t* text, std::size_t length, Get get) {
  std::size_t position = 0;
  while (position <= length) {
    const std::size_t step = get(text + position);
    if (step == 0) break;
    Check(step <= length - position);
    position += step;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t length = size / 2;
  std::vector<char16_t> buffer(length + 1, u'\0');
  std::memcpy(buffer.data(), data, length * 2);
  std::size_t textLength = 0;
  while (buffer[textLength] != 0) ++textLength;
  const char16_t* text = buffer.data();

  for (const char16_t* name : kNames) {
    TString element;
    TString string;
    double d = 0;
    std::int64_t i64 = 0;
    std::int32_t i32 = 0;
    std::int16_t i16 = 0;
    bool flag = false;
    Walk(text, textLength, [&](const char16_t* t) {
      const std::size_t step = XmlFindElement(name, t, element);
      Check(element.Length() <= step);
      // Sections are read out of the element just found, as the callers do.
      XmlGetDouble(u"T", element.Str(), d);
      TRect rect{};
      XmlGetRect(rect, element.Str(), u"left");
      Check(rect.left <= rect.right && rect.top <= rect.bottom);
      return step;
    });
    Walk(text, textLength, [&](const char16_t* t) { return XmlGetString(name, t, string); });
    Walk(text, textLength, [&](const char16_t* t) { return XmlGetDouble(name, t, d); });
    Walk(text, textLength, [&](const char16_t* t) { return XmlGetInt64(name, t, i64); });
    Walk(text, textLength, [&](const char16_t* t) { return XmlGetLong(name, t, i32); });
    Walk(text, textLength, [&](const char16_t* t) { return XmlGetShort(name, t, i16); });
    Walk(text, textLength, [&](const char16_t* t) { return XmlGetBool(name, t, flag); });
    TRect rect{1, 2, 3, 4};
    XmlGetRect(rect, text, name);
  }
  return 0;
}
