#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/file.h"
#include "xml/xml_doc.h"
#include "xml/xml_tree.h"
#include "xml_test_support.h"

namespace {

using xml_test::Text;

std::u16string Written(TXmlDoc& doc, bool pretty = true) {
  TString out;
  EXPECT_FALSE(doc.FillString(out, pretty));
  return Text(out);
}

std::u16string LeafText(TXmlChild* leaf) {
  TXmlDoc doc;
  doc.SetHeader(u"");
  auto* root = new TXmlNode(u"R");
  root->AddChild(leaf);
  doc.SetRoot(root);
  return Written(doc, false);
}

// A small configuration-like file with every kind of element.
void BuildSample(TXmlDoc& doc) {
  auto* root = new TXmlNode(u"Varnel_Configuration");
  doc.SetRoot(root);
  root->AddChild(new TXmlChild(u"Language", 1));
  root->AddChild(new TXmlChild(u"Name", u"a <b> & \"c\" 'd'"));
  root->AddChild(new TXmlNode(u"Empty"));
  root->AddChild(new TXmlChild(u"Ratio", 1.5));
  auto* flag = new TXmlChild(u"Flag");
  flag->AddAttribute(u"id", u"x y");
  root->AddChild(flag);
  root->AddChild(new TXmlNode(u"Box", TRect{1, 2, 3, 4}));
}

constexpr char16_t kSampleText[] =
    u"<?xml version=\"1.0\" standalone=\"yes\"?>\r\n"
    u"<Varnel_Configuration>\r\n"
    u"\t<Language>1</Language>\r\n"
    u"\t<Name>a &lt;b&gt; &amp; &quot;c&quot; &apos;d&apos;</Name>\r\n"
    u"\t<Empty>\r\n"
    u"\t</Empty>\r\n"
    u"\t<Ratio>1.5</Ratio>\r\n"
    u"\t<Flag id=\"x y\"/>\r\n"
    u"\t<Box>\r\n"
    u"\t\t<left>1</left>\r\n"
    u"\t\t<top>2</top>\r\n"
    u"\t\t<right>3</right>\r\n"
    u"\t\t<bottom>4</bottom>\r\n"
    u"\t</Box>\r\n"
    u"</Varnel_Configuration>";

TEST(XmlDoc, SavesTheExactBytes) {
  xml_test::TempPath path(u"varnel_xml_golden.xml");
  TXmlDoc doc;
  BuildSample(doc);
  EXPECT_FALSE(doc.SaveAs(path.c_str(), 16000));
  // Byte-order mark FF FE, UTF-16LE, CR LF and tabs, no final line break.
  EXPECT_EQ(xml_test::ReadBytes(path.c_str()), "\xFF\xFE" + xml_test::Utf16Le(kSampleText));
}

TEST(XmlDoc, ConstructionAndFillString) {
  TXmlDoc doc;
  EXPECT_EQ(Text(doc.Header()), u"<?xml version=\"1.0\" standalone=\"yes\"?>");
  EXPECT_EQ(doc.Header().Length(), 38u);
  EXPECT_EQ(Text(doc.Indent()), u"\r\n");
  EXPECT_EQ(doc.Root(), nullptr);
  EXPECT_EQ(Written(doc), kXmlHeader);  // no root: only the header

  BuildSample(doc);
  TString out(u"replaced");
  EXPECT_FALSE(doc.FillString(out, true));
  EXPECT_EQ(Text(out), kSampleText);
  EXPECT_EQ(Written(doc), kSampleText);  // the indent is back to CR LF after a fill
  doc.SetHeader(u"<?x?>");
  EXPECT_EQ(Written(doc, false).substr(0, 34), u"<?x?><Varnel_Configuration><Langua");
}

TEST(XmlDoc, SettingTheRootTwiceIsReportedAndTheSecondWins) {
  xml_test::AssertCapture asserts;
  TXmlDoc doc;
  doc.SetRoot(new TXmlNode(u"First"));
  EXPECT_TRUE(asserts.lines().empty());
  auto* second = new TXmlNode(u"Second");
  doc.SetRoot(second);
  EXPECT_TRUE(asserts.Saw(u"Do not set the XML Document root twice"));
  EXPECT_EQ(doc.Root(), second);
  doc.SetRoot(second);  // the same node again must not free it
  EXPECT_EQ(Written(doc, false), std::u16string(kXmlHeader) + u"<Second></Second>");
}

TEST(XmlChild, ValueTexts) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    TXmlChild* leaf;
    const char16_t* expected;
  } const cases[] = {
      {new TXmlChild(u"D", 1e20), u"<D>1E+20</D>"},
      {new TXmlChild(u"D", 0.00001), u"<D>1E-5</D>"},
      {new TXmlChild(u"D", 2.5e-7), u"<D>2.5E-7</D>"},
      {new TXmlChild(u"D", 123456789012.0), u"<D>123456789012</D>"},
      {new TXmlChild(u"D", 1.5), u"<D>1.5</D>"},
      {new TXmlChild(u"D", 1.0 / 3.0), u"<D>0.3333333333333</D>"},
      {new TXmlChild(u"D", 0.0001), u"<D>0.0001</D>"},
      {new TXmlChild(u"D", 1e13), u"<D>1E+13</D>"},
      {new TXmlChild(u"D", 1e-100), u"<D>1E-100</D>"},
      {new TXmlChild(u"D", -1.7976931348623157e308), u"<D>-1.797693134862E+308</D>"},
      {new TXmlChild(u"D", 0.0), u"<D>0</D>"},
      {new TXmlChild(u"D", -2.5), u"<D>-2.5</D>"},
      {new TXmlChild(u"D", nan), u"<D>1.#QNAN</D>"},
      {new TXmlChild(u"D", inf), u"<D>INF</D>"},
      {new TXmlChild(u"D", -inf), u"<D>-INF</D>"},
      {new TXmlChild(u"L", std::numeric_limits<std::int32_t>::min()), u"<L>-2147483648</L>"},
      {new TXmlChild(u"L", true), u"<L>1</L>"},
      {new TXmlChild(u"U", std::numeric_limits<std::uint32_t>::max()), u"<U>4294967295</U>"},
      {new TXmlChild(u"S", u"  two  spaces\r\nline 'q'"),
       u"<S>  two  spaces\r\nline &apos;q&apos;</S>"},
      {new TXmlChild(u"S", TString()), u"<S></S>"},
      {new TXmlChild(u"Wave Name", u"x"), u"<Wave_Name>x</Wave_Name>"},
      {new TXmlChild(u"E"), u"<E/>"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LeafText(c.leaf), std::u16string(u"<R>") + c.expected + u"</R>")
        << std::u16string(c.expected).size();
  }
}

