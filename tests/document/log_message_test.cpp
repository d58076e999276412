#include "document/log_message.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "log_test_support.h"
#include "text/assert_report.h"
#include "text/integer_text.h"

namespace {

using log_test::LogTest;
using log_test::Text;

std::vector<std::u16string> PendingTexts(const TGridDoc& log) {
  std::vector<std::u16string> texts;
  for (const TLogEntry& e : log.Pending()) texts.push_back(Text(e.Text));
  return texts;
}

TEST_F(LogTest, PiecesAreJoinedUpToTheFirstMissingOne) {
  LogMessage(kTypeOther, kLevelInfo, u"a");
  LogMessage(kTypeOther, kLevelInfo, u"a", u"b", u"c", u"d", u"e", u"f");
  LogMessage(kTypeOther, kLevelInfo, u"a", u"b", nullptr, u"d");
  LogMessage(kTypeOther, kLevelInfo, nullptr, u"b");
  LogMessage(kTypeConfiguration, kLevelInfo, u"Configuration saved into file : ", u"C:\\x.xml");
  std::vector<std::u16string> expected = {u"a", u"abcdef", u"ab", u"",
                                          u"Configuration saved into file : C:\\x.xml"};
  EXPECT_EQ(PendingTexts(Log()), expected);
}

TEST_F(LogTest, DroppedWithoutMainFrameOrLog) {
  SetMainFrameLink(nullptr);
  LogMessage(kTypeOther, kLevelInfo, u"before");
  TMainFrameLink withoutLog;
  SetMainFrameLink(&withoutLog);
  LogMessage(kTypeOther, kLevelInfo, u"no log yet");
  SetMainFrameLink(nullptr);
  EXPECT_TRUE(Log().Pending().empty());
}

TEST_F(LogTest, LinesBecomeEntriesAndOnlyTheFirstKeepsTheTime) {
  const std::u16string long2100(2100, u'x');
  const std::u16string kHigh(1, static_cast<char16_t>(0xD83D));
  struct Case {
    std::u16string text;
    std::vector<std::u16string> lines;
  } const cases[] = {
      {u"first\r\nsecond", {u"first", u"second"}},
      {u"one\r\n\r\nthree", {u"one", u"", u"three"}},
      {u"ends with a break\r\n", {u"ends with a break"}},
      {u"\r\nstarts with one", {u"", u"starts with one"}},
      {u"bare\rreturn", {u"bare\rreturn"}},
      {u"bare\nfeed", {u"bare\nfeed"}},
      {u"a\r\r\nb", {u"a\r", u"b"}},
      {u"x\r\n" + long2100,
       {u"x", long2100.substr(0, 1024), long2100.substr(1024, 1024), long2100.substr(2048)}},
      // Without a carriage return the text stays whole, however long.
      {long2100, {long2100}},
      // A surrogate pair across the 1024th unit goes whole into the next line; a lone high
      // surrogate there, or a pair that fits, is cut as any unit.
      {u"x\r\n" + std::u16string(1023, u'a') + u"\U0001F600b",
       {u"x", std::u16string(1023, u'a'), u"\U0001F600b"}},
      {u"x\r\n" + std::u16string(1022, u'a') + u"\U0001F600b",
       {u"x", std::u16string(1022, u'a') + u"\U0001F600", u"b"}},
      {u"x\r\n" + std::u16string(1023, u'a') + kHigh + u"bc",
       {u"x", std::u16string(1023, u'a') + kHigh, u"bc"}},
  };
  for (const Case& c : cases) {
    Log().MovePending();
    Log().ClearShown();
    Log().AddMessage(kTypeOther, kLevelInfo, TString(c.text.c_str()), 1234.0);
    ASSERT_EQ(PendingTexts(Log()), c.lines);
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      EXPECT_EQ(Log().Pending()[i].Time, i == 0 ? 1234.0 : 0.0);
    }
  }
}

TEST_F(LogTest, LevelAndTypeAreClamped) {
  struct Case {
    int level, type;
    std::int32_t storedLevel, storedType;
  } const cases[] = {
      {9, -1, 4, 0}, {-5, 7, 0, 7}, {4, 8, 4, 7}, {2, 6, 2, 6}, {-2147483647 - 1, 2147483647, 0, 7},
  };
  for (const Case& c : cases) LogMessage(c.type, c.level, u"m");
  ASSERT_EQ(Log().Pending().size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(Log().Pending()[i].Level, cases[i].storedLevel);
    EXPECT_EQ(Log().Pending()[i].Type, cases[i].storedType);
  }
}

