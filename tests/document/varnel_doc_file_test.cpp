#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "doc_test_support.h"
#include "document/varnel_doc.h"
#include "platform/file.h"
#include "text/unit_buffer.h"

namespace {

using namespace doc_test;

constexpr char16_t kBom[] = u"\uFEFF";

class DocFileTest : public DocTest {
 protected:
  void SetUp() override {
    DocTest::SetUp();
    SetClock(Local(2024, 6, 15, 14, 30, 45, 500));
  }

  std::u16string ReadFile(const TString& path) const { return ReadUnits(path.Str()); }

  static void WriteUnits(const TString& path, const std::u16string& units) {
    platform::File file;
    ASSERT_TRUE(file.Open(path.Str(), platform::File::Mode::Write));
    std::string bytes;
    for (char16_t c : units) {
      bytes += static_cast<char>(c & 0xFF);
      bytes += static_cast<char>(c >> 8);
    }
    file.Write(bytes.data(), bytes.size());
  }

  // A document file holding the given "General" content and waves, written by hand.
  TString WriteDocument(const std::u16string& general, const std::u16string& waves,
                        const char16_t* leaf = u"hand.xml") {
    const TString path = Path(leaf);
    WriteUnits(path, kBom + std::u16string(u"<?xml version=\"1.0\"?><VarnelDoc><General>") +
                         general + u"</General><Waves>" + waves + u"</Waves></VarnelDoc>");
    return path;
  }

  // Two servers, a numeric wave with awkward values, a text wave with XML specials, and a wave
  // of a server without points.
  static TVarnelDoc SampleDocument() {
    TVarnelDoc doc;
    doc.Period = kPeriodFiveMinuteSteps;
    doc.StartTime = Local(2024, 6, 15, 10, 5);
    doc.StopTime = Local(2024, 6, 15, 10, 10);
    ConnectionInfo a;
    static_cast<HdaServerDef&>(a) = Server(u"", u"Sim.Hda.1");
    a.ItemNames = {u"Sine", u"Text & <more>"};
    ConnectionInfo b;
    static_cast<HdaServerDef&>(b) = Server(u"host", u"Sim.Hda.2");
    b.ReconnectAtStartup = true;
    b.ItemNames = {u"Empty"};
    doc.Connections = {a, b};
    doc.Waves.resize(3);
    const std::vector<double> values = {0.0,  -1.5,  1.0 / 3.0,
                                        1e14, -2e-9, std::numeric_limits<double>::quiet_NaN()};
    for (std::size_t i = 0; i < values.size(); ++i) {
      doc.Waves[0].T.push_back(doc.StartTime + 1000.25 * static_cast<double>(i));
      doc.Waves[0].Y.push_back(values[i]);
    }
    doc.Waves[1].T = {doc.StartTime, doc.StartTime + 1};
    doc.Waves[1].S = {u"a<b>&\"'c", u"\u00E9t\u00E9 \u6E29\u5EA6"};
    for (std::size_t i = 0; i < 3; ++i) {
      const ConnectionInfo& info = i < 2 ? a : b;
      doc.Waves[i].MachineName = info.MachineName;
      doc.Waves[i].ServerName = info.ServerName;
      doc.Waves[i].ItemName = info.ItemNames[i < 2 ? i : 0];
    }
    return doc;
  }