TEST(XmlChild, AttributesInOrderWithNamesAndValuesEscaped) {
  auto* leaf = new TXmlChild(u"P", 2);
  leaf->AddAttribute(u"first name", u"a \"b\" <c>");
  leaf->AddAttribute(u"z", u"");
  EXPECT_EQ(LeafText(leaf), u"<R><P first_name=\"a &quot;b&quot; &lt;c&gt;\" z=\"\">2</P></R>");
}

TEST(XmlChild, TypesOutsideTheTable) {
  xml_test::AssertCapture asserts;
  auto* boolean = new TXmlChild(u"B");
  boolean->value.type = kXmlBool;
  boolean->value.boolVal = -1;
  EXPECT_EQ(LeafText(boolean), u"<R><B>-1</B></R>");
  EXPECT_TRUE(asserts.lines().empty());

  auto* odd = new TXmlChild(u"X", 7);
  odd->value.type = 3;
  EXPECT_EQ(LeafText(odd), u"<R><X></X></R>");
  EXPECT_TRUE(asserts.Saw(u"TXmlVariant::FillString() called for unsuported type"));
}

TEST(XmlNode, NestingIndentsByOneTabPerDepth) {
  TXmlDoc doc;
  auto* root = new TXmlNode(u"A");
  auto* b = new TXmlNode(u"B");
  auto* c = new TXmlNode(u"C");
  c->AddChild(new TXmlChild(u"D", 1));
  b->AddChild(c);
  b->AddChild(new TXmlNode(u"E"));
  root->AddChild(b);
  root->AddChild(new TXmlChild(u"F", 2));
  root->AddChild(nullptr);  // ignored
  doc.SetRoot(root);
  EXPECT_EQ(Written(doc), std::u16string(kXmlHeader) +
                              u"\r\n<A>\r\n\t<B>\r\n\t\t<C>\r\n\t\t\t<D>1</D>\r\n\t\t</C>\r\n"
                              u"\t\t<E>\r\n\t\t</E>\r\n\t</B>\r\n\t<F>2</F>\r\n</A>");
  EXPECT_EQ(root->Children().size(), 2u);
}

TEST(XmlDoc, NumbersUseAPointWhateverTheLocale) {
  xml_test::ScopedDecimalPoint comma(u',');
  TXmlDoc doc;
  auto* root = new TXmlNode(u"R");
  root->AddChild(new TXmlChild(u"D", 1.5));
  root->AddChild(new TXmlChild(u"E", 2.5e-7));
  doc.SetRoot(root);
  EXPECT_EQ(Written(doc, false), std::u16string(kXmlHeader) + u"<R><D>1.5</D><E>2.5E-7</E></R>");
  EXPECT_EQ(platform::DecimalPoint(), u',');  // restored afterwards
}

TEST(XmlDoc, FailedWritesReturnTrueAndRewind) {
  struct Case {
    const char* name;
    long budget;          // bytes that may be written
    std::int64_t endsAt;  // file position after WriteTo: where the failed write began
    std::size_t bytesInFile;
  } const cases[] = {
      {"nothing can be written", 0, 3, 3},
      {"mark cut after one byte", 1, 3, 4},
      {"text cut after four bytes", 6, 5, 9},
  };
  for (const Case& c : cases) {
    xml_test::TempPath path(u"varnel_xml_fail.xml");
    platform::File file;
    ASSERT_TRUE(file.Open(path.c_str(), platform::File::Mode::Write));
    ASSERT_EQ(file.Write("abc", 3), 3u);
    TXmlDoc doc;
    BuildSample(doc);
    platform::faults::FileFaults faults;
    faults.writeBudget = c.budget;
    {
      xml_test::ScopedFileFaults installed(faults);
      EXPECT_TRUE(doc.WriteTo(file, 256000)) << c.name;
    }
    EXPECT_EQ(file.Tell(), c.endsAt) << c.name;
    file.Close();
    EXPECT_EQ(xml_test::ReadBytes(path.c_str()).size(), c.bytesInFile) << c.name;
  }
}

TEST(XmlDoc, SaveAsFailsWhenTheFileCannotBeOpened) {
  xml_test::TempPath path(u"varnel_xml_noopen.xml");
  TXmlDoc doc;
  BuildSample(doc);
  platform::faults::FileFaults faults;
  faults.failOpen = true;
  xml_test::ScopedFileFaults installed(faults);
  EXPECT_TRUE(doc.SaveAs(path.c_str(), 16000));
  EXPECT_FALSE(platform::File::Exists(path.c_str()));
}

}  // namespace
