#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "text/numbers.h"
#include "text/unit_buffer.h"
#include "xml/xml_doc.h"
#include "xml/xml_file.h"
#include "xml/xml_reader.h"
#include "xml_test_support.h"

namespace {

using xml_test::Text;

// Writes one root holding the given leaves to a file and reads the file back as the program does.
class RoundTrip {
 public:
  RoundTrip() : path_(u"varnel_xml_round_trip.xml"), root_(new TXmlNode(u"Root")) {
    doc_.SetRoot(root_);
  }
  void Add(TXmlChild* child) { root_->AddChild(child); }
  TString WriteAndRead() {
    EXPECT_FALSE(doc_.SaveAs(path_.c_str(), 16000));
    TString text;
    EXPECT_EQ(XmlLoadFile(path_.c_str(), text), XmlFileStatus::Read);
    TString root;
    EXPECT_NE(XmlFindElement(u"Root", text.Str(), root), 0u);
    return root;
  }

 private:
  xml_test::TempPath path_;
  TXmlDoc doc_;
  TXmlNode* root_;
};

TEST(XmlRoundTrip, Strings) {
  const char16_t* const values[] = {
      u"plain",   u"a < b && c > d",  u"\"quoted\" and 'single'", u"&amp; stays &amp;",
      u"",        u"  spaces kept  ", u"line\r\nbreak\ttab",      u"\u00e9\u20ac\U0001F600",
      u"</S><S>",
  };
  RoundTrip file;
  int i = 0;
  for (const char16_t* value : values) {
    file.Add(new TXmlChild(TString(u"S ", std::u16string(1, u'a' + i++).c_str()), value));
  }
  const TString root = file.WriteAndRead();
  i = 0;
  for (const char16_t* value : values) {
    // Spaces in names are written as '_', so the reader asks for that name.
    const std::u16string name = std::u16string(u"S_") + static_cast<char16_t>(u'a' + i++);
    TString read(u"stale");
    EXPECT_NE(XmlGetString(name.c_str(), root.Str(), read), 0u);
    EXPECT_EQ(Text(read), value);
  }
}

TEST(XmlRoundTrip, Doubles) {
  const double values[] = {
      0.0,
      -0.0,
      1.5,
      -2.25,
      1.0 / 3.0,
      -1.0 / 3.0,
      1e20,
      0.00001,
      2.5e-7,
      123456789012.0,
      1.7e308,
      -4.9e-324,
      2.2250738585072014e-308,
      1e13,
      9999999999999.0,
      1700000000123.0,
      std::numeric_limits<double>::infinity(),
      -std::numeric_limits<double>::infinity(),
      std::numeric_limits<double>::quiet_NaN(),
  };
  xml_test::ScopedDecimalPoint comma(u',');  // neither writing nor reading may use it
  RoundTrip file;
  for (double value : values) file.Add(new TXmlChild(u"D", value));
  const TString root = file.WriteAndRead();
  std::size_t position = 0;
  for (double value : values) {
    double read = 12345;
    const std::size_t step = XmlGetDouble(u"D", root.Str() + position, read);
    ASSERT_NE(step, 0u);
    position += step;
    if (std::isnan(value)) {
      EXPECT_TRUE(std::isnan(read));
    } else if (std::isinf(value) || value == 0) {
      EXPECT_EQ(read, value);
      EXPECT_EQ(std::signbit(read), std::signbit(value));
    } else {
      // 13 significant digits are kept.
      EXPECT_NEAR(read, value, std::fabs(value) * 5e-13) << "value " << value;
    }
  }
}

TEST(XmlRoundTrip, Integers) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::uint32_t kUMax = std::numeric_limits<std::uint32_t>::max();
  RoundTrip file;
  file.Add(new TXmlChild(u"Zero", 0));
  file.Add(new TXmlChild(u"Negative", -17));
  file.Add(new TXmlChild(u"Min", kMin));
  file.Add(new TXmlChild(u"Max", kMax));
  file.Add(new TXmlChild(u"Unsigned", kUMax));
  file.Add(new TXmlNode(u"Box", TRect{-10, 20, 300, 4000}));
  const TString root = file.WriteAndRead();

