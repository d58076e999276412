// TString XML escaping and unescaping.
#include "text/tstring.h"

#include <algorithm>
#include <string_view>

#include "text/assert_report.h"

namespace {

struct Entity {
  char16_t character;
  std::u16string_view text;
};
constexpr Entity kEntities[] = {
    {u'&', u"&amp;"}, {u'<', u"&lt;"}, {u'>', u"&gt;"}, {u'"', u"&quot;"}, {u'\'', u"&apos;"},
};

const Entity* EntityOf(char16_t c) {
  for (const Entity& e : kEntities) {
    if (e.character == c) return &e;
  }
  return nullptr;
}

}  // namespace

void TString::AddXml(const char16_t* source, bool nameMode) {
  if (source == nullptr) return;
  if (storage_.Contains(source)) {
    // Escaping our own text: work from a copy, since the output overwrites the source.
    const TString copy(source);
    AddXml(copy.Str(), nameMode);
    return;
  }
  std::uint64_t escaped = 0;
  for (const char16_t* s = source; *s != 0; ++s) {
    const Entity* e = EntityOf(*s);
    escaped += e ? e->text.size() : 1;
  }
  const std::uint64_t wanted = std::min<std::uint64_t>(length_ + escaped, kMaxLength) + 8;
  if (Reserve(static_cast<std::uint32_t>(wanted))) {
    AssertReport(u"TString::AddXml() memory overflow", false);
    return;
  }
  char16_t* out = Buffer();
  std::uint32_t length = length_;
  for (const char16_t* s = source; *s != 0; ++s) {
    const Entity* e = EntityOf(*s);
    std::u16string_view piece = e ? e->text : std::u16string_view(s, 1);
    // Past the length limit the text is cut, but never inside an entity.
    if (length + piece.size() > kMaxLength) break;
    char16_t c = (nameMode && *s == u' ') ? u'_' : *s;
    if (e) {
      std::copy(piece.begin(), piece.end(), out + length);
      length += static_cast<std::uint32_t>(piece.size());
    } else {
      out[length++] = c;
    }
  }
  length_ = length;
  Terminate();
}

void TString::FromXml() {
  char16_t* text = Buffer();
  std::uint32_t write = 0;
  std::uint32_t read = 0;
  while (read < length_) {
    if (text[read] == u'&') {
      std::u16string_view rest(text + read, length_ - read);
      const Entity* match = nullptr;
      for (const Entity& e : kEntities) {
        if (rest.starts_with(e.text)) {
          match = &e;
          break;
        }
      }
      if (match) {
        text[write++] = match->character;
        read += static_cast<std::uint32_t>(match->text.size());
        continue;
      }
    }
    text[write++] = text[read++];
  }
  length_ = write;
  Terminate();
}
