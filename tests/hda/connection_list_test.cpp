#include "hda/connection_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_context/main_frame_text.h"
#include "document/varnel_doc.h"
#include "strings/string_ids.h"
#include "tests/hda/hda_test_support.h"
#include "tests/support/simulator_shutdown.h"

namespace hda_test {
namespace {

HdaServerDef Server(int number) {
  HdaServerDef server;
  const std::string name = "Varnel.HdaSim." + std::to_string(number);
  for (char c : name) server.ServerName.Append(static_cast<char16_t>(c));
  return server;
}

TWave WaveOf(const HdaServerDef& server, const char16_t* item) {
  TWave wave;
  wave.MachineName = server.MachineName;
  wave.ServerName = server.ServerName;
  wave.ItemName = item;
  return wave;
}

bool ReadsTenSeconds(THdaConnectionList& list, std::size_t index) {
  TWave wave = WaveOf(list.At(index).Server(), u"Waves/Ramp 1s");
  return !list.ReadWave(list.Id(index), wave, kJune2021, kJune2021 + 10 * kSecond) &&
         wave.Y.size() == 10;
}

TEST(HdaConnectionList, EleventhConnectCommandIsRefusedButStartUpReconnectionIsNot) {
  TRecordingMessages messages;
  THdaConnectionList list(messages);
  for (int i = 1; i <= 10; ++i) ASSERT_TRUE(list.ConnectCommand(Server(i))) << i;
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_EQ(list.LastConnection(), 9);

  EXPECT_FALSE(list.ConnectCommand(Server(11)));
  ASSERT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(messages.texts[0], TString(RString(IDS_CONNECTION_DENIED)));
  EXPECT_EQ(list.Count(), 10u);

  EXPECT_TRUE(list.Add(Server(11)));
  EXPECT_EQ(list.Count(), 11u);
  EXPECT_NE(list.At(10).Session(), AMBREL_NO_SESSION);
}

TEST(HdaConnectionList, SameServerTwiceIsRefusedThroughBothPaths) {
  TRecordingMessages messages;
  THdaConnectionList list(messages);
  ASSERT_TRUE(list.Add(Server(1)));
  EXPECT_FALSE(list.Add(Server(1)));
  EXPECT_FALSE(list.ConnectCommand(Server(1)));
  // Another machine is another server, even with the same ProgID.
  HdaServerDef remote = Server(1);
  remote.MachineName = u"elsewhere";
  EXPECT_TRUE(list.Add(remote));
  EXPECT_EQ(remote.MachineName.IsEmpty(), false);
  ASSERT_EQ(messages.texts.size(), 2u);
  for (const TString& text : messages.texts) {
    EXPECT_EQ(text, TString(RString(IDS_SERVER_ALREADY_CONNECTED)));
  }
  EXPECT_EQ(list.Count(), 2u);
  // That machine does not exist: the connection stays, without a session, and reads fail.
  EXPECT_EQ(list.At(1).Session(), AMBREL_NO_SESSION);
  EXPECT_EQ(list.At(1).DisplayName(), TString(u"elsewhere\\Varnel.HdaSim.1"));
  TWave wave = WaveOf(remote, u"Waves/Ramp 1s");
  wave.T = {1.0};
  wave.Y = {2.0};
  EXPECT_TRUE(list.ReadWave(list.Id(1), wave, kJune2021, kJune2021 + kSecond));
  EXPECT_EQ(wave.T.size(), 1u);
}

TEST(HdaConnectionList, RemovingTheMiddleOfThreeKeepsTheOthersReading) {
  TRecordingMessages messages;
  THdaConnectionList list(messages);
  for (int i = 1; i <= 3; ++i) ASSERT_TRUE(list.Add(Server(i)));
  const AMBREL_SESSION first = list.At(0).Session();
  const AMBREL_SESSION second = list.At(1).Session();
  const AMBREL_SESSION third = list.At(2).Session();
  ASSERT_TRUE(ReadsTenSeconds(list, 1));

  list.Remove(1);
  list.Remove(5);  // beyond the list: nothing
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.LastConnection(), 1) << "the third, moved up";
  EXPECT_EQ(list.At(0).Session(), first);
  EXPECT_EQ(list.At(1).Session(), third);
  EXPECT_EQ(list.At(1).Server().ServerName, Server(3).ServerName);
  EXPECT_TRUE(ReadsTenSeconds(list, 0));
  EXPECT_TRUE(ReadsTenSeconds(list, 1));
  // The removed session is closed.
  EXPECT_EQ(DisconnectHDA(second), FALSE);
  list.Remove(1);
  EXPECT_EQ(list.LastConnection(), -1) << "the connection added last is gone";

  list.RemoveAll();
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.LastConnection(), -1);
  EXPECT_EQ(DisconnectHDA(first), FALSE);
  EXPECT_EQ(DisconnectHDA(third), FALSE);
}

