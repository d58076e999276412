#include "xml/xml_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "xml/xml_section.h"
#include "xml_test_support.h"

namespace {

using xml_test::Text;

constexpr std::int64_t kUntouched = 777;

// What every getter reports for one text.
struct Outcome {
  std::size_t find = 0;
  std::u16string element;
  std::size_t string = 0;
  std::u16string content;
  std::size_t number = 0;  // XmlGetDouble, XmlGetInt64, XmlGetLong, XmlGetShort, XmlGetBool agree
  bool rectMissing = true;
};

Outcome ReadV(const char16_t* text) {
  Outcome o;
  TString element(u"stale");
  o.find = XmlFindElement(u"V", text, element);
  o.element = Text(element);
  TString content(u"stale");
  o.string = XmlGetString(u"V", text, content);
  o.content = Text(content);

  double d = kUntouched;
  std::int64_t i64 = kUntouched;
  std::int32_t i32 = kUntouched;
  std::int16_t i16 = kUntouched;
  bool flag = false;
  o.number = XmlGetDouble(u"V", text, d);
  EXPECT_EQ(XmlGetInt64(u"V", text, i64), o.number);
  EXPECT_EQ(XmlGetLong(u"V", text, i32), o.number);
  EXPECT_EQ(XmlGetShort(u"V", text, i16), o.number);
  EXPECT_EQ(XmlGetBool(u"V", text, flag), o.number);
  if (o.number == 0) {  // a missing element leaves numeric outputs alone
    EXPECT_EQ(d, kUntouched);
    EXPECT_EQ(i64, kUntouched);
    EXPECT_EQ(i32, kUntouched);
    EXPECT_EQ(i16, kUntouched);
    EXPECT_FALSE(flag);
  }
  TRect rect{1, 2, 3, 4};
  o.rectMissing = XmlGetRect(rect, text, u"V");
  if (o.rectMissing) {
    EXPECT_EQ(rect, (TRect{1, 2, 3, 4}));
  }
  return o;
}

TEST(XmlReader, MissingForEveryGetter) {
  const char16_t* const texts[] = {
      u"",           u"<",       u"<V",
      u"<V a=\"1\"",  // attributes but the tag never ends
      u"<V/>",        // self-closing without attributes matches neither form
      u"<Vx>1</Vx>",  // another name that starts the same
      u"<v>1</v>",    // names are case-sensitive
      u"< V>1</ V>", u"V>1</V>",
      u"<V\t>1</V>",  // only a space opens the attribute form
      u"</V>",
  };
  for (const char16_t* text : texts) {
    const Outcome o = ReadV(text);
    EXPECT_EQ(o.find, 0u);
    EXPECT_EQ(o.element, u"");
    EXPECT_EQ(o.string, 0u);
    EXPECT_EQ(o.content, u"");
    EXPECT_EQ(o.number, 0u);
    EXPECT_TRUE(o.rectMissing);
  }
}

TEST(XmlReader, UnclosedElements) {
  // Found by the search but never closed: the leaf getters report them missing, XmlFindElement
  // runs them to the end of the text.
  const std::u16string texts[] = {
      u"<V>1",         u"<V>1</V",
      u"<V a=\"1\"/>",  // self-closing with attributes
      u"x</V><V>1",
      u"<V><V>1</V>",  // nested: the outer one is never closed
  };
  for (const std::u16string& text : texts) {
    const Outcome o = ReadV(text.c_str());
    const std::size_t open = text.find(u"<V");
    EXPECT_EQ(o.find, text.size());
    EXPECT_EQ(o.element, text.substr(open));
    if (text != u"<V><V>1</V>") {
      EXPECT_EQ(o.string, 0u);
      EXPECT_EQ(o.number, 0u);
    }
    EXPECT_FALSE(o.rectMissing);
  }
}

TEST(XmlReader, FoundElementsAndPositions) {
  struct Case {
    const char16_t* text;
    std::u16string element;
    std::u16string content;
    std::size_t position;
  } const cases[] = {
      {u"xx<V>12</V>yy", u"<V>12</V>", u"12", 11},
      {u"<V id=\"a\">7</V>", u"<V id=\"a\">7</V>", u"7", 15},
      {u"<V>1</V><V>2</V>", u"<V>1</V>", u"1", 8},                   // the first of two
      {u"<V a=\"1\">1</V><V>2</V>", u"<V a=\"1\">1</V>", u"1", 14},  // the first of either form
      {u"<Vs><V>3</V></Vs>", u"<V>3</V>", u"3", 12},
      {u"<V></V>", u"<V></V>", u"", 7},
      // Nesting: XmlFindElement counts it, the leaf getters stop at the first closing tag.
      {u"<V><V>a</V>b</V>c", u"<V><V>a</V>b</V>", u"<V>a", 11},
      // Inside an element opened with attributes, only that form opens a nested one.
      {u"<V a=\"1\"><V>x</V></V>", u"<V a=\"1\"><V>x</V>", u"<V>x", 17},
  };
  for (const Case& c : cases) {
    const Outcome o = ReadV(c.text);
    EXPECT_EQ(o.element, c.element);
    EXPECT_EQ(o.content, c.content);
    EXPECT_EQ(o.string, c.position);
    EXPECT_EQ(o.number, c.position);
    EXPECT_EQ(o.find, std::u16string(c.text).find(c.element) + c.element.size());
  }
}

TEST(XmlReader, WaveIsNotWaves) {
  const char16_t* text = u"<Waves>5</Waves><Wave>6</Wave>";
  std::int32_t value = 0;
  EXPECT_EQ(XmlGetLong(u"Wave", text, value), 30u);
  EXPECT_EQ(value, 6);
  EXPECT_EQ(XmlGetLong(u"Waves", text, value), 16u);
  EXPECT_EQ(value, 5);
  EXPECT_EQ(XmlGetLong(u"Wave", u"<Waves>5</Waves>", value), 0u);
}

TEST(XmlReader, StringsAreUnescapedOnce) {
  const std::u16string text = u"<S>a &amp;lt; &quot;b&quot; &apos;c&apos; &gt; &x;</S>";
  TString out;
  EXPECT_EQ(XmlGetString(u"S", text.c_str(), out), text.size());
  EXPECT_EQ(Text(out), u"a &lt; \"b\" 'c' > &x;");
}

TEST(XmlReader, IntegerTexts) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  struct Case {
    const char16_t* text;
    std::int64_t i64;
    std::int32_t i32;
    std::int16_t i16;
    bool flag;
  } const cases[] = {
      {u"<V>42</V>", 42, 42, 42, true},
      {u"<V>  \r\n\t-5</V>", -5, -5, -5, true},
      {u"<V>+7</V>", 7, 7, 7, true},
      {u"<V>12abc</V>", 12, 12, 12, true},
      {u"<V>1.9</V>", 1, 1, 1, true},
      {u"<V>abc</V>", 0, 0, 0, false},
      {u"<V></V>", 0, 0, 0, false},
      {u"<V>0</V>", 0, 0, 0, false},
      {u"<V>4294967297</V>", 4294967297, 1, 1, true},  // narrowed, as the types hold
      {u"<V>65537</V>", 65537, 65537, 1, true},
      {u"<V>-9223372036854775808</V>", kMin, 0, 0, true},
      {u"<V>99999999999999999999</V>", kMax, -1, -1, true},  // saturates, never overflows
      {u"<V>-99999999999999999999</V>", kMin, 0, 0, true},
  };
  for (const Case& c : cases) {
    std::int64_t i64 = kUntouched;
    std::int32_t i32 = kUntouched;
    std::int16_t i16 = kUntouched;
    bool flag = !c.flag;
    XmlGetInt64(u"V", c.text, i64);
    XmlGetLong(u"V", c.text, i32);
    XmlGetShort(u"V", c.text, i16);
    XmlGetBool(u"V", c.text, flag);
    EXPECT_EQ(i64, c.i64);
    EXPECT_EQ(i32, c.i32);
    EXPECT_EQ(i16, c.i16);
    EXPECT_EQ(flag, c.flag);
  }
}