  std::int32_t value = 99;
  EXPECT_NE(XmlGetLong(u"Zero", root.Str(), value), 0u);
  EXPECT_EQ(value, 0);
  EXPECT_NE(XmlGetLong(u"Negative", root.Str(), value), 0u);
  EXPECT_EQ(value, -17);
  EXPECT_NE(XmlGetLong(u"Min", root.Str(), value), 0u);
  EXPECT_EQ(value, kMin);
  EXPECT_NE(XmlGetLong(u"Max", root.Str(), value), 0u);
  EXPECT_EQ(value, kMax);
  std::int64_t wide = 0;
  EXPECT_NE(XmlGetInt64(u"Unsigned", root.Str(), wide), 0u);
  EXPECT_EQ(wide, std::int64_t{kUMax});
  TRect box;
  EXPECT_FALSE(XmlGetRect(box, root.Str(), u"Box"));
  EXPECT_EQ(box, (TRect{-10, 20, 300, 4000}));
}

TEST(XmlRoundTrip, AttributedAndEmptyElements) {
  RoundTrip file;
  auto* tagged = new TXmlChild(u"Tagged", 5);
  tagged->AddAttribute(u"unit", u"m/s");
  file.Add(tagged);
  auto* flag = new TXmlChild(u"Flag");
  flag->AddAttribute(u"on", u"1");
  file.Add(flag);
  file.Add(new TXmlChild(u"Nothing"));
  const TString root = file.WriteAndRead();

  std::int32_t value = 0;
  EXPECT_NE(XmlGetLong(u"Tagged", root.Str(), value), 0u);
  EXPECT_EQ(value, 5);
  EXPECT_EQ(XmlGetLong(u"Nothing", root.Str(), value), 0u);  // "<Nothing/>" matches neither form
  EXPECT_EQ(XmlGetLong(u"Flag", root.Str(), value), 0u);     // found, but never closed
  TString element;
  const std::size_t end = XmlFindElement(u"Flag", root.Str(), element);
  EXPECT_EQ(end, root.Length());
  EXPECT_TRUE(Text(element).starts_with(u"<Flag on=\"1\"/>"));
}

TEST(XmlFile, OnlyUnicodeFilesAreRead) {
  struct Case {
    const char* name;
    std::string bytes;
    XmlFileStatus status;
    std::u16string text;
  } const cases[] = {
      {"with mark", "\xFF\xFE" + xml_test::Utf16Le(u"<R>1</R>"), XmlFileStatus::Read,
       u"\uFEFF<R>1</R>"},
      {"without mark", xml_test::Utf16Le(u"<R>1</R>"), XmlFileStatus::NotUnicode, u""},
      {"big-endian mark", "\xFE\xFF" + xml_test::Utf16Le(u"<R>"), XmlFileStatus::NotUnicode, u""},
      {"empty", "", XmlFileStatus::NotUnicode, u""},
      {"8-bit text", "<R>1</R>", XmlFileStatus::NotUnicode, u""},
  };
  for (const Case& c : cases) {
    xml_test::TempPath path(u"varnel_xml_load.xml");
    {
      platform::File file;
      ASSERT_TRUE(file.Open(path.c_str(), platform::File::Mode::Write));
      file.Write(c.bytes.data(), c.bytes.size());
    }
    TString text(u"stale");
    EXPECT_EQ(XmlLoadFile(path.c_str(), text), c.status) << c.name;
    EXPECT_EQ(Text(text), c.text) << c.name;
    TXmlFileText inPlace;
    EXPECT_EQ(inPlace.Load(path.c_str()), c.status) << c.name;
    EXPECT_EQ(std::u16string(inPlace.Buffer(), inPlace.Length()), c.text) << c.name;
  }
  TString text(u"stale");
  EXPECT_EQ(XmlLoadFile(u"varnel_xml_no_such_file.xml", text), XmlFileStatus::CannotOpen);
  EXPECT_EQ(Text(text), u"");
  TXmlFileText inPlace;
  EXPECT_EQ(inPlace.Load(u"varnel_xml_no_such_file.xml"), XmlFileStatus::CannotOpen);
  EXPECT_EQ(inPlace.Length(), 0u);
  EXPECT_EQ(inPlace.Buffer()[0], 0);
}