TEST(HdaConnectionList, ServerShutdownRemovesItsConnections) {
  TRecordingMessages messages;
  THdaConnectionList list(messages);
  ASSERT_TRUE(list.Add(Server(1)));
  ASSERT_TRUE(list.Add(Server(2)));
  // Whoever shows the connections is told after each removal, with the list as it is then and
  // the servers that went.
  std::vector<std::size_t> told;
  std::vector<std::u16string> gone;
  list.OnShutdownRemoval([&](const std::vector<HdaServerDef>& servers) {
    told.push_back(list.Count());
    for (const HdaServerDef& s : servers) gone.emplace_back(s.ServerName.Str());
  });
  ASSERT_TRUE(test_support::WriteShutdownControl(list.At(0).Session()));
  // The simulator asks every client to disconnect, then ends.
  EXPECT_TRUE(PumpUntil([&] { return list.Count() == 0; }));
  PumpUntil([] { return false; }, 1500);
  ASSERT_FALSE(told.empty()) << "nobody was told of the removals";
  EXPECT_EQ(told.back(), 0u);
  EXPECT_EQ(gone, (std::vector<std::u16string>{u"Varnel.HdaSim.1", u"Varnel.HdaSim.2"}));

  // The simulator starts anew for the next session: the server comes back, its items added again.
  ASSERT_TRUE(list.Reconnect(Server(2)));
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_TRUE(list.Reconnect(Server(2))) << "connected already: nothing more is listed";
  EXPECT_EQ(list.Count(), 1u);
  list.AddItems(list.Id(0), {u"Waves/Ramp 1s", u"Waves/Sine 1s", u"Waves/Ramp 1s"});
  EXPECT_EQ(list.At(0).Items().size(), 2u);
  EXPECT_TRUE(ReadsTenSeconds(list, 0));
  EXPECT_TRUE(messages.texts.empty());
}

TEST(HdaConnectionList, ServerThatCannotBeReachedIsNotListedByReconnect) {
  TRecordingMessages messages;
  THdaConnectionList list(messages);
  HdaServerDef nowhere;
  nowhere.ServerName = u"Varnel.NoSuchServer.1";
  ClearLog();
  EXPECT_FALSE(list.Reconnect(nowhere));
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_FALSE(LibraryErrors().empty()) << "the library reported why";
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_EQ(list.LastConnection(), -1);
}

TEST(HdaConnection, SameItemIsAskedOnceAndKeepsItsHandles) {
  TRecordingMessages messages;
  THdaConnectionList list(messages);
  ASSERT_TRUE(list.Add(Server(1)));
  THdaConnection& connection = list.At(0);
  EXPECT_FALSE(connection.AddItem(u"Waves/Sine 1s", messages));
  EXPECT_FALSE(connection.AddItem(u"Waves/Sine 1s", messages));
  EXPECT_FALSE(connection.AddItem(u"Waves/Ramp 1s", messages));
  EXPECT_EQ(connection.NextClientHandle(), 2);
  ASSERT_EQ(connection.Items().size(), 2u);
  const THdaItem* sine = connection.FindItem(u"Waves/Sine 1s");
  ASSERT_NE(sine, nullptr);
  EXPECT_EQ(sine->ClientHandle, 0);
  EXPECT_NE(sine->ServerHandle, -1);
  EXPECT_EQ(sine->ServerName, TString(kServer1));
  // The attributes were read at the present: the data type at least is there.
  std::size_t present = 0;
  for (const VARIANT& v : sine->Attributes()) present += v.vt != VT_EMPTY;
  EXPECT_GT(present, 0u);

  EXPECT_TRUE(connection.AddItem(u"No/Such item", messages));
  ASSERT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(messages.texts[0], TString(kCouldNotAddItemText));
  EXPECT_EQ(connection.Items().size(), 2u);

  // Names go to the server cut to 256 bytes: a longer name whose first 256 characters are the
  // simulator's longest name reaches that item, and one character fewer is another, unknown name.
  TString longest(u"Names/Exactly 256 characters ");
  for (char16_t digit = u'0'; longest.Length() < 256; digit = digit == u'9' ? u'0' : digit + 1) {
    longest.Append(digit);
  }
  TString longer(longest);
  while (longer.Length() < 300) longer.Append(u'x');
  EXPECT_FALSE(connection.AddItem(longer, messages));
  EXPECT_EQ(messages.texts.size(), 1u);
  TString shorter(longest);
  shorter.SetLength(255);
  EXPECT_TRUE(connection.AddItem(shorter, messages));
  EXPECT_EQ(messages.texts.size(), 2u);
  EXPECT_EQ(connection.Items().size(), 3u);

  connection.Destroy();
  EXPECT_TRUE(connection.Items().empty());
  EXPECT_EQ(connection.NextClientHandle(), 0);
  EXPECT_EQ(connection.Session(), AMBREL_NO_SESSION);
}

TEST(HdaConnectionList, DocumentWithTwoServersReadsEachOnlyItsOwnItems) {
  TRecordingMessages messages;
  THdaConnectionList list(messages);
  ASSERT_TRUE(list.Add(Server(1)));
  ASSERT_TRUE(list.Add(Server(2)));
  TVarnelDoc doc;
  ConnectionInfo one;
  static_cast<HdaServerDef&>(one) = Server(1);
  one.AddItemName(u"Waves/Ramp 1s");
  ConnectionInfo two;
  static_cast<HdaServerDef&>(two) = Server(2);
  two.AddItemName(u"Text/States");
  two.AddItemName(u"Types/BOOL");
  doc.Connections = {one, two};
  doc.StartTime = kJune2021;
  doc.StopTime = kJune2021 + 60 * kSecond;  // the end is not part of the period
  doc.RebuildWaves(list);
  ASSERT_EQ(doc.Waves.size(), 3u);
  EXPECT_EQ(doc.Waves[0].Y.size(), 60u);
  EXPECT_EQ(doc.Waves[1].S.size(), 6u);
  EXPECT_EQ(doc.Waves[2].Y.size(), 60u);
  EXPECT_EQ(list.At(0).Items().size(), 1u);
  EXPECT_EQ(list.At(1).Items().size(), 2u);
  EXPECT_TRUE(messages.texts.empty());
}

}  // namespace
}  // namespace hda_test
