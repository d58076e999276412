// A document exported through its open servers: every raw value by continuation, waves of servers
// that are not open as the document holds them, and a server that shuts down in the middle.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "document/csv_export.h"
#include "document/varnel_doc.h"
#include "hda/connection_list.h"
#include "hda/wave_export.h"
#include "platform/file.h"
#include "tests/hda/hda_test_support.h"
#include "tests/support/simulator_shutdown.h"
#include "text/time_base.h"

namespace hda_test {
namespace {

// 2021-01-04 00:00 UTC: winter, so at offset 0 local time is UTC.
constexpr double kJanuary2021 = 1609718400000.0;

TWave Wave(const char16_t* server, const char16_t* item) {
  TWave wave;
  wave.ServerName = server;
  wave.ItemName = item;
  return wave;
}

std::string ReadAll(const TString& path) {
  platform::File file;
  if (!file.Open(path.Str(), platform::File::Mode::Read)) return {};
  std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
  bytes.resize(file.Read(bytes.data(), bytes.size()));
  return bytes;
}

class ExportRead : public ::testing::Test {
 protected:
  void SetUp() override {
    offset_ = SetLocalOffsetForTesting(0.0);
    HdaServerDef server;
    server.ServerName = kServer1000;
    ASSERT_TRUE(list_.Add(server));
    doc_.StartTime = kJanuary2021;
    doc_.StopTime = kJanuary2021 + 3 * 3600 * kSecond;
    HdaServerDef server1000;
    server1000.ServerName = kServer1000;
    doc_.FindOrAddConnection(server1000).AddItemName(u"Waves/Ramp 1s");
    doc_.Waves.push_back(Wave(kServer1000, u"Waves/Ramp 1s"));
    platform::File::Remove(target_.Str());
    ClearLog();
  }
  void TearDown() override {
    platform::File::Remove(target_.Str());
    SetLocalOffsetForTesting(offset_);
  }

  TRecordingMessages messages_;
  THdaConnectionList list_{messages_};
  TVarnelDoc doc_;
  TString target_{u"export_read_test.csv"};
  double offset_ = 0;
};

TEST_F(ExportRead, ReadsEveryValueAndWritesHeldWavesOfServersNotOpen) {
  // Not open: exported as the document holds it.
  TWave held = Wave(u"Varnel.HdaSim.2", u"Waves/Sine 1s");
  held.T = {kJanuary2021 + 0.5 * kSecond};
  held.Y = {42};
  HdaServerDef server2;
  server2.ServerName = held.ServerName;
  doc_.FindOrAddConnection(server2).AddItemName(held.ItemName);
  doc_.Waves.push_back(held);
  TCsvExport run(target_, hda::ExportColumns(list_, doc_, messages_), doc_.StartTime,
                 doc_.StopTime);
  ASSERT_EQ(run.Run(), TCsvExportState::Written);
  // Three hours of the 1000-a-call server: eleven calls, every second once.
  EXPECT_EQ(run.Values(), 10801u);
  EXPECT_EQ(run.Rows(), 10801u);
  const std::string csv = ReadAll(target_);
  EXPECT_EQ(csv.substr(0, 3 + 34), "\xEF\xBB\xBFTime,Waves/Ramp 1s,Waves/Sine 1s\r\n");
  EXPECT_NE(csv.find("\r\n2021-01-04T00:00:00.000+00:00,0,\r\n2021-01-04T00:00:00.500+00:00,,42\r\n"
                     "2021-01-04T00:00:01.000+00:00,1,\r\n"),
            std::string::npos);
  EXPECT_NE(csv.find("\r\n2021-01-04T02:59:59.000+00:00,10799,\r\n"), std::string::npos);
  bool toldHeld = false;
  for (const TString& text : LogTexts()) {
    if (text == TString(u"Exporting :Varnel.HdaSim.2:Waves/Sine 1s: not read from its server, "
                        u"the document's 1 values are written")) {
      toldHeld = true;
    }
  }
  EXPECT_TRUE(toldHeld);
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(ExportRead, AServerThatShutsDownMidwayLeavesNoFile) {
  doc_.StopTime = kJanuary2021 + 24 * 3600 * kSecond;
  TCsvExport run(target_, hda::ExportColumns(list_, doc_, messages_), doc_.StartTime,
                 doc_.StopTime);
  for (int i = 0; i < 4; ++i) ASSERT_EQ(run.Step(), TCsvExportState::Running);
  ASSERT_TRUE(test_support::WriteShutdownControl(list_.At(0).Session()));
  ASSERT_TRUE(PumpUntil([&] { return list_.Count() == 0; }));
  EXPECT_EQ(run.Run(), TCsvExportState::ReadFailed);
  EXPECT_FALSE(platform::File::Exists(target_.Str()));
  EXPECT_FALSE(platform::File::Exists(run.TemporaryName().Str()));
  EXPECT_TRUE(WaitForNoServer());
}

}  // namespace
}  // namespace hda_test
