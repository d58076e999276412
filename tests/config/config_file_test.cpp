#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "config/config.h"
#include "config_test_support.h"
#include "document/log_entry.h"
#include "platform/file.h"

namespace {

using namespace config_test;

class ConfigFileTest : public ConfigTest {
 protected:
  LoggedLine LoadingLine() const {
    return {u"Loading Configuration from file : " + ConfigFileName(), kLevelInfo,
            kTypeConfiguration};
  }

  // Every value away from its default, the server names with characters XML escapes.
  static TConfig Changed() {
    TConfig config;
    config.RefreshRate = 600;
    config.ViewMilliseconds = true;
    config.ReconnectLostServers = false;
    config.PrinterName = u"Printer <A&B> \"1\"";
    config.PageMargin = {2000, 500, 1000, 1500};  // left larger than right
    config.Units = 2;
    config.PaperOrientation = 2;
    config.PaperFormat = 1;
    config.PaperWidth = 12240;
    config.PaperHeight = 15840;
    config.ConfigBox = {-10, 20, 610, 420};
    config.ToolsBox = {5, 6, 7, 8};
    config.Servers = {Server(u"", u"Sim.Hda.1", true), Server(u"host&co", u"Sim<2>", true)};
    config.Language = 3;
    config.MessageLevel[1] = false;
    config.MessageTypes[6] = false;
    config.TraceSize = 25;
    config.AutoLogoff = false;
    config.MainBox = {10, 20, 800, 600};
    config.MessageBoxRect = {1, 2, 3, 4};
    return config;
  }
};

TEST_F(ConfigFileTest, MissingFileKeepsTheDefaultsSilently) {
  TConfig config;
  EXPECT_TRUE(config.Load());
  EXPECT_FALSE(config.DiffersFully(TConfig()));
  EXPECT_TRUE(Logged().empty());
}

TEST_F(ConfigFileTest, FileWithOnlyGeneralGivesDefaultsForTheRest) {
  WriteConfigText(
      u"<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<Varnel_Configuration>"
      u"<General><RefreshRate>30</RefreshRate><ViewMilliseconds>7</ViewMilliseconds></General>"
      u"</Varnel_Configuration>");
  TConfig config;
  config.Servers = {Server(u"", u"Old", true)};
  EXPECT_TRUE(config.Load());  // sections missing
  TConfig expected;
  expected.RefreshRate = 30;
  expected.ViewMilliseconds = true;
  EXPECT_FALSE(config.DiffersFully(expected));
  EXPECT_TRUE(config.Servers.empty());  // no "HdaOpcServers": nothing to reconnect
  EXPECT_EQ(Logged(), std::vector<LoggedLine>{LoadingLine()});
}

TEST_F(ConfigFileTest, ReconnectionOfLostServersIsReadWhereWrittenAndOnWhereNot) {
  WriteConfigText(
      u"<Varnel_Configuration><General><ReconnectLostServers>0</ReconnectLostServers></General>"
      u"</Varnel_Configuration>");
  TConfig off;
  EXPECT_TRUE(off.Load()) << "sections are missing";
  EXPECT_FALSE(off.ReconnectLostServers);
  // A file written before the setting existed keeps the default: on.
  WriteConfigText(
      u"<Varnel_Configuration><General><RefreshRate>30</RefreshRate></General>"
      u"</Varnel_Configuration>");
  TConfig older;
  older.ReconnectLostServers = false;
  EXPECT_TRUE(older.Load()) << "sections are missing";
  EXPECT_FALSE(older.ReconnectLostServers) << "a value missing keeps what the record held";
  TConfig fresh;
  EXPECT_TRUE(fresh.Load()) << "sections are missing";
  EXPECT_TRUE(fresh.ReconnectLostServers);
}

TEST_F(ConfigFileTest, RefreshRateOutsideTheChoicesIsKept) {
  WriteConfigText(
      u"<Varnel_Configuration><General><RefreshRate>120</RefreshRate></General>"
      u"</Varnel_Configuration>");
  TConfig config;
  EXPECT_TRUE(config.Load()) << "sections are missing";
  EXPECT_EQ(config.RefreshRate, 120);
}

TEST_F(ConfigFileTest, FilesWithoutTheMarkAreRefused) {
  const std::string xml =
      "<Varnel_Configuration><General><RefreshRate>30</RefreshRate></General>"
      "</Varnel_Configuration>";
  struct Case {
    const char* name;
    std::string bytes;
  } const cases[] = {
      {"ANSI", xml},
      {"UTF-8 with its mark", "\xEF\xBB\xBF" + xml},
      {"big-endian UTF-16", "\xFE\xFF"},
      {"empty", ""},
  };
  for (const Case& c : cases) {
    ClearLog();
    WriteConfigBytes(c.bytes);
    TConfig config;
    EXPECT_TRUE(config.Load()) << c.name;
    EXPECT_EQ(config.RefreshRate, 60) << c.name;
    EXPECT_EQ(Logged(), (std::vector<LoggedLine>{LoadingLine(),
                                                 {u"File " + ConfigFileName() + u" is not Unicode",
                                                  kLevelWarning, kTypeConfiguration}}))
        << c.name;
  }
}

TEST_F(ConfigFileTest, FileWithoutRootKeepsTheDefaults) {
  WriteConfigText(u"<General><RefreshRate>30</RefreshRate></General>");
  TConfig config;
  EXPECT_TRUE(config.Load());
  EXPECT_EQ(config.RefreshRate, 60);
  EXPECT_EQ(Logged(), std::vector<LoggedLine>{LoadingLine()});
}

TEST_F(ConfigFileTest, MissingKeysKeepWhatTheRecordHeld) {
  WriteConfigText(
      u"<Varnel_Configuration><General></General>"
      u"<Printing><Units>0</Units><PageMargin><left>10</left></PageMargin></Printing>"
      u"<Rectangles><ToolsBox><left>1</left><top>2</top><right>3</right><bottom>4</bottom>"
      u"</ToolsBox></Rectangles><HdaOpcServers></HdaOpcServers>"
      u"<ConfigBase><TraceSize>9</TraceSize></ConfigBase></Varnel_Configuration>");
  TConfig config;
  config.RefreshRate = 10;
  config.PrinterName = u"Kept";
  config.PageMargin = {100, 200, 300, 400};
  config.PaperWidth = 5;
  config.ConfigBox = {7, 7, 70, 70};
  config.Language = 4;
  EXPECT_FALSE(config.Load());  // every section is there, however empty
  EXPECT_EQ(config.RefreshRate, 10);
  EXPECT_EQ(Text(config.PrinterName), u"Kept");
  EXPECT_EQ(config.PageMargin, (TRect{10, 200, 300, 400}));
  EXPECT_EQ(config.Units, 0);
  EXPECT_EQ(config.PaperWidth, 5);
  EXPECT_EQ(config.ConfigBox, (TRect{7, 7, 70, 70}));
  EXPECT_EQ(config.ToolsBox, (TRect{1, 2, 3, 4}));
  EXPECT_EQ(config.TraceSize, 9);
  EXPECT_EQ(config.Language, 4);

  // Present but empty is a value.
  WriteConfigText(
      u"<Varnel_Configuration><Printing><PrinterName></PrinterName></Printing>"
      u"</Varnel_Configuration>");
  EXPECT_TRUE(config.Load()) << "sections are missing";
  EXPECT_TRUE(config.PrinterName.IsEmpty());
}

TEST_F(ConfigFileTest, EachServerEntryStartsFromTheDefaults) {
  WriteConfigText(
      u"<Varnel_Configuration><HdaOpcServers>"
      u"<HdaServerDef><MachineName>m1</MachineName><ServerName>S1</ServerName>"
      u"<ReconnectAtStartup>1</ReconnectAtStartup></HdaServerDef>"
      u"<HdaServerDef><ServerName>S2</ServerName></HdaServerDef>"
      u"</HdaOpcServers></Varnel_Configuration>");
  TConfig config;
  EXPECT_TRUE(config.Load()) << "sections are missing";
  ASSERT_EQ(config.Servers.size(), 2u);
  EXPECT_EQ(Text(config.Servers[0].MachineName), u"m1");
  EXPECT_TRUE(config.Servers[0].ReconnectAtStartup);
  EXPECT_TRUE(config.Servers[1].MachineName.IsEmpty());
  EXPECT_EQ(Text(config.Servers[1].ServerName), u"S2");
  EXPECT_FALSE(config.Servers[1].ReconnectAtStartup);
}

TEST_F(ConfigFileTest, LoadingValidatesTheBaseValues) {
  WriteConfigText(
      u"<Varnel_Configuration><ConfigBase><Language>12</Language><TraceSize>-5</TraceSize>"
      u"<MainBox><left>5000</left><top>0</top><right>5100</right><bottom>300</bottom></MainBox>"
      u"</ConfigBase></Varnel_Configuration>");
  TConfig config;
  EXPECT_TRUE(config.Load()) << "sections are missing";
  EXPECT_EQ(config.Language, 9);
  EXPECT_EQ(config.TraceSize, 0);
  EXPECT_EQ(config.MainBox, (TRect{1184, 0, 2464, 300}));
}

// The whole file, so the order of the elements is checked too.
TEST_F(ConfigFileTest, SaveWritesEveryKeyInOrder) {
  SetClock(2024, 6, 15, 14, 30, 45);
  WriteConfigText(
      u"<Varnel_Configuration><General><RefreshRate>30</RefreshRate></General>"
      u"</Varnel_Configuration>");
  TConfig config;
  EXPECT_TRUE(config.Load()) << "sections are missing";
  config.Servers = {Server(u"host", u"Sim.Hda.1", true)};
  ClearLog();
  ASSERT_FALSE(config.Save());
  EXPECT_EQ(Logged(),
            (std::vector<LoggedLine>{{u"Configuration saved into file : " + ConfigFileName(),
                                      kLevelInfo, kTypeConfiguration}}));

  auto rect = [](const std::u16string& name, const char16_t* values) {
    return u"\r\n\t\t<" + name + u">" + values + u"\r\n\t\t</" + name + u">";
  };
  const char16_t* box =
      u"\r\n\t\t\t<left>40</left>\r\n\t\t\t<top>50</top>\r\n\t\t\t<right>400</right>"
      u"\r\n\t\t\t<bottom>200</bottom>";
  const std::u16string expected =
      u"\uFEFF<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<Varnel_Configuration>"
      u"\r\n\t<ConfigVersion>\r\n\t\t<Version>1</Version>"
      u"\r\n\t\t<Created>15/06/2024 14:30:45</Created>\r\n\t</ConfigVersion>"
      u"\r\n\t<ConfigBase/>"
      u"\r\n\t<General>\r\n\t\t<RefreshRate>30</RefreshRate>"
      u"\r\n\t\t<ViewMilliseconds>0</ViewMilliseconds>"
      u"\r\n\t\t<ReconnectLostServers>1</ReconnectLostServers>\r\n\t</General>"
      u"\r\n\t<Printing>\r\n\t\t<PrinterName></PrinterName>" +
      rect(u"PageMargin",
           u"\r\n\t\t\t<left>1134</left>\r\n\t\t\t<top>1134</top>\r\n\t\t\t<right>1134</right>"
           u"\r\n\t\t\t<bottom>1134</bottom>") +
      u"\r\n\t\t<Units>1</Units>\r\n\t\t<PaperOrientation>1</PaperOrientation>"
      u"\r\n\t\t<PaperFormat>9</PaperFormat>\r\n\t\t<PaperWidth>11904</PaperWidth>"
      u"\r\n\t\t<PaperHeight>16836</PaperHeight>\r\n\t</Printing>"
      u"\r\n\t<Rectangles>" +
      rect(u"ConfigBox", box) + rect(u"ToolsBox", box) +
      u"\r\n\t</Rectangles>"
      u"\r\n\t<HdaOpcServers>\r\n\t\t<HdaServerDef>\r\n\t\t\t<MachineName>host</MachineName>"
      u"\r\n\t\t\t<ServerName>Sim.Hda.1</ServerName>"
      u"\r\n\t\t\t<ReconnectAtStartup>1</ReconnectAtStartup>\r\n\t\t</HdaServerDef>"
      u"\r\n\t</HdaOpcServers>\r\n</Varnel_Configuration>";
  // The base element's content belongs to the base record and is checked with it; here only
  // its place counts.
  std::u16string file = ReadConfigFile();
  const std::u16string baseEnd = u"</ConfigBase>";
  const std::size_t begin = file.find(u"\r\n\t<ConfigBase>");
  const std::size_t end = file.find(baseEnd);
  ASSERT_LT(begin, end);
  ASSERT_NE(end, std::u16string::npos);
  file.replace(begin, end + baseEnd.size() - begin, u"\r\n\t<ConfigBase/>");
  EXPECT_EQ(file, expected);
}

TEST_F(ConfigFileTest, CreatedIsInfWhenTheClockCannotBeConverted) {
  SetClockTo(std::numeric_limits<double>::infinity());
  TConfig config;
  ASSERT_FALSE(config.Save());
  EXPECT_NE(ReadConfigFile().find(u"<Created>INF</Created>"), std::u16string::npos);
}

TEST_F(ConfigFileTest, EveryValueRoundTrips) {
  const TConfig written = Changed();
  TConfig copy = written;
  ASSERT_FALSE(copy.Save());
  TConfig read;
  EXPECT_TRUE(read.DiffersFully(written));
  EXPECT_FALSE(read.Load());
  EXPECT_FALSE(read.DiffersFully(written));
  ASSERT_EQ(read.Servers.size(), written.Servers.size());
  for (std::size_t i = 0; i < read.Servers.size(); ++i) {
    EXPECT_EQ(Text(read.Servers[i].MachineName), Text(written.Servers[i].MachineName)) << i;
    EXPECT_EQ(Text(read.Servers[i].ServerName), Text(written.Servers[i].ServerName)) << i;
    EXPECT_EQ(read.Servers[i].ReconnectAtStartup, written.Servers[i].ReconnectAtStartup) << i;
  }
  // Saving what was read gives the same file.
  const std::u16string first = ReadConfigFile();
  ASSERT_FALSE(read.Save());
  EXPECT_EQ(ReadConfigFile(), first);
}

// A save that cannot complete reports it, keeps the settings in memory and leaves the previous
// file as it was, with no temporary file beside it.
TEST_F(ConfigFileTest, FailedSaveKeepsThePreviousFile) {
  TConfig previous;
  ASSERT_FALSE(previous.Save());
  const std::u16string before = ReadConfigFile();
  struct Case {
    const char* name;
    bool failOpen;
    long writeBudget;
  } const cases[] = {
      {"cannot create", true, -1},
      {"disk full at once", false, 0},
      {"disk full half way", false, 600},
  };
  for (const Case& c : cases) {
    TConfig config = Changed();
    ClearLog();
    platform::faults::FileFaults faults;
    faults.failOpen = c.failOpen;
    faults.writeBudget = c.writeBudget;
    platform::faults::SetFileFaults(&faults);
    const bool failed = config.Save();
    platform::faults::SetFileFaults(nullptr);
    EXPECT_TRUE(failed) << c.name;
    EXPECT_EQ(config.RefreshRate, 600) << c.name;
    EXPECT_EQ(ReadConfigFile(), before) << c.name;
    EXPECT_FALSE(platform::File::Exists(TString(TConfig::FileName().Str(), u".tmp").Str()))
        << c.name;
    EXPECT_EQ(Logged(),
              (std::vector<LoggedLine>{{u"Can not save configuration file : " + ConfigFileName(),
                                        kLevelWarning, kTypeConfiguration}}))
        << c.name;
  }
}

TEST_F(ConfigFileTest, FileLivesInTheStartDirectory) {
  const std::u16string start = Text(StartDirectory());
  const std::u16string name = ConfigFileName();
  ASSERT_GT(name.size(), start.size());
  EXPECT_EQ(name.substr(0, start.size()), start);
  EXPECT_EQ(name.substr(start.size() + 1), u"Varnel_Config.xml");
}

}  // namespace
