// The CSV export without a server: its cells, the merge of several waves by time with bounded
// memory, and the file written step by step (temporary name, failures that leave nothing).
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "document/csv_cells.h"
#include "document/csv_export.h"
#include "document/csv_merge.h"
#include "platform/file.h"
#include "platform/locale.h"
#include "text/time_base.h"

namespace {

constexpr double kHourMs = 3600000.0;
// 2024-01-15 12:00:00 UTC (winter) and 2024-07-15 12:00:00 UTC (summer).
constexpr double kWinterNoon = 1705320000000.0;
constexpr double kSummerNoon = 1721044800000.0;
// 2024-03-31 01:00:00 UTC, when daylight saving starts.
constexpr double kSpringChange = 1711846800000.0;

// Every test starts at local offset 0; the offset of the process is restored afterwards.
class CsvTest : public ::testing::Test {
 protected:
  void SetUp() override { startUpOffset_ = SetLocalOffsetForTesting(0.0); }
  void TearDown() override { SetLocalOffsetForTesting(startUpOffset_); }

 private:
  double startUpOffset_ = 0.0;
};

// Days since 1970-01-01 of a civil date, computed apart from the program's calendar tables.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// The instant an ISO 8601 text with offset names, in milliseconds since 1970 UTC; -1 when the
// text is not "YYYY-MM-DDThh:mm:ss.mmm+hh:mm".
std::int64_t InstantOfIso(const std::string& text) {
  int y, mo, d, h, mi, s, ms, oh, om;
  char sign;
  if (text.size() != 29 ||
      std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d.%3d%c%2d:%2d", &y, &mo, &d, &h, &mi, &s,
                  &ms, &sign, &oh, &om) != 10 ||
      (sign != '+' && sign != '-')) {
    return -1;
  }
  const std::int64_t local = ((DaysFromCivil(y, mo, d) * 24 + h) * 60 + mi) * 60000 + s * 1000 + ms;
  const std::int64_t offset = (oh * 60 + om) * 60000;
  return sign == '+' ? local - offset : local + offset;
}

TEST_F(CsvTest, FieldsAreQuotedOnlyWhereTheyMustBe) {
  const struct {
    const char* text;
    const char* field;
  } kCases[] = {
      {"Sine", "Sine"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"line\nfeed", "\"line\nfeed\""},
      {" padded", "\" padded\""},
      {"padded ", "\"padded \""},
      {"in side", "in side"},
      {"Température", "Température"},
  };
  for (const auto& c : kCases) EXPECT_EQ(CsvField(c.text), c.field) << c.text;
  EXPECT_EQ(CsvTextCell(TString(u"Gr\u00FC\u00DFe, \"Welt\"")),
            "\"Gr\xC3\xBC\xC3\x9F"
            "e, \"\"Welt\"\"\"");
}

TEST_F(CsvTest, NumbersAreInvariantAndReadBackExactly) {
  const struct {
    double value;
    const char* cell;
  } kCases[] = {
      {0.1, "0.1"},
      {-2.5, "-2.5"},
      {3, "3"},
      {0.0, "0"},
      {-0.0, "0"},
      {1e21, "1e+21"},
      {1.5e-7, "1.5e-07"},
      {1234567.891, "1234567.891"},
      {std::nan(""), "NaN"},
      {HUGE_VAL, "Infinity"},
      {-HUGE_VAL, "-Infinity"},
  };
  // A locale with a decimal comma changes nothing.
  const char16_t previous = platform::SetDecimalPointForTesting(u',');
  for (const auto& c : kCases) EXPECT_EQ(CsvNumberCell(c.value), c.cell) << c.value;
  const double kRoundTrip[] = {1.0 / 3.0,           2.0 / 3.0 * 1e300, 5e-324,
                               123456789.123456789, -0.000123456789,   98.76543210987654};
  for (double value : kRoundTrip) {
    const std::string cell = CsvNumberCell(value);
    double back = 0;
    std::from_chars(cell.data(), cell.data() + cell.size(), back);
    EXPECT_EQ(back, value) << cell;
    EXPECT_EQ(cell.find(','), std::string::npos) << cell;
  }
  platform::SetDecimalPointForTesting(previous);
}

