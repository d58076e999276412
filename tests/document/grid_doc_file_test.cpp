#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <string>
#include <vector>

#include "document/grid_doc.h"
#include "log_test_support.h"
#include "platform/file.h"

namespace {

using log_test::LogTest;
using log_test::Text;

constexpr char16_t kBom[] = u"\uFEFF";
constexpr char16_t kMarker[] = u"\n*** NOW ***";

// The line an Info entry of type Configuration is written as, in English.
std::u16string InfoLine(const std::u16string& when, const std::u16string& text) {
  return u"\r\n" + when + u"\t206\t[Info] \tConfiguration: \t" + text;
}

std::int64_t Bytes(const std::u16string& units) {
  return static_cast<std::int64_t>(units.size()) * 2;
}

class LogFileTest : public LogTest {
 protected:
  void Add(const std::u16string& text, double time = 129600250.0) {
    Log().AddMessage(kTypeConfiguration, kLevelInfo, TString(text.c_str()), time);
  }
  // One tick of the main window's timer.
  bool Tick(int traceSize) {
    const bool failed = !Log().WritePending(traceSize);
    Log().MovePending();
    return failed;
  }
};

TEST_F(LogFileTest, EntriesAreWrittenInTheirFormat) {
  struct Case {
    double time;
    int offsetMinutes;
    std::u16string when;
  } const cases[] = {
      {129600250.0, 0, u"02/01/1970 12:00:00.250"},
      {0.0, 0, u"01/01/1970 00:00:00.000"},
      {0.0, 60, u"01/01/1970 01:00:00.000"},
      {std::numeric_limits<double>::infinity(), 0, u"INF"},
  };
  for (const Case& c : cases) {
    SetLocalOffsetForTesting(c.offsetMinutes * 60000.0);
    platform::File::Remove(Log().LogFileName().Str());
    Add(u"entry", c.time);
    EXPECT_FALSE(Tick(1000));
    std::u16string line = InfoLine(c.when, u"entry");
    EXPECT_EQ(ReadLogFile(), kBom + line + kMarker);
    EXPECT_EQ(Log().WritePosition(), 2 + Bytes(line));
  }
}

TEST_F(LogFileTest, SecondLineOfAMessageCarriesTheDateOfTimeZero) {
  SetLocalOffsetForTesting(120 * 60000.0);
  Add(u"first\r\nsecond");
  Tick(1);
  EXPECT_EQ(ReadLogFile(), kBom + InfoLine(u"02/01/1970 14:00:00.250", u"first") +
                               InfoLine(u"01/01/1970 02:00:00.000", u"second") + kMarker);
}

TEST_F(LogFileTest, NextBatchOverwritesTheMarker) {
  Add(u"one");
  Tick(1);
  Add(u"two");
  Add(u"three");
  Tick(1);
  std::u16string when = u"02/01/1970 12:00:00.250";
  std::u16string lines = InfoLine(when, u"one") + InfoLine(when, u"two") + InfoLine(when, u"three");
  EXPECT_EQ(ReadLogFile(), kBom + lines + kMarker);
  EXPECT_EQ(Log().WritePosition(), 2 + Bytes(lines));
  EXPECT_FALSE(Tick(1));  // nothing pending: the file is left alone
  EXPECT_EQ(ReadLogFile(), kBom + lines + kMarker);
}

TEST_F(LogFileTest, TraceSizeZeroWritesNoFileButEntriesAreShown) {
  for (int traceSize : {0, -1}) {
    Add(u"kept in memory");
    EXPECT_FALSE(Tick(traceSize));
  }
  EXPECT_EQ(LogFileSize(), -1);
  EXPECT_EQ(Log().Shown().size(), 2u);
  EXPECT_EQ(Log().UnwrittenCount(), 0u);
}

// Entries "entry 000123 xxx...": about 2 kB each in the file.
std::u16string Numbered(int n) {
  std::u16string digits = u"000000";
  for (int i = 5; i >= 0 && n > 0; --i, n /= 10) digits[i] = static_cast<char16_t>(u'0' + n % 10);
  return u"entry " + digits + u" " + std::u16string(960, u'x');
}

std::vector<int> NumbersIn(const std::u16string& text) {
  std::vector<int> numbers;
  for (std::size_t at = text.find(u"\tentry "); at != std::u16string::npos;
       at = text.find(u"\tentry ", at + 1)) {
    numbers.push_back(std::stoi(std::string(text.begin() + at + 7, text.begin() + at + 13)));
  }
  return numbers;
}

TEST_F(LogFileTest, RingWrapsAfterTheSizeLimit) {
  int next = 0;
  std::int64_t reached = 0;
  while (reached == 0) {
    std::int64_t before = Log().WritePosition();
    for (int i = 0; i < 40; ++i) Add(Numbered(next++));
    ASSERT_FALSE(Tick(1));
    ASSERT_LT(next, 2000) << "the file never wrapped";
    if (Log().WritePosition() == 2) {
      reached = LogFileSize();
    } else {
      ASSERT_GT(Log().WritePosition(), before);
    }
  }
  // Cut right after the batch that passed 1 000 000 bytes, marker at the top.
  EXPECT_GT(reached, 1000000);
  EXPECT_LT(reached, 1000000 + 40 * 2100);
  std::u16string wrapped = ReadLogFile();
  EXPECT_EQ(wrapped.substr(0, 13), kBom + std::u16string(kMarker));
  const std::u16string last = Numbered(next - 1);
  EXPECT_EQ(wrapped.substr(wrapped.size() - last.size()), last);

  const int firstOfNewest = next;
  for (int i = 0; i < 3; ++i) Add(Numbered(next++));
  Tick(1);
  std::u16string file = ReadLogFile();
  std::size_t marker = file.rfind(kMarker);
  ASSERT_NE(marker, std::u16string::npos);
  std::vector<int> top = NumbersIn(file.substr(0, marker));
  EXPECT_EQ(top, (std::vector<int>{firstOfNewest, firstOfNewest + 1, firstOfNewest + 2}));
  // After the newest marker: the oldest surviving entries, in order, up to the newest before
  // the wrap.
  std::vector<int> rest = NumbersIn(file.substr(marker));
  ASSERT_FALSE(rest.empty());
  for (std::size_t i = 1; i < rest.size(); ++i) EXPECT_EQ(rest[i], rest[i - 1] + 1);
  EXPECT_EQ(rest.back(), firstOfNewest - 1);
  EXPECT_GT(rest.front(), 0);  // the very first entries were overwritten
}

TEST_F(LogFileTest, DeletedFileIsCreatedAgainWithItsMark) {
  Add(u"before");
  Tick(1);
  ASSERT_TRUE(platform::File::Remove(Log().LogFileName().Str()));
  Add(u"after");
  EXPECT_FALSE(Tick(1));
  std::u16string line = InfoLine(u"02/01/1970 12:00:00.250", u"after");
  EXPECT_EQ(ReadLogFile(), kBom + line + kMarker);
  EXPECT_EQ(Log().WritePosition(), 2 + Bytes(line));
}

TEST_F(LogFileTest, ShortenedFileMovesThePositionBack) {
  struct Case {
    std::vector<unsigned char> content;
    std::int64_t position;
  } const cases[] = {
      {{0xFF, 0xFE, 'a', 0, 'b', 0, 'c'}, 6},  // odd size: never between the bytes of a unit
      {{0xFF, 0xFE}, 2},
      {{}, 2},  // empty: the byte-order mark is written first
  };
  Add(u"long enough to be beyond the shortened end");
  Tick(1);
  for (const Case& c : cases) {
    {
      platform::File f;
      ASSERT_TRUE(f.Open(Log().LogFileName().Str(), platform::File::Mode::Write));
      f.Write(c.content.data(), c.content.size());
    }
    Add(u"x");
    EXPECT_FALSE(Tick(1));
    std::u16string line = InfoLine(u"02/01/1970 12:00:00.250", u"x");
    EXPECT_EQ(Log().WritePosition(), c.position + Bytes(line));
    std::u16string file = ReadLogFile();
    EXPECT_EQ(file.substr(0, 1), kBom);
    EXPECT_EQ(file.substr(static_cast<std::size_t>(c.position / 2)), line + kMarker);
  }
}

TEST_F(LogFileTest, UnopenableFileKeepsTheEntriesForLater) {
  for (bool fileExists : {false, true}) {
    platform::File::Remove(Log().LogFileName().Str());
    if (fileExists) {
      Add(u"first");
      Tick(1);
    }
    std::u16string before = ReadLogFile();
    platform::faults::FileFaults faults;
    faults.failOpen = true;
    platform::faults::SetFileFaults(&faults);
    Add(u"a");
    EXPECT_TRUE(Tick(1));
    Add(u"b");
    EXPECT_TRUE(Tick(1));
    EXPECT_EQ(Log().UnwrittenCount(), 2u);
    EXPECT_EQ(Text(Log().Shown().back().Text), u"b");  // shown meanwhile
    platform::faults::SetFileFaults(nullptr);
    EXPECT_EQ(ReadLogFile(), before);
    Add(u"c");
    EXPECT_FALSE(Tick(1));
    std::u16string when = u"02/01/1970 12:00:00.250";
    std::u16string expected = fileExists ? before.substr(0, before.size() - 12) : kBom;
    EXPECT_EQ(ReadLogFile(), expected + InfoLine(when, u"a") + InfoLine(when, u"b") +
                                 InfoLine(when, u"c") + kMarker);
    EXPECT_EQ(Log().UnwrittenCount(), 0u);
  }
}

TEST_F(LogFileTest, RefusedWriteDoesNotAdvanceThePosition) {
  std::u16string when = u"02/01/1970 12:00:00.250";
  Add(u"first");
  Tick(1);
  const std::int64_t start = Log().WritePosition();
  struct Case {
    std::int64_t budget;  // bytes the disk still takes
    int entriesWritten;   // whole entries among "second", "third"
  } const cases[] = {{0, 0},
                     {10, 0},
                     {Bytes(InfoLine(when, u"second")), 1},
                     {Bytes(InfoLine(when, u"second")) + 7, 1}};
  for (const Case& c : cases) {
    ASSERT_EQ(Log().WritePosition(), start);
    platform::faults::FileFaults faults;
    faults.writeBudget = static_cast<long>(c.budget);
    platform::faults::SetFileFaults(&faults);
    Add(u"second");
    Add(u"third");
    EXPECT_TRUE(Tick(1));
    std::int64_t expected = start;
    if (c.entriesWritten == 1) expected += Bytes(InfoLine(when, u"second"));
    EXPECT_EQ(Log().WritePosition(), expected) << c.budget;
    EXPECT_EQ(Log().UnwrittenCount(), 2u - static_cast<unsigned>(c.entriesWritten));
    platform::faults::SetFileFaults(nullptr);
    // The next batch overwrites whatever part of an entry was written.
    EXPECT_FALSE(Tick(1));
    EXPECT_EQ(ReadLogFile(), kBom + InfoLine(when, u"first") + InfoLine(when, u"second") +
                                 InfoLine(when, u"third") + kMarker);
    // Back to the state after "first" for the next case.
    platform::File::Remove(Log().LogFileName().Str());
    CreateLog();
    Add(u"first");
    Tick(1);
  }
}

TEST_F(LogFileTest, BackupKeepsThePreviousRun) {
  const TString backup(Log().LogFileName().Str(), u".bu");
  struct Case {
    bool logExists, backupExists;
  } const cases[] = {{true, true}, {true, false}, {false, true}, {false, false}};
  for (const Case& c : cases) {
    platform::File::Remove(Log().LogFileName().Str());
    platform::File::Remove(backup.Str());
    for (auto [exists, path, content] : {std::tuple{c.logExists, Log().LogFileName().Str(), "new"},
                                         std::tuple{c.backupExists, backup.Str(), "old"}}) {
      if (!exists) continue;
      platform::File f;
      ASSERT_TRUE(f.Open(path, platform::File::Mode::Write));
      f.Write(content, 3);
    }
    Log().BackupLogFile();
    EXPECT_FALSE(platform::File::Exists(Log().LogFileName().Str()));
    std::u16string expected = c.logExists ? u"\u656E" : (c.backupExists ? u"\u6C6F" : u"");
    EXPECT_EQ(ReadUnits(backup.Str()), expected);  // the first two bytes as one unit
  }
}

}  // namespace
