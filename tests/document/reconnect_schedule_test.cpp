#include "document/reconnect_schedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HdaServerDef Server(const char16_t* name, const char16_t* machine = u"") {
  HdaServerDef server;
  server.MachineName = machine;
  server.ServerName = name;
  return server;
}

// The times of the tries of a server that never answers, from its loss at 0 to `until`.
std::vector<double> TryTimes(double until) {
  TReconnectSchedule schedule;
  const HdaServerDef server = Server(u"Varnel.HdaSim.1");
  schedule.Lost(server, 0);
  std::vector<double> tries;
  for (double now = 0; now <= until; now += 1000) {
    if (schedule.Due(now).empty()) continue;
    tries.push_back(now);
    schedule.Failed(server, now, -2147023174);
  }
  return tries;
}

TEST(ReconnectSchedule, WaitsGrowFromFiveSecondsToOneMinuteAndStayThere) {
  EXPECT_EQ(TryTimes(300000),
            (std::vector<double>{5000, 15000, 45000, 105000, 165000, 225000, 285000}));
  // A day of tries is one a minute after the first three (at 5, 15 and 45 s): nothing piles up.
  EXPECT_EQ(TryTimes(86400000).size(), 3u + (86400u - 45u) / 60u);
}

TEST(ReconnectSchedule, EachServerIsListedOnceAndForgottenByName) {
  TReconnectSchedule schedule;
  schedule.Lost(Server(u"A"), 0);
  schedule.Lost(Server(u"A", u"other"), 1000);
  schedule.Lost(Server(u"B"), 2000);
  schedule.Failed(Server(u"A"), 5000, 1);
  // Lost again before it answered: it keeps its count and its later try.
  schedule.Lost(Server(u"A"), 6000);
  ASSERT_EQ(schedule.Entries().size(), 3u);
  EXPECT_EQ(schedule.Entries()[0].tries, 1);
  EXPECT_EQ(schedule.Entries()[0].nextTry, 15000);
  // Due in the order they went.
  const std::vector<HdaServerDef> due = schedule.Due(20000);
  ASSERT_EQ(due.size(), 3u);
  EXPECT_EQ(due[0].ServerName, TString(u"A"));
  EXPECT_EQ(due[1].MachineName, TString(u"other"));
  EXPECT_EQ(due[2].ServerName, TString(u"B"));
  schedule.Forget(Server(u"A", u"other"));
  ASSERT_EQ(schedule.Entries().size(), 2u);
  EXPECT_EQ(schedule.Entries()[0].server.MachineName, TString(u""));
  EXPECT_EQ(schedule.Entries()[1].server.ServerName, TString(u"B"));
  EXPECT_FALSE(schedule.Failed(Server(u"C"), 20000, 1)) << "a server never lost";
  schedule.Clear();
  EXPECT_TRUE(schedule.Empty());
  EXPECT_TRUE(schedule.Due(1e12).empty());
}

TEST(ReconnectSchedule, ATryIsWorthALogLineOnlyWhenItsResultChanged) {
  TReconnectSchedule schedule;
  const HdaServerDef server = Server(u"A");
  schedule.Lost(server, 0);
  EXPECT_TRUE(schedule.Failed(server, 5000, 7)) << "the first try";
  EXPECT_FALSE(schedule.Failed(server, 15000, 7));
  EXPECT_FALSE(schedule.Failed(server, 45000, 7));
  EXPECT_TRUE(schedule.Failed(server, 105000, 8));
  EXPECT_TRUE(schedule.Failed(server, 165000, 7));
  // Lost again after it answered (forgotten): its first try is told again.
  schedule.Forget(server);
  schedule.Lost(server, 200000);
  EXPECT_EQ(schedule.Due(204999).size(), 0u);
  EXPECT_EQ(schedule.Due(205000).size(), 1u);
  EXPECT_TRUE(schedule.Failed(server, 205000, 7));
}

}  // namespace