TEST_F(CsvTest, TimesNameTheirInstantWithTheOffsetInForce) {
  const struct {
    int minutesEast;
    double time;
    const char* text;
  } kCases[] = {
      {0, kWinterNoon, "2024-01-15T12:00:00.000+00:00"},
      {0, kWinterNoon + 7, "2024-01-15T12:00:00.007+00:00"},
      {60, kWinterNoon, "2024-01-15T13:00:00.000+01:00"},
      {60, kSummerNoon, "2024-07-15T14:00:00.000+02:00"},
      {60, kSpringChange - 1, "2024-03-31T01:59:59.999+01:00"},
      {60, kSpringChange, "2024-03-31T03:00:00.000+02:00"},
      {-300, kWinterNoon, "2024-01-15T07:00:00.000-05:00"},
      {330, kWinterNoon + 0.9, "2024-01-15T17:30:00.000+05:30"},
  };
  for (const auto& c : kCases) {
    SetLocalOffsetForTesting(c.minutesEast * 60000.0);
    const std::string text = CsvTimeCell(c.time);
    EXPECT_EQ(text, c.text) << c.minutesEast;
    EXPECT_EQ(InstantOfIso(text), static_cast<std::int64_t>(std::floor(c.time))) << text;
  }
  // Every hour across a year, in zones east and west: the text always names its own instant.
  for (int minutesEast : {60, -480, 0}) {
    SetLocalOffsetForTesting(minutesEast * 60000.0);
    for (double t = kWinterNoon; t < kWinterNoon + 366 * 24 * kHourMs; t += kHourMs + 1) {
      ASSERT_EQ(InstantOfIso(CsvTimeCell(t)), static_cast<std::int64_t>(t)) << CsvTimeCell(t);
    }
  }
}

TWave Numbers(std::vector<double> t, std::vector<double> y) {
  TWave wave;
  wave.T = std::move(t);
  wave.Y = std::move(y);
  return wave;
}

TWave Texts(std::vector<double> t, std::vector<TString> s) {
  TWave wave;
  wave.T = std::move(t);
  wave.S = std::move(s);
  return wave;
}

// The rows with the time column cut to the milliseconds since the first time stamp, at offset 0.
std::string Rows(const std::string& csv, double origin) {
  std::string out;
  std::size_t pos = 0;
  while (pos < csv.size()) {
    const std::size_t end = csv.find("\r\n", pos);
    const std::string row = csv.substr(pos, end - pos);
    const std::size_t comma = row.find(',');
    out += std::to_string(InstantOfIso(row.substr(0, comma)) - static_cast<std::int64_t>(origin));
    out += row.substr(comma) + "|";
    pos = end + 2;
  }
  return out;
}

TEST_F(CsvTest, MergeWritesOneRowPerTimeStampWithEmptyCells) {
  const double t0 = kWinterNoon;
  TCsvMerge merge(3);
  merge.Add(0, Numbers({t0, t0 + 1000, t0 + 2000}, {1, 2, 3}));
  merge.Add(1, Numbers({t0 + 500, t0 + 1000}, {0.5, -1}));
  merge.Add(2, Texts({t0, t0 + 2500}, {u"on", u"off, now"}));
  std::string rows;
  merge.TakeRows(rows);
  // Column 1 reached only t0 + 1000 and may add more at that time: rows before it only.
  EXPECT_EQ(Rows(rows, t0), "0,1,,on|500,,0.5,|");
  for (std::size_t c = 0; c < 3; ++c) merge.Finish(c);
  rows.clear();
  merge.TakeRows(rows);
  EXPECT_EQ(Rows(rows, t0), "1000,2,-1,|2000,3,,|2500,,,\"off, now\"|");
  EXPECT_EQ(merge.Rows(), 5u);
  EXPECT_EQ(merge.Values(), 7u);
  EXPECT_EQ(merge.Held(), 0u);
  EXPECT_EQ(CsvHeaderRow({u"Sine", u"a,b", u"Ramp"}), "Time,Sine,\"a,b\",Ramp\r\n");
}

TEST_F(CsvTest, MergeWaitsForValuesAtTheTimeAPieceEndedAt) {
  const double t0 = kWinterNoon;
  TCsvMerge merge(2);
  merge.Add(0, Numbers({t0, t0 + 10}, {1, 2}));
  merge.Add(1, Numbers({t0 + 10}, {7}));
  std::string rows;
  merge.TakeRows(rows);
  EXPECT_EQ(Rows(rows, t0), "0,1,|");
  // The next piece of column 0 starts with a second value at t0 + 10.
  merge.Add(0, Numbers({t0 + 10, t0 + 20}, {3, 4}));
  merge.Finish(1);
  rows.clear();
  merge.TakeRows(rows);
  EXPECT_EQ(Rows(rows, t0), "10,2,7|10,3,|");
  merge.Finish(0);
  rows.clear();
  merge.TakeRows(rows);
  EXPECT_EQ(Rows(rows, t0), "20,4,|");
}

