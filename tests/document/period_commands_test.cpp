#include "document/period_commands.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "doc_test_support.h"

namespace {

using namespace doc_test;

class PeriodCommandTest : public DocTest {
 protected:
  void SetUp() override {
    DocTest::SetUp();
    SetClock(Local(2024, 6, 15, 14, 7, 23, 789));
    connections_.Open(Server(u"", u"A"));
    ConnectionInfo info;
    info.ServerName = u"A";
    info.ItemNames = {u"a1"};
    doc_.Connections = {info};
    doc_.StartTime = Local(2024, 6, 15);
    doc_.StopTime = Local(2024, 6, 15, 14, 7, 23, 789);
    ClearLog();
  }

  static bool Cancel(const char16_t*, double&, double&) { return false; }

  TVarnelDoc doc_;
  FakeConnections connections_;
};

TEST_F(PeriodCommandTest, ChoosingFiveMinuteStepsFromMidnight) {
  EXPECT_EQ(ChoosePeriodKind(&doc_, 1221, connections_, true, Cancel), kHintPeriodKindChosen);
  EXPECT_EQ(doc_.Period, kPeriodFiveMinuteSteps);
  EXPECT_EQ(doc_.StartTime, Local(2024, 6, 15));
  EXPECT_EQ(doc_.StopTime, Local(2024, 6, 15, 0, 5));
  EXPECT_FALSE(doc_.Live);
  EXPECT_EQ(LoggedTexts(), (std::vector<std::u16string>{
                               u"CmGraphPeriod:New StartTime(1): 15/06/2024 00:00:00.000",
                               u"CmGraphPeriod:Updating StartTime and StopTime",
                               u"CmGraphPeriod:New StartTime: 15/06/2024 00:00:00.000",
                               u"CmGraphPeriod:New StopTime: 15/06/2024 00:05:00.000",
                           }));
  for (const TLogEntry& entry : Log().Pending()) {
    EXPECT_EQ(entry.Level, kLevelDebug);
    EXPECT_EQ(entry.Type, kTypeOpc);
  }
  ASSERT_EQ(connections_.reads.size(), 1u);
  EXPECT_EQ(connections_.reads[0].start, Local(2024, 6, 15));
  EXPECT_EQ(connections_.reads[0].stop, Local(2024, 6, 15, 0, 5));
  EXPECT_EQ(doc_.Waves[0].T.size(), 300u);
}

TEST_F(PeriodCommandTest, ChoosingTheLastHourOrTheDay) {
  EXPECT_EQ(ChoosePeriodKind(&doc_, 1217, connections_, false, Cancel), kHintPeriodKindChosen);
  EXPECT_EQ(doc_.StartTime, Local(2024, 6, 15, 13, 7, 23));
  EXPECT_EQ(doc_.StopTime, Local(2024, 6, 15, 14, 7, 23));
  EXPECT_TRUE(doc_.Live);
  EXPECT_EQ(LoggedTexts().size(), 3u);  // no graph view: no "(1)" line

  for (int command : {1210, 1225}) {
    doc_.Period = kPeriodLastHour;
    EXPECT_EQ(ChoosePeriodKind(&doc_, command, connections_, false, Cancel), kHintPeriodKindChosen);
    EXPECT_EQ(doc_.Period, kPeriodDay);
    EXPECT_EQ(doc_.StartTime, Local(2024, 6, 15));
    EXPECT_EQ(doc_.StopTime, Local(2024, 6, 16));
    EXPECT_TRUE(doc_.Live);
  }
}

TEST_F(PeriodCommandTest, CustomPeriodConfirmedOrCancelled) {
  std::u16string title;
  const auto confirm = [&](const char16_t* t, double& start, double& stop) {
    title = t;
    EXPECT_EQ(start, Local(2024, 6, 15));
    start = Local(2024, 6, 14, 12);  // entered the wrong way round
    stop = Local(2024, 6, 14, 9);
    return true;
  };
  EXPECT_EQ(ChoosePeriodKind(&doc_, 1229, connections_, true, confirm), kHintPeriodKindChosen);
  EXPECT_EQ(title, u"Another period");
  EXPECT_EQ(doc_.Period, kPeriodCustom);
  EXPECT_EQ(doc_.StartTime, Local(2024, 6, 14, 9));
  EXPECT_EQ(doc_.StopTime, Local(2024, 6, 14, 12));
  EXPECT_FALSE(doc_.Live);
  ASSERT_EQ(LoggedTexts().size(), 5u);
  EXPECT_EQ(LoggedTexts()[0], u"CmGraphPeriod:New Period: 1229");
  EXPECT_EQ(LoggedTexts()[1], u"CmGraphPeriod:New StartTime(1): 14/06/2024 12:00:00.000");

  // Cancelled: the kind is custom, the times stay, nothing is read; later steps go by the length.
  ClearLog();
  connections_.reads.clear();
  doc_.Period = kPeriodDay;
  doc_.StartTime = Local(2024, 6, 15, 8);
  doc_.StopTime = Local(2024, 6, 15, 10);
  doc_.Live = false;
  EXPECT_EQ(ChoosePeriodKind(&doc_, 1229, connections_, true, Cancel), kHintNone);
  EXPECT_EQ(doc_.Period, kPeriodCustom);
  EXPECT_EQ(doc_.StartTime, Local(2024, 6, 15, 8));
  EXPECT_EQ(doc_.StopTime, Local(2024, 6, 15, 10));
  EXPECT_TRUE(LoggedTexts().empty());
  EXPECT_TRUE(connections_.reads.empty());
  EXPECT_EQ(RunPeriodCommand(&doc_, kCommandPreviousPeriod, connections_), kHintPreviousPeriod);
  EXPECT_EQ(doc_.StartTime, Local(2024, 6, 15, 6));
  EXPECT_EQ(doc_.StopTime, Local(2024, 6, 15, 8));
  EXPECT_EQ(RunPeriodCommand(&doc_, kCommandNextPeriod, connections_), kHintNextPeriod);
  EXPECT_EQ(RunPeriodCommand(&doc_, kCommandNextPeriod, connections_), kHintNextPeriod);
  EXPECT_EQ(doc_.StartTime, Local(2024, 6, 15, 10));
  EXPECT_EQ(doc_.StopTime, Local(2024, 6, 15, 12));
}

TEST_F(PeriodCommandTest, PeriodCommandsMoveAndReread) {
  struct Case {
    int command;
    bool live;
    int hint;
    double start;
    double stop;
    bool liveAfter;
  } const cases[] = {
      {kCommandPreviousPeriod, true, kHintPreviousPeriod, Local(2024, 6, 15, 12, 7, 23),
       Local(2024, 6, 15, 13, 7, 23), false},
      {kCommandNextPeriod, false, kHintNextPeriod, Local(2024, 6, 15, 13, 7, 23),
       Local(2024, 6, 15, 14, 7, 23), true},
      {kCommandCurrentPeriod, false, kHintCurrentPeriod, Local(2024, 6, 15, 13, 7, 23),
       Local(2024, 6, 15, 14, 7, 23), true},
      // A refresh brings a Live period up to now and leaves another one where it is.
      {kCommandRefresh, true, kHintRefresh, Local(2024, 6, 15, 13, 7, 23),
       Local(2024, 6, 15, 14, 7, 23), true},
      {kCommandRefreshView, true, kHintRefresh, Local(2024, 6, 15, 13, 7, 23),
       Local(2024, 6, 15, 14, 7, 23), true},
      {kCommandRefresh, false, kHintRefresh, Local(2024, 6, 15, 12, 7, 23),
       Local(2024, 6, 15, 13, 7, 23), false},
  };
  for (const Case& c : cases) {
    doc_.Period = kPeriodLastHour;
    doc_.StartTime = Local(2024, 6, 15, 12, 7, 23);
    doc_.StopTime = Local(2024, 6, 15, 13, 7, 23);
    if (c.command == kCommandPreviousPeriod) {
      doc_.StartTime += kHourMs;
      doc_.StopTime += kHourMs;
    }
    doc_.Live = c.live;
    connections_.reads.clear();
    EXPECT_EQ(RunPeriodCommand(&doc_, c.command, connections_), c.hint) << c.command;
    EXPECT_EQ(LocalText(doc_.StartTime), LocalText(c.start)) << c.command;
    EXPECT_EQ(LocalText(doc_.StopTime), LocalText(c.stop)) << c.command;
    EXPECT_EQ(doc_.Live, c.liveAfter) << c.command;
    ASSERT_EQ(connections_.reads.size(), 1u) << c.command;
    EXPECT_EQ(connections_.reads[0].start, c.start) << c.command;
  }
}

TEST_F(PeriodCommandTest, LockedDocumentsKeepTheirPeriod) {
  doc_.Locked = true;
  const TVarnelDoc before = doc_;
  for (int command : {1206, 1207, 1208, 1209, 9064}) {
    EXPECT_EQ(RunPeriodCommand(&doc_, command, connections_), kHintNone) << command;
  }
  for (int command : {1210, 1217, 1221, 1229}) {
    EXPECT_EQ(ChoosePeriodKind(&doc_, command, connections_, true, Cancel), kHintNone) << command;
  }
  EXPECT_EQ(doc_.Period, before.Period);
  EXPECT_EQ(doc_.StartTime, before.StartTime);
  EXPECT_EQ(doc_.StopTime, before.StopTime);
  EXPECT_TRUE(connections_.reads.empty());
  EXPECT_TRUE(LoggedTexts().empty());

  EXPECT_EQ(RunPeriodCommand(&doc_, kCommandUnlock, connections_), kHintNone);
  EXPECT_FALSE(doc_.Locked);
  EXPECT_EQ(RunPeriodCommand(&doc_, kCommandLock, connections_), kHintNone);
  EXPECT_TRUE(doc_.Locked);
  EXPECT_EQ(RunPeriodCommand(nullptr, kCommandRefresh, connections_), kHintNone);
  EXPECT_EQ(ChoosePeriodKind(nullptr, 1217, connections_, true, Cancel), kHintNone);
  EXPECT_EQ(ChoosePeriodKind(&doc_, 1230, connections_, true, Cancel), kHintNone);
}

TEST_F(PeriodCommandTest, CommandsNeedAnOpenServerOfTheDocument) {
  FakeConnections none;
  FakeConnections other;
  other.Open(Server(u"", u"B"));
  struct Case {
    bool hasDoc;
    bool locked;
    const FakeConnections* connections;
    bool periodCommands;
    bool unlock;
  } const cases[] = {
      {false, false, &connections_, false, false}, {true, false, &connections_, true, false},
      {true, true, &connections_, false, true},    {true, false, &none, false, false},
      {true, true, &other, false, false},
  };
  for (const Case& c : cases) {
    doc_.Locked = c.locked;
    const TVarnelDoc* doc = c.hasDoc ? &doc_ : nullptr;
    EXPECT_EQ(PeriodCommandsEnabled(doc, *c.connections), c.periodCommands);
    EXPECT_EQ(UnlockEnabled(doc, *c.connections), c.unlock);
  }
}

TEST_F(PeriodCommandTest, AutomaticRefreshEveryRefreshRate) {
  TVarnelDoc locked = doc_;
  locked.Locked = true;
  TVarnelDoc past = doc_;
  past.Live = false;
  doc_.Period = kPeriodLastMinute;
  locked.Period = kPeriodLastMinute;
  TVarnelDoc* documents[] = {&doc_, &locked, &past};
  TRefreshTimer timer;
  const double start = Local(2024, 6, 15, 14, 0, 0, 300);
  std::vector<int> refreshedAt;
  for (int second = 0; second <= 40; ++second) {
    if (timer.Tick(start + second * kSecondMs, 10, documents, connections_)) {
      refreshedAt.push_back(second);
    }
  }
  // Checks every 5 s; a refresh at most 4 s early, so every second check with a rate of 10 s.
  EXPECT_EQ(refreshedAt, (std::vector<int>{0, 10, 20, 30, 40}));
  EXPECT_EQ(doc_.StopTime, Local(2024, 6, 15, 14, 0, 40));
  EXPECT_EQ(doc_.StartTime, Local(2024, 6, 15, 13, 59, 40));
  EXPECT_EQ(locked.StopTime, past.StopTime);  // neither moved
  EXPECT_EQ(connections_.reads.size(), 5u);

  TRefreshTimer never;
  for (int second = 0; second <= 20; ++second) {
    EXPECT_FALSE(never.Tick(start + second * kSecondMs, 0, documents, connections_));
  }
  // Nothing to refresh: no hint for the views.
  TVarnelDoc* onlyLocked[] = {&locked};
  TRefreshTimer idle;
  EXPECT_FALSE(idle.Tick(start, 10, onlyLocked, connections_));
}

TEST_F(PeriodCommandTest, AutomaticRefreshMayComeFourSecondsEarly) {
  struct Case {
    std::int32_t rate;
    std::vector<double> ticks;
    std::vector<double> refreshed;
  } const cases[] = {
      {10, {1000, 5000, 9999, 10000, 15000, 19000, 20000}, {1000, 10000, 20000}},
      {20, {1000, 5000, 10000, 15000, 16000, 17000, 20000}, {1000, 20000}},
      {5, {1000, 2000, 4999, 5000, 9000, 10000}, {1000, 5000, 10000}},
      {1, {0, 1000, 4999, 5000, 6000, 10001}, {0, 5000, 10001}},
  };
  TVarnelDoc* documents[] = {&doc_};
  const double base = 1700000000000.0;  // on a 5-second mark
  for (const Case& c : cases) {
    TRefreshTimer timer;
    std::vector<double> refreshed;
    for (double tick : c.ticks) {
      if (timer.Tick(base + tick, c.rate, documents, connections_)) refreshed.push_back(tick);
    }
    EXPECT_EQ(refreshed, c.refreshed) << c.rate;
  }
}

TEST_F(PeriodCommandTest, AutomaticRefreshSurvivesTheClockGoingBack) {
  TVarnelDoc* documents[] = {&doc_};
  TRefreshTimer timer;
  const double start = Local(2024, 6, 15, 14);
  EXPECT_TRUE(timer.Tick(start, 10, documents, connections_));
  EXPECT_FALSE(timer.Tick(start + 5000, 10, documents, connections_));
  // Set back by an hour: refreshing resumes at once and keeps its rhythm from there.
  EXPECT_TRUE(timer.Tick(start - kHourMs, 10, documents, connections_));
  EXPECT_FALSE(timer.Tick(start - kHourMs + 5000, 10, documents, connections_));
  EXPECT_TRUE(timer.Tick(start - kHourMs + 10000, 10, documents, connections_));
}

TEST_F(PeriodCommandTest, FirstRefreshCheckInTheSlotAfterTheMainWindowWasMade) {
  TVarnelDoc* documents[] = {&doc_};
  const double made = Local(2024, 6, 15, 14, 0, 3);  // in the slot from 14:00:00
  TRefreshTimer timer(made);
  EXPECT_FALSE(timer.Tick(made + 1000, 60, documents, connections_));
  EXPECT_FALSE(timer.Tick(Local(2024, 6, 15, 14, 0, 4, 999), 60, documents, connections_));
  // The first check refreshes, whatever the rate: the last refresh time starts at 0.
  EXPECT_TRUE(timer.Tick(Local(2024, 6, 15, 14, 0, 5), 60, documents, connections_));
  // A rate of 60 s: the first check at least 56 s later.
  EXPECT_FALSE(timer.Tick(Local(2024, 6, 15, 14, 0, 60), 60, documents, connections_));
  EXPECT_TRUE(timer.Tick(Local(2024, 6, 15, 14, 1, 5), 60, documents, connections_));
}

TEST_F(PeriodCommandTest, RefreshAskedForComesAtTheNextCheckWhateverTheRate) {
  TVarnelDoc* documents[] = {&doc_};
  const double start = Local(2024, 6, 15, 14);
  TRefreshTimer timer;
  EXPECT_TRUE(timer.Tick(start, 60, documents, connections_));
  // A server answers again 2 s later: the next check (at 5 s) reads, not the one a minute on.
  timer.RefreshAtNextCheck();
  EXPECT_FALSE(timer.Tick(start + 4000, 60, documents, connections_)) << "no check due";
  EXPECT_TRUE(timer.Tick(start + 5000, 60, documents, connections_));
  // Then the rate's rhythm again, from that refresh.
  EXPECT_FALSE(timer.Tick(start + 60000, 60, documents, connections_));
  EXPECT_TRUE(timer.Tick(start + 65000, 60, documents, connections_));
  // No automatic refresh stays none.
  TRefreshTimer never;
  never.RefreshAtNextCheck();
  EXPECT_FALSE(never.Tick(start, 0, documents, connections_));
}

TEST_F(PeriodCommandTest, PeriodMenuChecksTheKindOrTheDayForCodesOutsideTheTable) {
  struct Case {
    std::int32_t period;
    int command;
  } const cases[] = {
      {kPeriodLast10Seconds, 1211},
      {kPeriodLast7Days, 1219},
      {kPeriodMinuteSteps, 1220},
      {kPeriodDay, 1225},
      {kPeriodCustom, 1229},
      {999, 1225},
      {0, 1225},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckedPeriodCommand(c.period), c.command) << c.period;
}

TEST_F(PeriodCommandTest, MainWindowTitleShowsThePeriod) {
  doc_.StartTime = Local(2024, 6, 15);
  doc_.StopTime = Local(2024, 6, 15, 14, 7, 23, 789);
  struct Case {
    std::int32_t period;
    bool maximised;
    std::u16string title;
  } const cases[] = {
      {kPeriodDay, true, u"Varnel : <One day : 15/06/2024 00:00:00->15/06/2024 14:07:23>"},
      {kPeriodLastHour, false,
       u"Varnel : <The last hour : 15/06/2024 00:00:00->15/06/2024 14:07:23>-plant.xml"},
      {kPeriodMinuteSteps, true,
       u"Varnel : <One minutes : 15/06/2024 00:00:00->15/06/2024 14:07:23>"},
      {999, true, u"Varnel : <One day : 15/06/2024 00:00:00->15/06/2024 14:07:23>"},
  };
  for (const Case& c : cases) {
    doc_.Period = c.period;
    EXPECT_EQ(Text(MainWindowTitle(&doc_, c.maximised, u"plant.xml")), c.title);
  }
  doc_.Period = kPeriodMinuteSteps;
  doc_.StopTime = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Text(MainWindowTitle(&doc_, true, u"")),
            u"Varnel : <One minutes : 15/06/2024 00:00:00->INF>");
  EXPECT_EQ(Text(MainWindowTitle(nullptr, true, u"x")), u"Varnel");
}

}  // namespace