TEST_F(LogTest, UpToFiveLeadingTabsBecomeThreeSpacesEach) {
  struct Case {
    const char16_t* text;
    std::u16string stored;
  } const cases[] = {
      {u"\t\tx", u"      x"},
      {u"\tx\ty", u"   x\ty"},
      {u"\t\t\t\t\t\t\tx", std::u16string(15, u' ') + u"\t\tx"},
      {u" \tx", u" \tx"},
      {u"\t", u"   "},
  };
  for (const Case& c : cases) LogMessage(kTypeOther, kLevelInfo, c.text);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(Text(Log().Pending()[i].Text), cases[i].stored) << i;
  }
}

TEST_F(LogTest, NamesComeFromTheLanguageOfTheFirstEntry) {
  EXPECT_TRUE(Log().LevelName(0).IsEmpty());
  SetLanguage(2);
  LogMessage(kTypeOther, kLevelInfo, u"first");
  SetLanguage(0);
  LogMessage(kTypeOther, kLevelInfo, u"second");
  EXPECT_EQ(Text(Log().LevelName(kLevelError)), u"\t[Fehler] ");
  EXPECT_EQ(Text(Log().LevelName(kLevelCommunication)), u"\t[Kommunikation] ");
  EXPECT_EQ(Text(Log().TypeName(kTypeOther)), u"\tAnderer Typ: \t");
  EXPECT_EQ(Text(Log().TypeName(kTypeTcpIp)), u"\tTCP/IP: \t");
  EXPECT_EQ(Text(Log().TypeName(kTypeReserved)), u"\tReserviert: \t");
}

TEST_F(LogTest, AssertionReportsBecomeErrorEntries) {
  const std::uint_least32_t line = __LINE__ + 1;
  AssertReport(u"idx too big", "HdaClient", false);
  ASSERT_EQ(Log().Pending().size(), 1u);
  EXPECT_EQ(Text(Log().Pending()[0].Text),
            u"Assert in HdaClient line " + Text(IntegerText(line)) + u": idx too big");
  EXPECT_EQ(Log().Pending()[0].Level, kLevelError);
  EXPECT_EQ(Log().Pending()[0].Type, kTypeOther);
}

TEST_F(LogTest, AssertionReportsMadeBeforeTheLogArriveWithIt) {
  DestroyLog();  // no log: the reports are kept
  const std::uint_least32_t line = __LINE__ + 1;
  AssertReport(u"early", "A", false);
  CreateLog();
  AssertReport(u"late", "B", false);
  std::vector<std::u16string> expected = {
      u"Assert in A line " + Text(IntegerText(line)) + u": early",
      u"Assert in B line " + Text(IntegerText(line + 2)) + u": late"};
  EXPECT_EQ(PendingTexts(Log()), expected);
}

TEST_F(LogTest, ThreadsLoggingAtOnceLoseNothing) {
  constexpr int kThreads = 4;
  constexpr int kPerThread = 1000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      const char16_t name[2] = {static_cast<char16_t>(u'A' + t), 0};
      for (int i = 0; i < kPerThread; ++i) LogMessage(kTypeOther, kLevelDebug, name, u"\r\nmore");
    });
  }
  // The user-interface thread keeps writing and moving meanwhile.
  for (int i = 0; i < 50; ++i) {
    Log().WritePending(1000);
    Log().MovePending();
  }
  for (std::thread& t : threads) t.join();
  Log().WritePending(1000);
  Log().MovePending();
  ASSERT_EQ(Log().Shown().size(), static_cast<std::size_t>(2 * kThreads * kPerThread))
      << "every message and its continuation";
  // Each continuation directly follows its own first line.
  for (std::size_t i = 0; i < Log().Shown().size(); i += 2) {
    EXPECT_NE(Log().Shown()[i].Time, 0.0);
    EXPECT_EQ(Text(Log().Shown()[i + 1].Text), u"more");
  }
  EXPECT_EQ(Log().UnwrittenCount(), 0u);
}

}  // namespace