TEST_F(CsvTest, MergeAsksForTheColumnBehindAndHoldsLittle) {
  // Two waves of 30000 values each, at different rates, fed by 1000-value pieces as Behind asks.
  const double t0 = kWinterNoon;
  const std::uint64_t kValues = 30000;
  const double periods[2] = {10, 7};
  std::uint64_t fed[2] = {0, 0};
  TCsvMerge merge(2);
  std::string rows;
  std::size_t mostHeld = 0;
  std::uint64_t expectedRows = 0;
  while (const std::optional<std::size_t> behind = merge.Behind()) {
    const std::size_t c = *behind;
    if (fed[c] == kValues) {
      merge.Finish(c);
    } else {
      TWave piece;
      for (int i = 0; i < 1000; ++i, ++fed[c]) {
        piece.T.push_back(t0 + periods[c] * static_cast<double>(fed[c]));
        piece.Y.push_back(static_cast<double>(fed[c]));
      }
      merge.Add(c, piece);
    }
    rows.clear();
    merge.TakeRows(rows);
    mostHeld = std::max(mostHeld, merge.Held());
  }
  // Distinct times: every multiple of 10 or 7 below the ends, common multiples once.
  for (std::uint64_t k = 0; k < kValues; ++k) ++expectedRows;
  for (std::uint64_t k = 0; k * 7 < kValues * 10; ++k) {
    if (k < kValues && (k * 7) % 10 != 0) ++expectedRows;
  }
  EXPECT_EQ(merge.Rows(), expectedRows);
  EXPECT_EQ(merge.Values(), 2 * kValues);
  // What waits to be written is never more than a piece of each wave.
  EXPECT_LE(mostHeld, 2000u);
}

// A stream of prepared pieces, failing at their end when asked to.
class PieceStream final : public IWaveStream {
 public:
  PieceStream(std::deque<TWave> pieces, bool fail) : pieces_(std::move(pieces)), fail_(fail) {}
  bool Next(TWave& piece) override {
    ++calls;
    if (pieces_.empty()) return false;
    piece = pieces_.front();
    pieces_.pop_front();
    return true;
  }
  bool Failed() const override { return fail_; }
  int calls = 0;

 private:
  std::deque<TWave> pieces_;
  bool fail_;
};

using platform::faults::ScopedFileFaults;

std::string ReadAll(const TString& path) {
  platform::File file;
  if (!file.Open(path.Str(), platform::File::Mode::Read)) return "(missing)";
  std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
  bytes.resize(file.Read(bytes.data(), bytes.size()));
  return bytes;
}

void WriteAll(const TString& path, const std::string& bytes) {
  platform::File file;
  ASSERT_TRUE(file.Open(path.Str(), platform::File::Mode::Write));
  file.Write(bytes.data(), bytes.size());
}

class CsvExportTest : public CsvTest {
 protected:
  void SetUp() override {
    CsvTest::SetUp();
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string("csv_export_") + test->name() + ".csv";
    target_ = TString(std::u16string(name.begin(), name.end()).c_str());
    platform::File::Remove(target_.Str());
    platform::File::Remove(TString(target_.Str(), u".part").Str());
  }
  void TearDown() override {
    platform::File::Remove(target_.Str());
    CsvTest::TearDown();
  }

  std::vector<TCsvColumn> Columns(bool failSecond = false) {
    const double t0 = kWinterNoon;
    std::vector<TCsvColumn> columns;
    columns.push_back({u"Sine", std::make_unique<PieceStream>(
                                    std::deque<TWave>{Numbers({t0, t0 + 2}, {0.25, 1e-9}),
                                                      Numbers({t0 + 4}, {-3})},
                                    false)});
    columns.push_back(
        {u"Text, item",
         std::make_unique<PieceStream>(std::deque<TWave>{Texts({t0 + 1, t0 + 2}, {u"a", u"\"b\""})},
                                       failSecond)});
    return columns;
  }

  bool Exists(const TString& path) const { return platform::File::Exists(path.Str()); }

  TString target_;
};

constexpr char kExpectedFile[] =
    "\xEF\xBB\xBF"
    "Time,Sine,\"Text, item\"\r\n"
    "2024-01-15T12:00:00.000+00:00,0.25,\r\n"
    "2024-01-15T12:00:00.001+00:00,,a\r\n"
    "2024-01-15T12:00:00.002+00:00,1e-09,\"\"\"b\"\"\"\r\n"
    "2024-01-15T12:00:00.004+00:00,-3,\r\n";