TEST(XmlReader, DoubleTextsIgnoreTheLocale) {
  xml_test::ScopedDecimalPoint comma(u',');
  struct Case {
    const char16_t* text;
    double value;
  } const cases[] = {
      {u"<V>1.5</V>", 1.5},
      {u"<V> 2.5E-7</V>", 2.5e-7},
      {u"<V>-1E+20</V>", -1e20},
      {u"<V>0x1F</V>", 31},
      {u"<V>INF</V>", std::numeric_limits<double>::infinity()},
      {u"<V>-INF</V>", -std::numeric_limits<double>::infinity()},
      {u"<V>1,5</V>", 1},
      {u"<V>abc</V>", 0},
  };
  for (const Case& c : cases) {
    double value = kUntouched;
    XmlGetDouble(u"V", c.text, value);
    EXPECT_EQ(value, c.value);
  }
  double nan = 0;
  XmlGetDouble(u"V", u"<V>1.#QNAN</V>", nan);
  EXPECT_TRUE(std::isnan(nan));
  EXPECT_EQ(platform::DecimalPoint(), u',');
}

TEST(XmlReader, Rectangles) {
  struct Case {
    const char16_t* text;
    TRect expected;
  } const cases[] = {
      {u"<B><left>5</left><top>6</top><right>70</right><bottom>80</bottom></B>", {5, 6, 70, 80}},
      {u"<B><left>30</left><top>40</top><right>10</right><bottom>20</bottom></B>",
       {10, 20, 30, 40}},
      {u"<B><left>-3</left><top>-4</top><right>-1</right><bottom>-2</bottom></B>",
       {-3, -4, -1, -2}},
      // A missing coordinate keeps the rectangle's value: {1, 2, 3, 4} with left 5, then ordered.
      {u"<B>\r\n\t<left>5</left>\r\n</B>", {3, 2, 5, 4}},
      {u"<B></B>", {1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    TRect rect{1, 2, 3, 4};
    EXPECT_FALSE(XmlGetRect(rect, c.text, u"B"));
    EXPECT_EQ(rect, c.expected);
  }
}

// How the callers read many points: each element, then its leaves, resuming at the returned
// position each time.
TEST(XmlReader, WalksManyElementsByTheReturnedPositions) {
  constexpr int kPoints = 1000;
  std::u16string text = u"<Wave>";
  for (int i = 0; i < kPoints; ++i) {
    std::u16string n;
    for (char ch : std::to_string(i)) n.push_back(static_cast<char16_t>(ch));
    text += u"\r\n\t<Point>\r\n\t\t<T>" + n + u"</T>\r\n\t\t<Y>-" + n + u"</Y>\r\n\t</Point>";
  }
  text += u"\r\n</Wave>";

  int count = 0;
  std::size_t position = 0;
  TString point;
  while (std::size_t step = XmlFindElement(u"Point", text.c_str() + position, point)) {
    double t = -1, y = -1;
    EXPECT_NE(XmlGetDouble(u"T", point.Str(), t), 0u);
    EXPECT_NE(XmlGetDouble(u"Y", point.Str(), y), 0u);
    EXPECT_EQ(t, count);
    EXPECT_EQ(y, -count);
    ++count;
    position += step;
  }
  EXPECT_EQ(count, kPoints);

  // The leaves alone, straight through the whole text.
  count = 0;
  position = 0;
  std::int32_t t = -1;
  while (std::size_t step = XmlGetLong(u"T", text.c_str() + position, t)) {
    EXPECT_EQ(t, count++);
    position += step;
  }
  EXPECT_EQ(count, kPoints);
}

// Hostile shapes that a naive search turns quadratic. Linear, each finishes at once; quadratic,
// each would run for minutes and time the test out.
TEST(XmlReader, HostileTextsStayLinear) {
  constexpr int kRepeats = 100000;
  std::u16string opened;
  std::u16string attributed;
  for (int i = 0; i < kRepeats; ++i) {
    opened += u"<P>";
    attributed += u"<T a=\"1\">5</T>";
  }
  TString out;
  EXPECT_EQ(XmlFindElement(u"P", opened.c_str(), out), opened.size());
  EXPECT_EQ(XmlGetString(u"P", opened.c_str(), out), 0u);
  EXPECT_EQ(XmlFindElement(u"P", (opened + u"</P>").c_str(), out), opened.size() + 4);

  int count = 0;
  std::size_t position = 0;
  std::int32_t value = 0;
  while (std::size_t step = XmlGetLong(u"T", attributed.c_str() + position, value)) {
    position += step;
    ++count;
  }
  EXPECT_EQ(count, kRepeats);
}

TEST(XmlReader, NullArgumentsAreMissing) {
  TString out(u"x");
  double d = 1;
  TRect rect{1, 2, 3, 4};
  EXPECT_EQ(XmlFindElement(nullptr, u"<V>1</V>", out), 0u);
  EXPECT_EQ(XmlGetString(u"V", nullptr, out), 0u);
  EXPECT_EQ(XmlGetDouble(nullptr, u"<V>2</V>", d), 0u);
  EXPECT_TRUE(XmlGetRect(rect, nullptr, u"V"));
  EXPECT_EQ(Text(out), u"");
  EXPECT_EQ(d, 1);
}

}  // namespace

namespace {

// Sections end their elements in place while they live and give the text back whole; a getter in
// an inner section does not find what follows it.
TEST(XmlSection, EndsTheElementInPlaceAndPutsTheTextBack) {
  const std::u16string original =
      u"<Doc><W><P><T>1</T></P><P><Y>2</Y></P></W><W><P><T>3</T></P></W><G>x</G></Doc>";
  std::u16string text = original;
  {
    const TXmlSection doc(u"Doc", text.data());
    ASSERT_TRUE(doc.Found());
    EXPECT_EQ(doc.Length(), original.size());
    EXPECT_EQ(doc.Next(), original.size());
    std::vector<double> found;
    for (std::size_t wave = 0;;) {
      const TXmlSection w(u"W", doc.Str() + wave);
      if (!w.Found()) break;
      wave += w.Next();
      for (std::size_t point = 0;;) {
        const TXmlSection p(u"P", w.Str() + point);
        if (!p.Found()) break;
        point += p.Next();
        EXPECT_EQ(std::u16string(p.Str()).substr(0, 3), u"<P>");
        double y = -1;
        // The first point has no Y: the second's is beyond its end.
        XmlGetDouble(u"Y", p.Str(), y);
        found.push_back(y);
      }
    }
    EXPECT_EQ(found, (std::vector<double>{-1, 2, -1}));
    TString gText;
    EXPECT_NE(XmlGetString(u"G", doc.Str(), gText), 0u);
    EXPECT_EQ(std::u16string(gText.Str()), u"x");
  }
  EXPECT_EQ(text, original);
}

TEST(XmlSection, MissingAndUnclosedElements) {
  std::u16string text = u"<A><B>1</B>";
  {
    const TXmlSection missing(u"C", text.data());
    EXPECT_FALSE(missing.Found());
    EXPECT_EQ(missing.Next(), 0u);
    EXPECT_EQ(missing.Str()[0], u'\0');
    // Never closed: runs to the end of the text, whose terminator stays.
    const TXmlSection open(u"A", text.data());
    ASSERT_TRUE(open.Found());
    EXPECT_EQ(std::u16string(open.Str()), text);
  }
  EXPECT_EQ(text, u"<A><B>1</B>");
}

}  // namespace