  static std::u16string WithoutCreated(std::u16string text) {
    const std::size_t open = text.find(u"<Created>");
    const std::size_t close = text.find(u"</Created>");
    if (open != std::u16string::npos && close != std::u16string::npos) {
      text.erase(open, close - open);
    }
    return text;
  }
};

TEST_F(DocFileTest, FileIsWrittenInItsFormat) {
  SetLocalOffsetForTesting(kCetOffsetMs);
  SetClock(Local(2024, 6, 15, 14, 30, 45, 500));
  TVarnelDoc doc;
  doc.Period = kPeriodHourSteps;
  doc.StartTime = Local(2024, 6, 15, 10);
  doc.StopTime = Local(2024, 6, 15, 11);
  ConnectionInfo info;
  static_cast<HdaServerDef&>(info) = Server(u"m", u"S.1");
  info.ItemNames = {u"Y", u"S"};
  doc.Connections = {info};
  doc.Waves.resize(2);
  doc.Waves[0].ItemName = u"Y";
  doc.Waves[0].T = {doc.StartTime, doc.StartTime + 0.5};
  doc.Waves[0].Y = {12.5, -0.0004, 7};  // one more value than time stamps
  doc.Waves[1].ItemName = u"S";
  doc.Waves[1].T = {doc.StartTime};
  doc.Waves[1].S = {u"on", u"off"};
  doc.Locked = false;
  const TString path = Path(u"format.xml");
  ASSERT_FALSE(doc.Save(path.Str()));
  const std::u16string written = ReadFile(path);
  const std::size_t graph = written.find(u"\r\n\t<GraphSettings>");
  ASSERT_NE(graph, std::u16string::npos);
  EXPECT_EQ(written.substr(0, graph),
            u"\uFEFF<?xml version=\"1.0\" standalone=\"yes\"?>"
            u"\r\n<VarnelDoc>"
            u"\r\n\t<General>"
            u"\r\n\t\t<Version>1.36</Version>"
            u"\r\n\t\t<Created>15/06/2024 14:30:45</Created>"
            u"\r\n\t\t<WaveNo>2</WaveNo>"
            u"\r\n\t\t<StartTime>1718438400000</StartTime>"
            u"\r\n\t\t<StartDate>15/06/2024 10:00:00</StartDate>"
            u"\r\n\t\t<StopTime>1718442000000</StopTime>"
            u"\r\n\t\t<StopDate>15/06/2024 11:00:00</StopDate>"
            u"\r\n\t\t<Period>90</Period>"
            u"\r\n\t\t<Locked>1</Locked>"
            u"\r\n\t</General>"
            u"\r\n\t<Connections>"
            u"\r\n\t\t<ConnectionInfo>"
            u"\r\n\t\t\t<HdaServerDef>"
            u"\r\n\t\t\t\t<MachineName>m</MachineName>"
            u"\r\n\t\t\t\t<ServerName>S.1</ServerName>"
            u"\r\n\t\t\t\t<ReconnectAtStartup>0</ReconnectAtStartup>"
            u"\r\n\t\t\t</HdaServerDef>"
            u"\r\n\t\t\t<ItemNames>"
            u"\r\n\t\t\t\t<ItemNo>2</ItemNo>"
            u"\r\n\t\t\t\t<ItemName>Y</ItemName>"
            u"\r\n\t\t\t\t<ItemName>S</ItemName>"
            u"\r\n\t\t\t</ItemNames>"
            u"\r\n\t\t</ConnectionInfo>"
            u"\r\n\t</Connections>"
            u"\r\n\t<Waves>"
            u"\r\n\t\t<Wave>"
            u"\r\n\t\t\t<MachineName></MachineName>"
            u"\r\n\t\t\t<ServerName></ServerName>"
            u"\r\n\t\t\t<ItemName>Y</ItemName>"
            u"\r\n\t\t\t<T_Size>2</T_Size>"
            u"\r\n\t\t\t<Y_Size>3</Y_Size>"
            u"\r\n\t\t\t<S_Size>0</S_Size>"
            u"\r\n\t\t\t<Point>"
            u"\r\n\t\t\t\t<T>1718438400000.000</T>"
            u"\r\n\t\t\t\t<Y>12.500</Y>"
            u"\r\n\t\t\t</Point>"
            u"\r\n\t\t\t<Point>"
            u"\r\n\t\t\t\t<T>1718438400000.500</T>"
            u"\r\n\t\t\t\t<Y>-0.000</Y>"
            u"\r\n\t\t\t</Point>"
            u"\r\n\t\t</Wave>"
            u"\r\n\t\t<Wave>"
            u"\r\n\t\t\t<MachineName></MachineName>"
            u"\r\n\t\t\t<ServerName></ServerName>"
            u"\r\n\t\t\t<ItemName>S</ItemName>"
            u"\r\n\t\t\t<T_Size>1</T_Size>"
            u"\r\n\t\t\t<Y_Size>0</Y_Size>"
            u"\r\n\t\t\t<S_Size>2</S_Size>"
            u"\r\n\t\t\t<Point>"
            u"\r\n\t\t\t\t<T>1718438400000.000</T>"
            u"\r\n\t\t\t\t<S>on</S>"
            u"\r\n\t\t\t</Point>"
            u"\r\n\t\t</Wave>"
            u"\r\n\t</Waves>");
  // The graph's own element closes the document.
  EXPECT_EQ(written.substr(written.size() - 33), u"\r\n\t</GraphSettings>\r\n</VarnelDoc>");
  EXPECT_FALSE(doc.Locked);  // the file says locked, the open document is unchanged
}

TEST_F(DocFileTest, SavedDocumentsRoundTripByteForByte) {
  TVarnelDoc doc = SampleDocument();
  const TString first = Path(u"first.xml");
  const TString second = Path(u"second.xml");
  ASSERT_FALSE(doc.Save(first.Str()));

  SetClock(Local(2025, 1, 2, 3, 4, 5));  // another "Created"
  TVarnelDoc reopened;
  ASSERT_FALSE(reopened.Load(first.Str()));
  ASSERT_FALSE(reopened.Save(second.Str()));
  const std::u16string a = ReadFile(first);
  const std::u16string b = ReadFile(second);
  EXPECT_NE(a, b);
  EXPECT_EQ(WithoutCreated(a), WithoutCreated(b));

  // What was read: the whole model.
  EXPECT_EQ(reopened.Period, kPeriodFiveMinuteSteps);
  EXPECT_EQ(reopened.StartTime, doc.StartTime);
  EXPECT_EQ(reopened.StopTime, doc.StopTime);
  ASSERT_EQ(reopened.Connections.size(), 2u);
  EXPECT_EQ(reopened.Connections[0].ItemNames, doc.Connections[0].ItemNames);
  EXPECT_TRUE(reopened.Connections[1].SameServer(doc.Connections[1]));
  EXPECT_TRUE(reopened.Connections[1].ReconnectAtStartup);
  ASSERT_EQ(reopened.Waves.size(), 3u);
  EXPECT_EQ(Text(reopened.Waves[1].ItemName), u"Text & <more>");
  EXPECT_EQ(reopened.Waves[1].S, doc.Waves[1].S);
  EXPECT_EQ(reopened.Waves[1].T, doc.Waves[1].T);
  const std::vector<double>& y = reopened.Waves[0].Y;
  ASSERT_EQ(y.size(), 6u);
  EXPECT_EQ(y[0], 0.0);
  EXPECT_EQ(y[1], -1.5);
  EXPECT_EQ(y[2], 0.333);  // 3 decimals
  EXPECT_EQ(y[3], 1e14);
  EXPECT_TRUE(std::isnan(y[5]));
  EXPECT_EQ(reopened.Waves[0].T[1], doc.StartTime + 1000.25);
  EXPECT_TRUE(reopened.Waves[2].T.empty());
  EXPECT_FALSE(reopened.IsModified());
}

TEST_F(DocFileTest, GraphSettingsTravelWithTheDocument) {
  TVarnelDoc doc = SampleDocument();
  doc.GraphSettings.Space = 9;
  doc.GraphSettings.Margin = TRect{10, 20, 30, 40};
  doc.GraphSettings.Background = graph::Rgb(1, 2, 3);
  const TString path = Path(u"graph.xml");
  ASSERT_FALSE(doc.Save(path.Str()));
  TVarnelDoc reopened;
  ASSERT_FALSE(reopened.Load(path.Str()));
  EXPECT_TRUE(reopened.GraphSettings == doc.GraphSettings);
  EXPECT_FALSE(reopened.GraphSettings == TVarnelDoc().GraphSettings);

  // Written by another hand: the settings before the waves, or with no waves at all.
  const std::u16string written = ReadFile(path);
  const std::size_t settings = written.find(u"<GraphSettings>");
  const std::size_t waves = written.find(u"<Waves>");
  const std::size_t wavesEnd = written.find(u"</Waves>") + 8;
  ASSERT_NE(settings, std::u16string::npos);
  ASSERT_LT(waves, settings);
  const std::u16string block = written.substr(settings, written.find(u"</VarnelDoc>") - settings);
  const std::u16string head = written.substr(0, waves);
  const std::u16string wavesBlock = written.substr(waves, wavesEnd - waves);
  const std::u16string end = u"</VarnelDoc>";
  for (const std::u16string& text : {head + block + wavesBlock + end, head + block + end}) {
    WriteUnits(path, text);
    TVarnelDoc moved;
    (void)moved.Load(path.Str());
    EXPECT_TRUE(moved.GraphSettings == doc.GraphSettings);
  }
}

TEST_F(DocFileTest, ReopenedDocumentsAreLocked) {
  for (bool locked : {false, true}) {
    TVarnelDoc doc;
    doc.Locked = locked;
    const TString path = Path(u"locked.xml");
    ASSERT_FALSE(doc.Save(path.Str()));
    TVarnelDoc reopened;
    ASSERT_FALSE(reopened.Load(path.Str()));
    EXPECT_TRUE(reopened.Locked) << locked;
  }
}

TEST_F(DocFileTest, WavesAreSavedWithNumbersOrTexts) {
  struct Case {
    const char* name;
    std::vector<double> t;
    std::vector<double> y;
    std::vector<std::u16string> s;
    std::vector<double> readT;
    std::vector<double> readY;
    std::vector<std::u16string> readS;
  } const cases[] = {
      {"numbers", {1, 2}, {3, 4}, {}, {1, 2}, {3, 4}, {}},
      {"texts", {1, 2}, {}, {u"x", u"y"}, {1, 2}, {}, {u"x", u"y"}},
      {"both: numbers only", {1, 2}, {3, 4}, {u"x", u"y"}, {1, 2}, {3, 4}, {}},
      {"T shorter than Y", {1}, {3, 4, 5}, {}, {1}, {3}, {}},
      {"Y shorter than T", {1, 2, 3}, {3}, {}, {1}, {3}, {}},
      {"T shorter than S", {1}, {}, {u"x", u"y"}, {1}, {}, {u"x"}},
      {"no T", {}, {}, {u"x"}, {}, {}, {}},
  };
  for (const Case& c : cases) {
    TVarnelDoc doc;
    doc.Waves.resize(1);
    doc.Waves[0].T = c.t;
    doc.Waves[0].Y = c.y;
    for (const std::u16string& s : c.s) doc.Waves[0].S.push_back(s.c_str());
    const TString path = Path(u"waves.xml");
    ASSERT_FALSE(doc.Save(path.Str()));
    TVarnelDoc reopened;
    ASSERT_FALSE(reopened.Load(path.Str()));
    ASSERT_EQ(reopened.Waves.size(), 1u) << c.name;
    EXPECT_EQ(reopened.Waves[0].T, c.readT) << c.name;
    EXPECT_EQ(reopened.Waves[0].Y, c.readY) << c.name;
    std::vector<std::u16string> s;
    for (const TString& text : reopened.Waves[0].S) s.push_back(Text(text));
    EXPECT_EQ(s, c.readS) << c.name;
  }
}

TEST_F(DocFileTest, ReadingIsTolerant) {
  const TVarnelDoc defaults;
  struct Case {
    const char* name;
    std::u16string general;
    std::u16string waves;
    std::int32_t period;
    bool locked;
    std::vector<double> t;
    std::vector<double> y;
    std::vector<std::u16string> s;
  } const cases[] = {
      {"no Period", u"<Locked>1</Locked>", u"", kPeriodDay, true, {}, {}, {}},
      {"no Locked", u"<Period>120</Period>", u"", kPeriodMonth, false, {}, {}, {}},
      {"Locked is any non-zero", u"<Locked>-3</Locked>", u"", kPeriodDay, true, {}, {}, {}},
      {"points lacking a value",
       u"",
       u"<Wave><Y_Size>3</Y_Size><Point><T>5</T></Point><Point><Y>7</Y></Point>"
       u"<Point><T>8.5</T><Y>9.25</Y></Point></Wave>",
       kPeriodDay,
       false,
       {5, 0, 8.5},
       {0, 7, 9.25},
       {}},
      {"text points lacking a value",
       u"",
       u"<Wave><Point><T>5</T></Point><Point><S>z</S></Point></Wave>",
       kPeriodDay,
       false,
       {5, 0},
       {},
       {u"", u"z"}},
      {"points laid out otherwise are read as the plain ones",
       u"",
       u"<Wave><Y_Size>10</Y_Size><Point><T>1</T><Y>2</Y></Point>"
       u"<Point a=\"1\"><T>3</T><Y>4</Y></Point>"
       u"<Point><Y>6</Y><T>5</T></Point>"
       u"<Point><!-- c --><T>7</T><Y>8</Y></Point>"
       u"<Point><T>9<b/></T><Y>10</Y></Point>"
       u"<Point><T>11</T><Y>12</Y><Q>x</Q></Point>"
       u"\r\n text <Point> <T> 13 </T> <Y>14</Y> </Point>"
       u"<Other/><Point><T>15</T><Y>16</Y></Point>"
       u"<Point><Point><T>17</T><Y>18</Y></Point></Point>"
       u"<Point><T>19</T><Y>20</Y></Point></Wave>",
       kPeriodDay,
       false,
       {1, 3, 5, 7, 9, 11, 13, 15, 17, 19},
       {2, 4, 6, 8, 10, 12, 14, 16, 18, 20},
       {}},
      {"sizes are only room",
       u"<WaveNo>2147483647</WaveNo>",
       u"<Wave><T_Size>2000000000</T_Size><Y_Size>2000000000</Y_Size><S_Size>-4</S_Size>"
       u"<Point><T>1</T><Y>2</Y></Point></Wave>",
       kPeriodDay,
       false,
       {1},
       {2},
       {}},
  };
  for (const Case& c : cases) {
    const TString path = WriteDocument(c.general, c.waves);
    TVarnelDoc doc;
    EXPECT_TRUE(doc.Load(path.Str())) << "sections are missing";
    EXPECT_EQ(doc.Period, c.period) << c.name;
    EXPECT_EQ(doc.Locked, c.locked) << c.name;
    // Missing times keep those of the reset: the start of the year up to now.
    EXPECT_EQ(doc.StartTime, Local(2024, 1, 1)) << c.name;
    EXPECT_EQ(doc.StopTime, Local(2024, 6, 15, 14, 30, 45, 500)) << c.name;
    if (c.t.empty() && c.waves.empty()) {
      EXPECT_TRUE(doc.Waves.empty()) << c.name;
      continue;
    }
    ASSERT_EQ(doc.Waves.size(), 1u) << c.name;
    EXPECT_EQ(doc.Waves[0].T, c.t) << c.name;
    EXPECT_EQ(doc.Waves[0].Y, c.y) << c.name;
    std::vector<std::u16string> s;
    for (const TString& text : doc.Waves[0].S) s.push_back(Text(text));
    EXPECT_EQ(s, c.s) << c.name;
  }
}

TEST_F(DocFileTest, UnreadableFilesOpenAsTheResetDocument) {
  const TString eightBit = Path(u"eight.xml");
  {
    platform::File file;
    ASSERT_TRUE(file.Open(eightBit.Str(), platform::File::Mode::Write));
    const std::string text =
        "<?xml version=\"1.0\"?><VarnelDoc><General><Period>50</Period>"
        "</General></VarnelDoc>";
    file.Write(text.data(), text.size());
  }
  const TString rootless = Path(u"rootless.xml");
  WriteUnits(rootless, std::u16string(kBom) + u"<Other><Period>50</Period></Other>");
  const TString missing = Path(u"missing.xml");

  struct Case {
    const TString* path;
    std::vector<std::u16string> log;
  } const cases[] = {
      {&eightBit,
       {u"Loading document from file : " + Text(eightBit),
        u"File " + Text(eightBit) + u" is not Unicode"}},
      {&rootless, {u"Loading document from file : " + Text(rootless)}},
      {&missing, {}},
  };
  for (const Case& c : cases) {
    ClearLog();
    TVarnelDoc doc = SampleDocument();
    doc.SetModified();
    EXPECT_TRUE(doc.Load(c.path->Str())) << Ascii(Text(*c.path));
    EXPECT_EQ(LoggedTexts(), c.log);
    EXPECT_TRUE(doc.Waves.empty());
    EXPECT_TRUE(doc.Connections.empty());
    EXPECT_EQ(doc.Period, kPeriodFiveMinuteSteps);  // kept from before, never read
    EXPECT_EQ(doc.StartTime, Local(2024, 1, 1));
    EXPECT_EQ(doc.StopTime, Local(2024, 6, 15, 14, 30, 45, 500));
    EXPECT_FALSE(doc.IsModified());
  }
  ASSERT_EQ(Log().Pending().size(), 0u);
  ClearLog();
  TVarnelDoc doc;
  EXPECT_TRUE(doc.Load(eightBit.Str())) << "sections are missing";
  ASSERT_EQ(Log().Pending().size(), 2u);
  EXPECT_EQ(Log().Pending()[0].Level, kLevelInfo);
  EXPECT_EQ(Log().Pending()[1].Level, kLevelWarning);
  EXPECT_EQ(Log().Pending()[1].Type, kTypeConfiguration);
}

// A file read only in part (here: read, not mapped, without room for all of it, so the reader
// takes its first 1200000 units) is a failed read, not a document made of that part.
TEST_F(DocFileTest, FilesReadOnlyInPartOpenAsTheResetDocument) {
  const TString path = Path(u"partly.xml");
  WriteUnits(path, std::u16string(kBom) + u"<VarnelDoc><General><Period>300</Period></General>" +
                       std::u16string(1300000, u' ') + u"</VarnelDoc>");
  ClearLog();
  TVarnelDoc doc = SampleDocument();
  platform::faults::FileFaults faults;
  faults.failMap = true;
  platform::faults::SetFileFaults(&faults);
  text::faults::FailNextAllocations(1);
  const bool failed = doc.Load(path.Str());
  text::faults::FailNextAllocations(0);
  platform::faults::SetFileFaults(nullptr);
  EXPECT_TRUE(failed);
  EXPECT_EQ(LoggedTexts(), (std::vector<std::u16string>{
                               u"Loading document from file : " + Text(path),
                               u"File " + Text(path) + u" could not be read completely"}));
  ASSERT_EQ(Log().Pending().size(), 2u);
  EXPECT_EQ(Log().Pending()[1].Level, kLevelError);
  EXPECT_EQ(doc.Period, kPeriodFiveMinuteSteps);  // kept from before, never read
  EXPECT_TRUE(doc.Waves.empty());
  EXPECT_TRUE(doc.Connections.empty());

  // With room for it, the same file is read (its other sections missing).
  EXPECT_TRUE(doc.Load(path.Str())) << "sections are missing";
  EXPECT_EQ(doc.Period, kPeriodLast7Days);
}

// A save that fails keeps the previous file and says so, instead of leaving a cut file behind
// and the document looking saved.
TEST_F(DocFileTest, FailedSavesKeepThePreviousFile) {
  const TString path = Path(u"kept.xml");
  TVarnelDoc previous;
  ASSERT_FALSE(previous.Save(path.Str()));
  const std::u16string before = ReadFile(path);

  struct Case {
    const char* name;
    bool failOpen;
    long writeBudget;
  } const cases[] = {
      {"cannot create", true, -1},
      {"disk full", false, 1000},
  };
  for (const Case& c : cases) {
    TVarnelDoc doc = SampleDocument();
    doc.SetModified();
    ClearLog();
    platform::faults::FileFaults faults;
    faults.failOpen = c.failOpen;
    faults.writeBudget = c.writeBudget;
    platform::faults::SetFileFaults(&faults);
    const bool failed = doc.Save(path.Str());
    platform::faults::SetFileFaults(nullptr);
    EXPECT_TRUE(failed) << c.name;
    EXPECT_TRUE(doc.IsModified()) << c.name;
    EXPECT_EQ(ReadFile(path), before) << c.name;
    EXPECT_FALSE(platform::File::Exists(TString(path.Str(), u".tmp").Str())) << c.name;
    EXPECT_EQ(LoggedTexts(),
              std::vector<std::u16string>{u"Could not save document into file : " + Text(path)})
        << c.name;
  }
  TVarnelDoc doc = SampleDocument();
  doc.SetModified();
  EXPECT_FALSE(doc.Save(path.Str()));
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocFileTest, TwoConnectionInfosKeepTheirOwnItems) {
  const TString path = Path(u"two.xml");
  WriteUnits(path,
             std::u16string(kBom) +
                 u"<VarnelDoc><Connections>"
                 u"<ConnectionInfo><HdaServerDef><MachineName>m1</MachineName>"
                 u"<ServerName>S</ServerName></HdaServerDef>"
                 u"<ItemNames><ItemNo>1</ItemNo><ItemName>one</ItemName></ItemNames>"
                 u"</ConnectionInfo>"
                 u"<ConnectionInfo><HdaServerDef><MachineName>m2</MachineName>"
                 u"<ServerName>S</ServerName></HdaServerDef>"
                 u"<ItemNames><ItemNo>2</ItemNo><ItemName>two</ItemName><ItemName>three</ItemName>"
                 u"</ItemNames></ConnectionInfo></Connections></VarnelDoc>");
  TVarnelDoc doc;
  EXPECT_TRUE(doc.Load(path.Str())) << "sections are missing";
  ASSERT_EQ(doc.Connections.size(), 2u);
  EXPECT_EQ(doc.Connections[0].ItemNames, std::vector<TString>{u"one"});
  EXPECT_EQ(doc.Connections[1].ItemNames, (std::vector<TString>{u"two", u"three"}));
  EXPECT_FALSE(doc.Connections[1].ReconnectAtStartup);
  EXPECT_EQ(doc.ItemCount(), 3u);
}

}  // namespace
