#include "document/grid_doc.h"

#include <gtest/gtest.h>

#include <string>

#include "log_test_support.h"
#include "platform/path.h"

namespace {

using log_test::LogTest;
using log_test::Text;

TEST(GridDocName, LogFileIsInTheStartDirectory) {
  struct Case {
    const char16_t* startDirectory;
    std::u16string expected;
  } const cases[] = {
      {u"C:\\Work", std::u16string(u"C:\\Work") + platform::kPathSeparator + u"Varnel.log"},
      {u"C:\\", u"C:\\Varnel.log"},
      {u"/home/op/", u"/home/op/Varnel.log"},
      {u"", u"Varnel.log"},
  };
  for (const Case& c : cases) {
    TGridDoc log{TString(c.startDirectory)};
    EXPECT_EQ(Text(log.LogFileName()), c.expected);
    EXPECT_EQ(log.WritePosition(), 0);
  }
}

TEST_F(LogTest, MovePendingTrimsTheOldestShownEntries) {
  struct Case {
    int shown, pending;
    std::size_t shownAfter;
    double firstTimeAfter;  // Time of the oldest entry kept
  } const cases[] = {
      {9999, 5, 10004, 0.0},
      {10000, 5, 9005, 1000.0},
      {10000, 1500, 10000, 1500.0},
      {0, 3, 3, 0.0},
  };
  for (const Case& c : cases) {
    Log().ClearShown();
    for (int i = 0; i < c.shown + c.pending; ++i) {
      Log().AddEntry(TLogEntry{static_cast<double>(i), kLevelInfo, kTypeOther, TString()});
      if (i + 1 == c.shown) {
        Log().WritePending(0);
        Log().MovePending();
      }
    }
    Log().WritePending(0);
    Log().MovePending();
    ASSERT_EQ(Log().Shown().size(), c.shownAfter) << c.shown << "+" << c.pending;
    EXPECT_EQ(Log().Shown().front().Time, c.firstTimeAfter);
    EXPECT_EQ(Log().Shown().back().Time, static_cast<double>(c.shown + c.pending - 1));
    EXPECT_TRUE(Log().Pending().empty());
  }
}

TEST_F(LogTest, MovingManyEntriesReleasesPendingStorage) {
  struct Case {
    int moved;
    bool released;
  } const cases[] = {{2000, false}, {2001, true}};
  for (const Case& c : cases) {
    for (int i = 0; i < c.moved; ++i) Log().AddEntry(TLogEntry{});
    Log().WritePending(0);
    Log().MovePending();
    if (c.released) {
      EXPECT_EQ(Log().Pending().capacity(), TGridDoc::kPendingRoom);
    } else {
      EXPECT_GE(Log().Pending().capacity(), static_cast<std::size_t>(c.moved));
    }
  }
}

TEST_F(LogTest, ClearShownEmptiesOnlyShown) {
  Log().AddEntry(TLogEntry{});
  Log().MovePending();
  Log().AddEntry(TLogEntry{});
  Log().ClearShown();
  EXPECT_TRUE(Log().Shown().empty());
  EXPECT_EQ(Log().Pending().size(), 1u);
}

}  // namespace
