// Servers that shut down while the connection list is busy with other work: reading a document,
// disconnecting one server or all of them. A held shutdown notice makes the simulator's round of
// notices wait until the list is in the middle of that work.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "document/varnel_doc.h"
#include "hda/connection_list.h"
#include "tests/hda/hda_test_support.h"
#include "tests/support/held_shutdown_notice.h"
#include "tests/support/simulator_shutdown.h"

namespace hda_test {
namespace {

using test_support::HeldShutdownNotice;

constexpr wchar_t kHoldingClass[] = L"Varnel.HdaSim.3";
// Has no shutdown connection point: never told, it dies with its server process.
constexpr int kUntoldServer = 11;
// From asking the holding client for its slow read to that read's start in the server, with room.
constexpr DWORD kIntoTheSlowReadMs = 200;

// Waits, without looking at the queue, until a call has come into this thread's queue: the notice
// that the held sink has let go then waits for the list's first call to let it in. Looking would
// make the message old, and the modal loop of a call waits only for new input.
bool WaitForQueuedNotice(DWORD timeoutMs = 10000) {
  return MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs, QS_POSTMESSAGE) == WAIT_OBJECT_0;
}

HdaServerDef Server(int number) {
  HdaServerDef server;
  const std::string name = "Varnel.HdaSim." + std::to_string(number);
  for (char c : name) server.ServerName.Append(static_cast<char16_t>(c));
  return server;
}

ConnectionInfo InfoOf(int number, std::initializer_list<const char16_t*> items) {
  ConnectionInfo info;
  static_cast<HdaServerDef&>(info) = Server(number);
  for (const char16_t* item : items) info.AddItemName(item);
  return info;
}

// Items give every teardown calls to make: one release per item before the disconnect.
void AddItems(THdaConnectionList& list, IUserMessages& messages) {
  for (std::size_t i = 0; i < list.Count(); ++i) {
    for (const char16_t* item : {u"Waves/Sine 1s", u"Waves/Ramp 1s", u"Waves/Saw 1s"}) {
      ASSERT_FALSE(list.At(i).AddItem(item, messages));
    }
  }
}

std::vector<AMBREL_SESSION> Sessions(const THdaConnectionList& list) {
  std::vector<AMBREL_SESSION> sessions;
  for (std::size_t i = 0; i < list.Count(); ++i) sessions.push_back(list.At(i).Session());
  return sessions;
}

// A session the list closed cannot be closed again.
void ExpectClosed(const std::vector<AMBREL_SESSION>& sessions) {
  for (AMBREL_SESSION session : sessions) EXPECT_EQ(DisconnectHDA(session), FALSE) << session;
}

// One value per second from 2021-06-01 00:00:00 UTC; the simulator's functions at whole seconds
// since midnight (the sine starts its cycle there).
using Function = double (*)(int second);
double SineOf60s(int s) { return 100 * std::sin(2 * std::numbers::pi * (s % 60) / 60.0); }
double SecondsOfDay(int s) { return s; }

::testing::AssertionResult Follows(const TWave& wave, Function function, std::size_t points) {
  if (wave.Y.size() != points || wave.T.size() != points) {
    return ::testing::AssertionFailure() << wave.Y.size() << " values, " << points << " expected";
  }
  for (std::size_t i = 0; i < points; ++i) {
    const int s = static_cast<int>(i);
    if (wave.T[i] != kJune2021 + s * kSecond || std::fabs(wave.Y[i] - function(s)) > 1e-9) {
      return ::testing::AssertionFailure() << "point " << i << ": " << wave.Y[i];
    }
  }
  return ::testing::AssertionSuccess();
}

constexpr double kMarkTime = 1;
constexpr double kMarkValue = -12345;

bool KeptItsMark(const TWave& wave) {
  return wave.T == std::vector<double>{kMarkTime} && wave.Y == std::vector<double>{kMarkValue};
}

bool LoggedAReadOf(const char16_t* label) {
  const TString start(u"Reading HDA Items from server ", label, u" from ");
  for (const TString& text : LogTexts()) {
    if (text.Find(start.Str()) == 0) return true;
  }
  return false;
}

TEST(ShutdownAmidWork, ServerShutDownDuringARebuildIsReadNoMoreAndNoOtherInItsPlace) {
  ASSERT_TRUE(WaitForNoServer());
  TRecordingMessages messages;
  HeldShutdownNotice held(kHoldingClass);
  ASSERT_TRUE(held.Advised());
  THdaConnectionList list(messages);
  ASSERT_TRUE(list.Add(Server(1)));
  ASSERT_EQ(ServerProcessCount(), 1u);
  ASSERT_TRUE(test_support::WriteShutdownControl(list.At(0).Session()));
  ASSERT_TRUE(held.WaitUntilAsked(10000));
  // The first server has revoked its classes: the second one runs in a process of its own and
  // outlives the first.
  ASSERT_TRUE(list.Add(Server(2)));
  ASSERT_NE(list.At(1).Session(), AMBREL_NO_SESSION);
  ASSERT_EQ(ServerProcessCount(), 2u);
  const AMBREL_SESSION first = list.At(0).Session();

  TVarnelDoc doc;
  doc.Connections = {InfoOf(1, {u"Faults/Slow 2s", u"Waves/Ramp 1s", u"Waves/Saw 1s"}),
                     InfoOf(2, {u"Waves/Ramp 1s"})};
  doc.Waves.resize(doc.ItemCount());
  for (TWave& wave : doc.Waves) {
    wave.T = {kMarkTime};
    wave.Y = {kMarkValue};
  }
  doc.StartTime = kJune2021;
  doc.StopTime = kJune2021 + 10 * kSecond;
  ClearLog();
  // The first server's notice comes while its slow item is read, and holds that server until
  // the read is over.
  held.Answer(300);
  doc.RebuildWaves(list);

  EXPECT_TRUE(Follows(doc.Waves[0], SineOf60s, 10));
  // Its server gone, the other items of the first server fail as those of a server not open.
  EXPECT_TRUE(KeptItsMark(doc.Waves[1]));
  EXPECT_TRUE(KeptItsMark(doc.Waves[2]));
  EXPECT_FALSE(LoggedAReadOf(u":Varnel.HdaSim.1:Waves/Ramp 1s"));
  EXPECT_FALSE(LoggedAReadOf(u":Varnel.HdaSim.1:Waves/Saw 1s"));
  EXPECT_TRUE(Follows(doc.Waves[3], SecondsOfDay, 10));
  // The second server was asked for its own item only.
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.At(0).Server().ServerName, Server(2).ServerName);
  EXPECT_EQ(list.At(0).Items().size(), 1u);
  EXPECT_NE(list.At(0).FindItem(u"Waves/Ramp 1s"), nullptr);
  ExpectClosed({first});
  EXPECT_TRUE(messages.texts.empty());

