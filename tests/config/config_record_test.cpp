#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "config/config.h"
#include "config_test_support.h"

namespace {

using namespace config_test;

class ConfigRecordTest : public ConfigTest {};

// The values themselves are the record's initialisers; what construction does beyond them is the
// validation of the whole record, which leaves it modified (to be written once).
TEST_F(ConfigRecordTest, ConstructionValidatesTheRecordOnce) {
  const TConfig config;
  EXPECT_TRUE(config.modified);
}

TEST_F(ConfigRecordTest, CopiesTakeEveryValueAndTheServers) {
  TConfig config;
  config.RefreshRate = 0;
  config.PrinterName = u"P";
  config.Language = 4;
  config.Servers = {Server(u"m", u"S", true)};
  const TConfig copy = config;
  EXPECT_FALSE(copy.DiffersFully(config));
  ASSERT_EQ(copy.Servers.size(), 1u);
  EXPECT_EQ(Text(copy.Servers[0].ServerName), u"S");
}

// Each value on its own makes two records differ, both ways round; the server list never does.
TEST_F(ConfigRecordTest, FullComparisonFieldByField) {
  struct Case {
    const char* name;
    std::function<void(TConfig&)> change;
    bool differs;
  } const cases[] = {
      {"RefreshRate", [](TConfig& c) { c.RefreshRate = 10; }, true},
      {"ViewMilliseconds", [](TConfig& c) { c.ViewMilliseconds = true; }, true},
      {"ReconnectLostServers", [](TConfig& c) { c.ReconnectLostServers = false; }, true},
      {"PrinterName", [](TConfig& c) { c.PrinterName = u"Other"; }, true},
      {"PageMargin", [](TConfig& c) { c.PageMargin.bottom = 1135; }, true},
      {"Units", [](TConfig& c) { c.Units = 0; }, true},
      {"PaperOrientation", [](TConfig& c) { c.PaperOrientation = 2; }, true},
      {"PaperFormat", [](TConfig& c) { c.PaperFormat = 1; }, true},
      {"PaperWidth", [](TConfig& c) { c.PaperWidth = 12240; }, true},
      {"PaperHeight", [](TConfig& c) { c.PaperHeight = 15840; }, true},
      {"ConfigBox", [](TConfig& c) { c.ConfigBox.right = 401; }, true},
      {"ToolsBox", [](TConfig& c) { c.ToolsBox.top = 51; }, true},
      {"Language", [](TConfig& c) { c.Language = 2; }, true},
      {"MessageTypes", [](TConfig& c) { c.MessageTypes[6] = false; }, true},
      {"TraceSize", [](TConfig& c) { c.TraceSize = 2; }, true},
      {"MainBox", [](TConfig& c) { c.MainBox.left = 1; }, true},
      {"MessageBox", [](TConfig& c) { c.MessageBoxRect.top = 1; }, true},
      {"AutoLogoff", [](TConfig& c) { c.AutoLogoff = false; }, true},
      {"Servers", [](TConfig& c) { c.Servers.push_back(Server(u"", u"S", true)); }, false},
      {"modified", [](TConfig& c) { c.modified = !c.modified; }, false},
  };
  for (const Case& c : cases) {
    const TConfig original;
    TConfig changed;
    c.change(changed);
    EXPECT_EQ(changed.DiffersFully(original), c.differs) << c.name;
    EXPECT_EQ(original.DiffersFully(changed), c.differs) << c.name;
  }
}

TEST_F(ConfigRecordTest, RememberingAServer) {
  struct Case {
    const char* name;
    std::vector<HdaServerDef> before;
    HdaServerDef def;
    std::vector<HdaServerDef> after;
  } const cases[] = {
      {"new, to reconnect",
       {Server(u"", u"A", true)},
       Server(u"m", u"B", true),
       {Server(u"", u"A", true), Server(u"m", u"B", true)}},
      {"new, not to reconnect",
       {Server(u"", u"A", true)},
       Server(u"m", u"B", false),
       {Server(u"", u"A", true)}},
      {"known, moves to the end",
       {Server(u"m", u"B", true), Server(u"", u"A", true)},
       Server(u"m", u"B", true),
       {Server(u"", u"A", true), Server(u"m", u"B", true)}},
      {"known, no longer to reconnect",
       {Server(u"m", u"B", true), Server(u"", u"A", true)},
       Server(u"m", u"B", false),
       {Server(u"", u"A", true)}},
      {"every copy removed",
       {Server(u"m", u"B", true), Server(u"", u"A", true), Server(u"m", u"B", false)},
       Server(u"m", u"B", true),
       {Server(u"", u"A", true), Server(u"m", u"B", true)}},
      {"names compared exactly",
       {Server(u"M", u"B", true), Server(u"m", u"b", true)},
       Server(u"m", u"B", true),
       {Server(u"M", u"B", true), Server(u"m", u"b", true), Server(u"m", u"B", true)}},
      {"same server on another machine",
       {Server(u"", u"B", true)},
       Server(u"m", u"B", true),
       {Server(u"", u"B", true), Server(u"m", u"B", true)}},
  };
  for (const Case& c : cases) {
    TConfig config;
    config.Servers = c.before;
    config.RememberServer(c.def);
    ASSERT_EQ(config.Servers.size(), c.after.size()) << c.name;
    for (std::size_t i = 0; i < c.after.size(); ++i) {
      EXPECT_TRUE(config.Servers[i].SameServer(c.after[i])) << c.name << " " << i;
      EXPECT_EQ(config.Servers[i].ReconnectAtStartup, c.after[i].ReconnectAtStartup)
          << c.name << " " << i;
    }
  }
}

// The definition handed over may be an entry of the list itself.
TEST_F(ConfigRecordTest, RememberingAnEntryOfTheListItself) {
  TConfig config;
  config.Servers = {Server(u"m", u"B", true), Server(u"", u"A", true)};
  config.RememberServer(config.Servers[0]);
  ASSERT_EQ(config.Servers.size(), 2u);
  EXPECT_EQ(Text(config.Servers[0].ServerName), u"A");
  EXPECT_EQ(Text(config.Servers[1].MachineName), u"m");
  EXPECT_EQ(Text(config.Servers[1].ServerName), u"B");
}

}  // namespace
