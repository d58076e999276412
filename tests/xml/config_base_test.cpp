#include "xml/config_base.h"

#include <gtest/gtest.h>

#include <string>

#include "xml/xml_doc.h"
#include "xml/xml_reader.h"
#include "xml_test_support.h"

namespace {

using xml_test::Text;

constexpr platform::ScreenRect kScreen{0, 0, 1280, 1024};

TEST(XmlConfigBase, ConstructionPutsTheMainWindowInTheWorkAreaUnmodified) {
  xml_test::ScopedWorkArea screen({100, 20, 1380, 1044});
  TConfigBaseData config;
  // The constants are the record's initialisers; the main window's box is worked out from the
  // screen's work area: its top-left quarter.
  EXPECT_FALSE(config.modified);
  EXPECT_EQ(config.MainBox, (TRect{100, 20, 740, 532}));
  config.SetDefaults();
  EXPECT_TRUE(config.modified);
}

TEST(XmlConfigBase, WritesTheElementInOrder) {
  xml_test::ScopedWorkArea screen(kScreen);
  TConfigBaseData config;
  config.MessageLevel[3] = false;
  config.MessageTypes[7] = false;
  config.AutoLogoff = false;
  config.modified = true;
  TXmlDoc doc;
  auto* root = new TXmlNode(u"Varnel_Configuration");
  doc.SetRoot(root);
  config.WriteBase(*root);
  EXPECT_FALSE(config.modified);
  TString text;
  doc.FillString(text, true);
  std::u16string expected = std::u16string(kXmlHeader) +
                            u"\r\n<Varnel_Configuration>\r\n\t<ConfigBase>" +
                            u"\r\n\t\t<Language>1</Language>";
  for (int i = 0; i < 5; ++i) {
    const char16_t digit = static_cast<char16_t>(u'0' + i);
    expected += std::u16string(u"\r\n\t\t<MessageLevel_") + digit + u">" + (i == 3 ? u"0" : u"1") +
                u"</MessageLevel_" + digit + u">";
  }
  for (int i = 0; i < 8; ++i) {
    const char16_t digit = static_cast<char16_t>(u'0' + i);
    expected += std::u16string(u"\r\n\t\t<MessageTypes_") + digit + u">" + (i == 7 ? u"0" : u"1") +
                u"</MessageTypes_" + digit + u">";
  }
  expected +=
      u"\r\n\t\t<TraceSize>1</TraceSize>\r\n\t\t<AutoLogoff>0</AutoLogoff>"
      u"\r\n\t\t<MainBox>\r\n\t\t\t<left>0</left>\r\n\t\t\t<top>0</top>"
      u"\r\n\t\t\t<right>640</right>\r\n\t\t\t<bottom>512</bottom>\r\n\t\t</MainBox>"
      u"\r\n\t\t<MessageBox>\r\n\t\t\t<left>50</left>\r\n\t\t\t<top>50</top>"
      u"\r\n\t\t\t<right>200</right>\r\n\t\t\t<bottom>200</bottom>\r\n\t\t</MessageBox>"
      u"\r\n\t</ConfigBase>\r\n</Varnel_Configuration>";
  EXPECT_EQ(Text(text), expected);
}

TEST(XmlConfigBase, ReadsBackWhatItWrote) {
  xml_test::ScopedWorkArea screen(kScreen);
  TConfigBaseData written;
  written.Language = 4;
  written.TraceSize = 250;
  written.AutoLogoff = false;
  written.MessageLevel = {false, true, false, true, false};
  written.MessageTypes = {true, false, true, false, true, false, true, false};
  written.MainBox = {10, 20, 900, 700};
  written.MessageBoxRect = {-5, 6, 70, 80};
  TXmlDoc doc;
  auto* root = new TXmlNode(u"Varnel_Configuration");
  doc.SetRoot(root);
  written.WriteBase(*root);
  TString text;
  doc.FillString(text, true);

  TConfigBaseData read;
  EXPECT_TRUE(read.DiffersFrom(written));
  EXPECT_FALSE(read.ReadXml(text.Str()));
  EXPECT_TRUE(read.modified);
  EXPECT_FALSE(read.DiffersFrom(written));
}

TEST(XmlConfigBase, MissingValuesKeepWhatTheRecordHeld) {
  xml_test::ScopedWorkArea screen(kScreen);
  TConfigBaseData config;
  config.Language = 3;
  config.MessageLevel[2] = false;
  const TConfigBaseData before = config;

  EXPECT_TRUE(config.ReadXml(u"<Varnel_Configuration><General></General></Varnel_Configuration>"));
  EXPECT_FALSE(config.DiffersFrom(before));
  EXPECT_FALSE(config.modified);

  EXPECT_FALSE(
      config.ReadXml(u"<ConfigBase><TraceSize>7</TraceSize><MessageLevel_4>0</MessageLevel_4>"
                     u"<MessageTypes_1>0</MessageTypes_1></ConfigBase>"));
  EXPECT_EQ(config.TraceSize, 7);
  EXPECT_EQ(config.Language, 3);
  EXPECT_EQ(config.MessageLevel, (std::vector<bool>{true, true, false, true, false}));
  EXPECT_EQ(config.MessageTypes,
            (std::vector<bool>{true, false, true, true, true, true, true, true}));
  EXPECT_EQ(config.MainBox, before.MainBox);
  EXPECT_EQ(config.MessageBoxRect, before.MessageBoxRect);
  EXPECT_TRUE(config.AutoLogoff);
}

TEST(XmlConfigBase, Validate) {
  struct Case {
    const char* name;
    std::int32_t language, traceSize;
    TRect mainBox;
    std::int32_t validLanguage, validTraceSize;
    TRect validMainBox;
  } const cases[] = {
      {"in range", 4, 500, {10, 10, 800, 600}, 4, 500, {10, 10, 800, 600}},
      {"language and trace size too high",
       12,
       5000,
       {10, 10, 800, 600},
       9,
       1000,
       {10, 10, 800, 600}},
      {"negative", -1, -5, {10, 10, 800, 600}, 0, 0, {10, 10, 800, 600}},
      {"far right", 1, 1, {5000, 10, 5100, 600}, 1, 1, {1184, 10, 2464, 600}},
      {"too narrow", 1, 1, {100, 10, 200, 600}, 1, 1, {100, 10, 500, 600}},
      {"too low", 1, 1, {10, 2000, 800, 2010}, 1, 1, {10, 928, 800, 1952}},
      {"too short", 1, 1, {10, 100, 800, 120}, 1, 1, {10, 100, 800, 196}},
      {"off the top left", 1, 1, {-300, -200, 100, 50}, 1, 1, {0, 0, 400, 96}},
      {"wider than the screen", 1, 1, {0, 0, 5000, 5000}, 1, 1, {0, 0, 1280, 1024}},
  };
  xml_test::ScopedWorkArea screen(kScreen);
  for (const Case& c : cases) {
    TConfigBaseData config;
    config.Language = c.language;
    config.TraceSize = c.traceSize;
    config.MainBox = c.mainBox;
    config.MessageBoxRect = {-50, -50, 9000, 9000};
    config.Validate();
    EXPECT_EQ(config.Language, c.validLanguage) << c.name;
    EXPECT_EQ(config.TraceSize, c.validTraceSize) << c.name;
    EXPECT_EQ(config.MainBox, c.validMainBox) << c.name;
    EXPECT_EQ(config.MessageBoxRect, (TRect{-50, -50, 9000, 9000})) << c.name;  // never limited
    EXPECT_TRUE(config.modified);
  }
}

TEST(XmlConfigBase, ValidatesWhatWasRead) {
  xml_test::ScopedWorkArea screen(kScreen);
  TConfigBaseData config;
  EXPECT_FALSE(
      config.ReadXml(u"<ConfigBase><Language>12</Language><TraceSize>-5</TraceSize>"
                     u"<MainBox><left>5000</left><top>0</top><right>5100</right>"
                     u"<bottom>500</bottom></MainBox></ConfigBase>"));
  config.Validate();
  EXPECT_EQ(config.Language, 9);
  EXPECT_EQ(config.TraceSize, 0);
  EXPECT_EQ(config.MainBox, (TRect{1184, 0, 2464, 500}));
}

TEST(XmlConfigBase, DiffersFromEachStoredValue) {
  xml_test::ScopedWorkArea screen(kScreen);
  const TConfigBaseData base;
  using Change = void (*)(TConfigBaseData&);
  const Change changes[] = {
      [](TConfigBaseData& c) { c.recordKind = 1; },
      [](TConfigBaseData& c) { c.Language = 2; },
      [](TConfigBaseData& c) { c.MessageLevel[4] = false; },
      [](TConfigBaseData& c) { c.MessageTypes[0] = false; },
      [](TConfigBaseData& c) { c.TraceSize = 2; },
      [](TConfigBaseData& c) { c.MainBox.bottom += 1; },
      [](TConfigBaseData& c) { c.MessageBoxRect.left += 1; },
      [](TConfigBaseData& c) { c.AutoLogoff = false; },
  };
  for (Change change : changes) {
    TConfigBaseData other = base;
    EXPECT_FALSE(other.DiffersFrom(base));
    change(other);
    EXPECT_TRUE(other.DiffersFrom(base));
    EXPECT_TRUE(base.DiffersFrom(other));
  }
  TConfigBaseData flagged = base;
  flagged.modified = true;
  EXPECT_FALSE(flagged.DiffersFrom(base));  // the flag is not a stored value
}

TEST(XmlConfigBase, LoadAndSaveMustBeOverridden) {
  xml_test::AssertCapture asserts;
  TConfigBaseData config;
  EXPECT_TRUE(config.Load());
  EXPECT_TRUE(config.Save());
  ASSERT_EQ(asserts.lines().size(), 2u);
  EXPECT_TRUE(asserts.lines()[0].starts_with(u"Assert in ConfigBase line "));
  EXPECT_TRUE(asserts.Saw(u"You should override this function"));
}

}  // namespace