  list.RemoveAll();
  EXPECT_TRUE(WaitForNoServer());
}

TEST(ShutdownAmidWork, DisconnectingAllWhileTwoOtherServersShutDown) {
  ASSERT_TRUE(WaitForNoServer());
  TRecordingMessages messages;
  HeldShutdownNotice held(kHoldingClass);
  ASSERT_TRUE(held.Advised());
  THdaConnectionList list(messages);
  // The first is never told; the notices of the other two come while the first is torn down.
  for (int number : {kUntoldServer, 1, 2}) ASSERT_TRUE(list.Add(Server(number)));
  AddItems(list, messages);
  const std::vector<AMBREL_SESSION> sessions = Sessions(list);
  ASSERT_TRUE(test_support::WriteShutdownControl(list.At(1).Session()));
  ASSERT_TRUE(held.WaitUntilAsked(10000));
  held.Answer(0);
  ASSERT_TRUE(WaitForQueuedNotice());

  list.RemoveAll();
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.LastConnection(), -1);
  ExpectClosed(sessions);
  EXPECT_TRUE(WaitForNoServer());
  EXPECT_EQ(list.Count(), 0u);
}

TEST(ShutdownAmidWork, DisconnectingOneWhileAnotherShutsDown) {
  ASSERT_TRUE(WaitForNoServer());
  TRecordingMessages messages;
  HeldShutdownNotice held(kHoldingClass);
  ASSERT_TRUE(held.Advised());
  THdaConnectionList list(messages);
  for (int number : {1, kUntoldServer, 2}) ASSERT_TRUE(list.Add(Server(number)));
  AddItems(list, messages);
  const std::vector<AMBREL_SESSION> sessions = Sessions(list);
  ASSERT_TRUE(test_support::WriteShutdownControl(list.At(0).Session()));
  ASSERT_TRUE(held.WaitUntilAsked(10000));
  held.Answer(0);
  ASSERT_TRUE(WaitForQueuedNotice());
  // The removal's calls must wait for the server, or COM finds their answers there before it
  // looks at the queue and lets the notice in only after the removal.
  held.ReadSlowly();
  Sleep(kIntoTheSlowReadMs);

  // The first server's notice comes while the second connection is torn down: the first goes
  // when that removal is over, the third when its own notice comes.
  list.Remove(1);
  EXPECT_EQ(DisconnectHDA(sessions[1]), FALSE);
  for (std::size_t i = 0; i < list.Count(); ++i) {
    EXPECT_NE(list.At(i).Server().ServerName, Server(kUntoldServer).ServerName);
    EXPECT_NE(list.At(i).Session(), sessions[0]);
  }
  EXPECT_TRUE(PumpUntil([&] { return list.Count() == 0; }));
  ExpectClosed(sessions);
  EXPECT_TRUE(WaitForNoServer());
}

TEST(ShutdownAmidWork, EveryListIsToldOfItsOwnServersWhateverOrderListsGo) {
  ASSERT_TRUE(WaitForNoServer());
  TRecordingMessages messages;
  auto older = std::make_unique<THdaConnectionList>(messages);
  auto middle = std::make_unique<THdaConnectionList>(messages);
  auto newer = std::make_unique<THdaConnectionList>(messages);
  middle.reset();
  ASSERT_TRUE(older->Add(Server(1)));
  ASSERT_TRUE(newer->Add(Server(2)));
  ASSERT_TRUE(test_support::WriteShutdownControl(older->At(0).Session()));
  EXPECT_TRUE(PumpUntil([&] { return older->Count() == 0 && newer->Count() == 0; }));
  older.reset();
  EXPECT_EQ(newer->Count(), 0u);
  EXPECT_TRUE(WaitForNoServer());
}

}  // namespace
}  // namespace hda_test