TEST_F(CsvExportTest, StepsWriteATemporaryFileThatTakesTheTargetsNameAtTheEnd) {
  WriteAll(target_, "an older export");
  TCsvExport run(target_, Columns(), kWinterNoon, kWinterNoon + 8);
  EXPECT_EQ(run.Step(), TCsvExportState::Running);  // the header
  EXPECT_TRUE(Exists(run.TemporaryName()));
  EXPECT_EQ(run.Permille(), 0);
  int steps = 1;
  while (run.Step() == TCsvExportState::Running) {
    ++steps;
    EXPECT_EQ(ReadAll(target_), "an older export");
  }
  EXPECT_EQ(run.State(), TCsvExportState::Written);
  EXPECT_EQ(ReadAll(target_), kExpectedFile);
  EXPECT_FALSE(Exists(run.TemporaryName()));
  EXPECT_EQ(run.Rows(), 4u);
  EXPECT_EQ(run.Values(), 5u);
  EXPECT_EQ(run.Permille(), 1000);
  // Header, three pieces, two ends, and the rename.
  EXPECT_EQ(steps + 1, 7);
}

TEST_F(CsvExportTest, FailuresAndCancelLeaveNoFileAndTheOldTargetAsItWas) {
  WriteAll(target_, "an older export");
  {
    TCsvExport run(target_, Columns(true), kWinterNoon, kWinterNoon + 8);
    EXPECT_EQ(run.Run(), TCsvExportState::ReadFailed);
    EXPECT_FALSE(Exists(run.TemporaryName()));
  }
  {
    TCsvExport run(target_, Columns(), kWinterNoon, kWinterNoon + 8);
    run.Step();
    run.Step();
    run.Cancel();
    EXPECT_EQ(run.State(), TCsvExportState::Cancelled);
    EXPECT_EQ(run.Step(), TCsvExportState::Cancelled);
    EXPECT_FALSE(Exists(run.TemporaryName()));
  }
  {
    // Gone before the end: the destructor cancels.
    TCsvExport run(target_, Columns(), kWinterNoon, kWinterNoon + 8);
    run.Step();
    run.Step();
  }
  EXPECT_FALSE(Exists(TString(target_.Str(), u".part")));
  for (long budget : {0L, 40L, 150L}) {
    platform::faults::FileFaults faults;
    faults.writeBudget = budget;
    ScopedFileFaults scoped(faults);
    TCsvExport run(target_, Columns(), kWinterNoon, kWinterNoon + 8);
    EXPECT_EQ(run.Run(), TCsvExportState::WriteFailed) << budget;
    EXPECT_FALSE(Exists(run.TemporaryName())) << budget;
  }
  {
    platform::faults::FileFaults faults;
    faults.failOpen = true;
    ScopedFileFaults scoped(faults);
    TCsvExport run(target_, Columns(), kWinterNoon, kWinterNoon + 8);
    EXPECT_EQ(run.Step(), TCsvExportState::WriteFailed);
  }
  EXPECT_FALSE(Exists(TString(target_.Str(), u".part")));
  EXPECT_EQ(ReadAll(target_), "an older export");
}

TEST_F(CsvExportTest, ATargetInAMissingFolderFailsAtOnce) {
  const TString target(u"no such folder/", target_.Str());
  TCsvExport run(target, Columns(), kWinterNoon, kWinterNoon + 8);
  EXPECT_EQ(run.Step(), TCsvExportState::WriteFailed);
  EXPECT_FALSE(Exists(run.TemporaryName()));
}

TEST_F(CsvExportTest, AWaveWithoutAStreamIsWrittenAsTheDocumentHoldsIt) {
  const TWave held = Numbers({kWinterNoon + 3}, {42});
  const TWave empty;
  std::vector<TCsvColumn> columns = Columns();
  columns.push_back({u"Held", std::make_unique<THeldWaveStream>(held)});
  columns.push_back({u"Empty", std::make_unique<THeldWaveStream>(empty)});
  TCsvExport run(target_, std::move(columns), kWinterNoon, kWinterNoon + 8);
  EXPECT_EQ(run.Run(), TCsvExportState::Written);
  EXPECT_EQ(ReadAll(target_),
            "\xEF\xBB\xBF"
            "Time,Sine,\"Text, item\",Held,Empty\r\n"
            "2024-01-15T12:00:00.000+00:00,0.25,,,\r\n"
            "2024-01-15T12:00:00.001+00:00,,a,,\r\n"
            "2024-01-15T12:00:00.002+00:00,1e-09,\"\"\"b\"\"\",,\r\n"
            "2024-01-15T12:00:00.003+00:00,,,42,\r\n"
            "2024-01-15T12:00:00.004+00:00,-3,,,\r\n");
}

}  // namespace
