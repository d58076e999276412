// The searches that step through large texts eight characters at a time, checked against the
// plain character-by-character walks they stand for, at every alignment of the text.
#include "xml/xml_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "xml/xml_reader.h"

namespace {

const char16_t* FindTextOneByOne(const char16_t* p, const std::u16string& name) {
  for (; *p != 0; ++p) {
    if (std::u16string_view(p).substr(0, name.size()) == name) break;
  }
  return p;
}

// The element's span as a walk from '<' to '<' finds it, counting nested elements of the name.
std::size_t SpanTagByTag(const std::u16string& name, const char16_t* text, std::size_t& length) {
  const auto holds = [&](const char16_t* p) {
    return std::u16string_view(p).substr(0, name.size()) == name;
  };
  const char16_t* open = text;
  char16_t after = 0;
  const char16_t* content = nullptr;
  for (; *open != 0; ++open) {
    if (*open != u'<' || !holds(open + 1)) continue;
    after = open[1 + name.size()];
    if (after != u'>' && after != u' ') continue;
    const char16_t* close = open + 1 + name.size();
    while (*close != u'>' && *close != 0) ++close;
    if (*close == 0) return 0;
    content = close + 1;
    break;
  }
  if (content == nullptr) return 0;
  std::size_t depth = 1;
  const char16_t* p = content;
  for (; *p != 0; ++p) {
    if (*p != u'<') continue;
    if (holds(p + 1) && p[1 + name.size()] == after) {
      ++depth;
    } else if (p[1] == u'/' && holds(p + 2) && p[2 + name.size()] == u'>' && --depth == 0) {
      p += name.size() + 3;
      break;
    }
  }
  length = static_cast<std::size_t>(p - open);
  return static_cast<std::size_t>(p - text);
}

// Texts of pieces that make and break tags of the name, each placed at all eight alignments
// of a 16-byte block (and a ninth, odd one) in a buffer whose end is the text's end.
std::vector<std::u16string> MixedTexts(const std::vector<std::u16string>& pieces, int count) {
  std::mt19937 random(20261210);
  std::vector<std::u16string> texts;
  for (int i = 0; i < count; ++i) {
    std::u16string text;
    const int n = static_cast<int>(random() % 24);
    for (int k = 0; k < n; ++k) text += pieces[random() % pieces.size()];
    texts.push_back(text);
  }
  return texts;
}

TEST(XmlScan, FindTextAgreesWithTheWalkAtEveryAlignment) {
  const std::vector<std::u16string> names = {u"Wave", u"W", u"aW", u"Waves"};
  const std::vector<std::u16string> pieces = {u"W",    u"a", u"v",    u"e", u"<",  u"Wav",
                                              u"Wave", u"x", u"\t\t", u"s", u"aWa"};
  for (const std::u16string& text : MixedTexts(pieces, 400)) {
    for (std::size_t shift = 0; shift <= 8; ++shift) {
      // The text ends its buffer, so a read past the NUL would leave the block.
      std::vector<char16_t> buffer(shift + text.size() + 1, u'#');
      std::copy(text.begin(), text.end(), buffer.begin() + static_cast<std::ptrdiff_t>(shift));
      buffer.back() = 0;
      const char16_t* start = buffer.data() + shift;
      for (const std::u16string& name : names) {
        for (std::size_t from = 0; from <= text.size(); ++from) {
          EXPECT_EQ(XmlFindText(start + from, name.c_str(), name.size()),
                    FindTextOneByOne(start + from, name))
              << "name " << name.size() << " shift " << shift << " from " << from;
        }
      }
    }
  }
}

TEST(XmlScan, ElementSpansAgreeWithTheTagByTagWalk) {
  const std::vector<std::u16string> pieces = {u"<Wave>",  u"</Wave>",    u"<Wave a=\"1\">",
                                              u"<Waves>", u"</Waves>",   u"</Wave",
                                              u"<Wave",   u"Wave",       u"x",
                                              u"<",       u"/",          u">",
                                              u"</",      u"<a>Wave</a>"};
  for (const std::u16string& text : MixedTexts(pieces, 3000)) {
    for (const std::u16string& name : {std::u16string(u"Wave"), std::u16string(u"Waves")}) {
      std::size_t expectedLength = 0;
      const std::size_t expected = SpanTagByTag(name, text.c_str(), expectedLength);
      TXmlSpan span;
      const std::size_t position = XmlFindElementSpan(name.c_str(), text.c_str(), span);
      ASSERT_EQ(position, expected) << std::string(text.begin(), text.end());
      if (position != 0) {
        EXPECT_EQ(span.length, expectedLength);
      }
    }
  }
}

}  // namespace