// The text read in place is the text read into memory, whether the file is mapped (its last page
// has room for the NUL) or read (a file that fills its last page, a lone byte at its end); and
// what the readers write into it stays out of the file.
TEST(XmlFile, TextReadInPlaceIsTheTextReadIntoMemory) {
  for (const std::size_t bytes : {4u, 4094u, 4095u, 4096u, 4098u, 8192u, 12290u}) {
    xml_test::TempPath path(u"varnel_xml_in_place.xml");
    std::string content = "\xFF\xFE";
    for (std::size_t i = 2; i < bytes; ++i) content.push_back(static_cast<char>('a' + i % 26));
    {
      platform::File file;
      ASSERT_TRUE(file.Open(path.c_str(), platform::File::Mode::Write));
      ASSERT_EQ(file.Write(content.data(), content.size()), content.size());
    }
    TString text;
    ASSERT_EQ(XmlLoadFile(path.c_str(), text), XmlFileStatus::Read) << bytes;
    {
      TXmlFileText inPlace;
      ASSERT_EQ(inPlace.Load(path.c_str()), XmlFileStatus::Read) << bytes;
      ASSERT_EQ(inPlace.Length(), text.Length()) << bytes;
      EXPECT_EQ(inPlace.Buffer()[inPlace.Length()], 0) << bytes;
      EXPECT_EQ(std::u16string(inPlace.Buffer(), inPlace.Length()), Text(text)) << bytes;
      inPlace.Buffer()[1] = 0;
    }
    platform::File file;
    ASSERT_TRUE(file.Open(path.c_str(), platform::File::Mode::Read));
    std::string after(bytes, '\0');
    ASSERT_EQ(file.Read(after.data(), bytes), bytes);
    EXPECT_EQ(after, content) << bytes;
  }
}

// A file of the mark and `units` more UTF-16 units, written in pieces.
void WriteLongFile(const char16_t* path, std::uint64_t units) {
  platform::File file;
  ASSERT_TRUE(file.Open(path, platform::File::Mode::Write));
  const std::string mark = "\xFF\xFE";
  ASSERT_EQ(file.Write(mark.data(), mark.size()), mark.size());
  const std::string piece = xml_test::Utf16Le(std::u16string(1 << 20, u'x'));
  for (std::uint64_t written = 0; written < units; written += piece.size() / 2) {
    const std::size_t bytes =
        static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), (units - written) * 2));
    ASSERT_EQ(file.Write(piece.data(), bytes), bytes);
  }
}

TEST(XmlFile, FilesReadOnlyInPartAreCutShort) {
  {
    // One unit past what a text can hold, the mark included.
    xml_test::TempPath path(u"varnel_xml_over_cap.xml");
    WriteLongFile(path.c_str(), TString::kMaxLength);
    TString text(u"stale");
    EXPECT_EQ(XmlLoadFile(path.c_str(), text), XmlFileStatus::CutShort);
    EXPECT_EQ(Text(text), u"");
    TXmlFileText inPlace;
    EXPECT_EQ(inPlace.Load(path.c_str()), XmlFileStatus::CutShort);
    EXPECT_EQ(inPlace.Length(), 0u);
  }
  {
    // Exactly what a text can hold is read whole.
    xml_test::TempPath path(u"varnel_xml_at_cap.xml");
    WriteLongFile(path.c_str(), TString::kMaxLength - 1);
    TString text;
    EXPECT_EQ(XmlLoadFile(path.c_str(), text), XmlFileStatus::Read);
    EXPECT_EQ(text.Length(), TString::kMaxLength);
  }
  {
    // Without room for the whole file, the reader takes only its first 1200000 units.
    xml_test::TempPath path(u"varnel_xml_no_room.xml");
    WriteLongFile(path.c_str(), 1300000);
    TString text;
    text::faults::FailNextAllocations(1);
    const XmlFileStatus status = XmlLoadFile(path.c_str(), text);
    text::faults::FailNextAllocations(0);
    EXPECT_EQ(status, XmlFileStatus::CutShort);
    EXPECT_EQ(Text(text), u"");
  }
}

TEST(XmlFile, LargeFilesAreReadWhole) {
  // Past the 1200000 units LoadFromFile limits an unprepared buffer to.
  xml_test::TempPath path(u"varnel_xml_large.xml");
  TXmlDoc doc;
  auto* root = new TXmlNode(u"Root");
  doc.SetRoot(root);
  constexpr int kLeaves = 80000;
  for (int i = 0; i < kLeaves; ++i) root->AddChild(new TXmlChild(u"Value", i));
  ASSERT_FALSE(doc.SaveAs(path.c_str(), 256000));
  TString text;
  ASSERT_EQ(XmlLoadFile(path.c_str(), text), XmlFileStatus::Read);
  EXPECT_GT(text.Length(), 1200000u);
  TString last;
  EXPECT_EQ(XmlFindElement(u"Root", text.Str(), last), text.Length());
  EXPECT_TRUE(Text(last).ends_with(u"<Value>79999</Value>\r\n</Root>"));
}

}  // namespace
