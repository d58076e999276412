#include "document/plain_point.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/locale.h"

namespace {

struct Read {
  std::size_t length;
  double t;
  double y;
};

Read ReadFrom(const std::u16string& text) {
  Read r{0, -1, -1};
  r.length = ReadPlainPoint(text.c_str(), r.t, r.y);
  return r;
}

TEST(PlainPoint, ReadsAPointAsSaveWritesItUpToItsEnd) {
  const std::u16string point =
      u"\r\n\t\t\t<Point>\r\n\t\t\t\t<T>1718438400000.500</T>"
      u"\r\n\t\t\t\t<Y>-12.250</Y>\r\n\t\t\t</Point>";
  const Read r = ReadFrom(point + u"\r\n\t\t\t<Point>");
  EXPECT_EQ(r.length, point.size());
  EXPECT_EQ(r.t, 1718438400000.5);
  EXPECT_EQ(r.y, -12.25);
}

TEST(PlainPoint, NumbersAreReadWithAPointWhateverTheLocaleSays) {
  const char16_t previous = platform::SetDecimalPointForTesting(u',');
  const Read r = ReadFrom(u"<Point><T>1.5</T><Y>2,5</Y></Point>");
  platform::SetDecimalPointForTesting(previous);
  EXPECT_EQ(r.t, 1.5);
  EXPECT_EQ(r.y, 2);  // a comma ends the number, as it does in the general reading
}

TEST(PlainPoint, AnythingElseIsLeftUntouchedForTheGeneralReading) {
  const char16_t* const others[] = {
      u"<Wave><Point><T>1</T><Y>2</Y></Point>",      // another element first
      u"<Point a=\"1\"><T>1</T><Y>2</Y></Point>",    // attributes
      u"<Point><T a=\"1\">1</T><Y>2</Y></Point>",    // attributes on a value
      u"<Point><Y>2</Y><T>1</T></Point>",            // another order
      u"<Point><T>1</T><S>on</S></Point>",           // a text point
      u"<Point><T>1</T></Point>",                    // no value
      u"<Point><!-- c --><T>1</T><Y>2</Y></Point>",  // a comment
      u"<Point><T>1<b/></T><Y>2</Y></Point>",        // an element inside a value
      u"<Point><T>1</T><Y>2</Y><Q/></Point>",        // one element more
      u"<Point><Point><T>1</T><Y>2</Y></Point></Point>",
      u"<Point><T>1</T><Y>2</Y></Poin",  // the text ends inside the point
      u"<Point><T>1</T><Y>2",
      u"<Point><T>1</T",
      u"<Poi",
      u"",
  };
  for (const char16_t* text : others) {
    const Read r = ReadFrom(text);
    EXPECT_EQ(r.length, 0u) << std::string(text, text + std::char_traits<char16_t>::length(text));
    EXPECT_EQ(r.t, -1);
    EXPECT_EQ(r.y, -1);
  }
}

}  // namespace
