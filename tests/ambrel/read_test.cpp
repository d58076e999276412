// Raw, processed and attribute reads through the proxy: counts, the more-data flag from either
// side, values and time stamps computed from the simulator's value functions, and VARIANT
// ownership.
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "opc/opc_constants.h"
#include "tests/ambrel/ambrel_test_support.h"
#include "win/private_bytes.h"

namespace ambrel_test {
namespace {

// "Waves/Ramp 1s" holds the seconds since midnight UTC, one sample a second.
constexpr const char* kRamp = "Waves/Ramp 1s";

class Reads : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(session_.Get(), AMBREL_NO_SESSION);
    ASSERT_NE(ramp_.Get(), AMBREL_NO_ITEM);
    ClearReports();
  }
  DWORD Raw(DWORD item, const FILETIME& start, const FILETIME& end, DWORD max, FILETIME* times,
            VARIANT* values, DWORD* qualities, BOOL bounds = FALSE) {
    return ReadHDAItemValues(session_.Get(), item, bounds, start.dwLowDateTime,
                             start.dwHighDateTime, end.dwLowDateTime, end.dwHighDateTime, max,
                             times, values, qualities);
  }
  Session session_{kFullServer};
  Item ramp_{session_.Get(), kRamp};
  const FILETIME midnight_ = Utc(2020, 6, 1);
};

struct RawCase {
  DWORD seconds;  // length of the period: one value per second
  DWORD max;
  DWORD expected;
};

class RawCounts : public Reads, public ::testing::WithParamInterface<RawCase> {};

TEST_P(RawCounts, CarryTheMoreDataFlag) {
  const RawCase& c = GetParam();
  const FILETIME end = FromTicks(Ticks(midnight_) + c.seconds * kSecond);
  std::vector<FILETIME> times(c.max + 1);
  Variants values(c.max + 1);
  std::vector<DWORD> qualities(c.max + 1, 0xDEAD);
  const DWORD result =
      Raw(ramp_.Get(), midnight_, end, c.max, times.data(), values.data(), qualities.data());
  EXPECT_EQ(result, c.expected);
  const DWORD count = result & AMBREL_COUNT_MASK;
  for (DWORD i = 0; i < count; ++i) {
    EXPECT_EQ(Ticks(times[i]), Ticks(midnight_) + i * kSecond) << i;
    ASSERT_EQ(values[i].vt, VT_R8) << i;
    EXPECT_DOUBLE_EQ(values[i].dblVal, i) << i;
    EXPECT_EQ(qualities[i] & 0xFFFF, 0xC0u) << i;
    EXPECT_TRUE(qualities[i] & OPCHDA_RAW) << i;
  }
  EXPECT_EQ(values[count].vt, VT_EMPTY) << "wrote past the count";
  EXPECT_EQ(qualities[count], 0xDEADu);
}

INSTANTIATE_TEST_SUITE_P(Periods, RawCounts,
                         ::testing::Values(RawCase{1000, 100,
                                                   0x80000064},     // the server says it holds more
                                           RawCase{100, 100, 100},  // exactly the maximum
                                           RawCase{50, 100, 50}, RawCase{10, 1, 0x80000001}));

TEST_F(Reads, UnknownItemHandleGivesWhatTheServerPutInTheStructure) {
  FILETIME times[4];
  Variants values(4);
  DWORD qualities[4];
  const FILETIME end = FromTicks(Ticks(midnight_) + 10 * kSecond);
  EXPECT_EQ(Raw(0xBADBAD, midnight_, end, 4, times, values.data(), qualities), 0u);
  EXPECT_TRUE(Errors().empty());
}

TEST_F(Reads, FailingItemGivesNoValues) {
  Item fails(session_.Get(), "Faults/Read fails");
  ASSERT_NE(fails.Get(), AMBREL_NO_ITEM);
  FILETIME times[4];
  Variants values(4);
  DWORD qualities[4];
  const FILETIME end = FromTicks(Ticks(midnight_) + 10 * kSecond);
  EXPECT_EQ(Raw(fails.Get(), midnight_, end, 4, times, values.data(), qualities), 0u);
}

TEST_F(Reads, BoundsAddTheValueAfterThePeriod) {
  FILETIME times[8];
  Variants values(8);
  DWORD qualities[8];
  const FILETIME start = FromTicks(Ticks(midnight_) + kSecond / 2);
  const FILETIME end = FromTicks(Ticks(midnight_) + 3 * kSecond + kSecond / 2);
  // Values at 1, 2, 3 s; with bounds also 0 s and 4 s.
  EXPECT_EQ(Raw(ramp_.Get(), start, end, 8, times, values.data(), qualities, FALSE), 3u);
  values.Clear();
  ASSERT_EQ(Raw(ramp_.Get(), start, end, 8, times, values.data(), qualities, TRUE), 5u);
  EXPECT_EQ(Ticks(times[0]), Ticks(midnight_));
  EXPECT_EQ(Ticks(times[4]), Ticks(midnight_) + 4 * kSecond);
}

// Many text values read again and again: every copy handed to us is ours, every value the server
// sent is freed by the library. A leak of either shows in the private bytes.
TEST_F(Reads, LongTextReadLoopDoesNotLeak) {
  Item clock(session_.Get(), "Text/Clock 1s");
  ASSERT_NE(clock.Get(), AMBREL_NO_ITEM);
  constexpr DWORD kValues = 1000;
  std::vector<FILETIME> times(kValues);
  Variants values(kValues);
  std::vector<DWORD> qualities(kValues);
  const FILETIME end = FromTicks(Ticks(midnight_) + kValues * kSecond);
  auto read = [&] {
    const DWORD n =
        Raw(clock.Get(), midnight_, end, kValues, times.data(), values.data(), qualities.data());
    EXPECT_EQ(n, kValues);
    EXPECT_EQ(values[0].vt, VT_BSTR);
    values.Clear();
  };
  for (int i = 0; i < 20; ++i) read();  // caches warm
  const std::uint64_t before = win::PrivateBytes();
  ASSERT_GT(before, 0u) << "the private bytes cannot be counted: the check below could not fail";
  for (int i = 0; i < 300; ++i) read();
  const std::uint64_t after = win::PrivateBytes();
  // 300 000 leaked texts would be well over 10 MB.
  EXPECT_LT(after, before + 4 * 1024 * 1024) << before << " -> " << after;
}

struct ProcessedCase {
  DWORD seconds;
  DWORD interval_seconds;
  DWORD max;
  DWORD expected;
};

class ProcessedCounts : public Reads, public ::testing::WithParamInterface<ProcessedCase> {};

TEST_P(ProcessedCounts, AverageOfTheRamp) {
  const ProcessedCase& c = GetParam();
  const FILETIME end = FromTicks(Ticks(midnight_) + c.seconds * kSecond);
  const std::uint64_t interval = c.interval_seconds * kSecond;
  std::vector<FILETIME> times(c.max + 1);
  Variants values(c.max + 1);
  std::vector<DWORD> qualities(c.max + 1);
  const DWORD result = ReadHDAProcessedItemValues(
      session_.Get(), ramp_.Get(), 3 /* average */, midnight_.dwLowDateTime,
      midnight_.dwHighDateTime, end.dwLowDateTime, end.dwHighDateTime, static_cast<DWORD>(interval),
      static_cast<DWORD>(interval >> 32), c.max, times.data(), values.data(), qualities.data());
  EXPECT_EQ(result, c.expected);
  for (DWORD i = 0; i < (result & AMBREL_COUNT_MASK); ++i) {
    EXPECT_EQ(Ticks(times[i]), Ticks(midnight_) + i * interval) << i;
    ASSERT_EQ(values[i].vt, VT_R8) << i;
    // Samples i*n .. i*n+n-1 of the ramp: their mean.
    EXPECT_NEAR(values[i].dblVal, i * c.interval_seconds + (c.interval_seconds - 1) / 2.0, 1e-9);
    EXPECT_TRUE(qualities[i] & OPCHDA_CALCULATED) << std::hex << qualities[i];
  }
}

// Processed reads take no maximum from the caller: the library cuts what comes back.
INSTANTIATE_TEST_SUITE_P(Intervals, ProcessedCounts,
                         ::testing::Values(ProcessedCase{100, 10, 100, 10},
                                           ProcessedCase{1000, 10, 100, 100},
                                           ProcessedCase{1000, 1, 100, 0x80000064},
                                           ProcessedCase{1010, 10, 100, 0x80000064}));

TEST_F(Reads, AttributeHistoryOfTheDescription) {
  FILETIME times[4] = {};
  Variants values(4);
  const FILETIME end = FromTicks(Ticks(midnight_) + 3600 * kSecond);
  const DWORD result = ReadHDAItemAttributes(
      session_.Get(), ramp_.Get(), OPCHDA_DESCRIPTION, midnight_.dwLowDateTime,
      midnight_.dwHighDateTime, end.dwLowDateTime, end.dwHighDateTime, 4, times, values.data());
  ASSERT_GE(result & AMBREL_COUNT_MASK, 1u);
  EXPECT_EQ(result & AMBREL_MORE_DATA, 0u);
  EXPECT_EQ(Ticks(times[0]), Ticks(midnight_));
  ASSERT_EQ(values[0].vt, VT_BSTR);
  EXPECT_EQ(std::wstring(values[0].bstrVal), L"Seconds since midnight UTC");
}

TEST_F(Reads, AttributeHistoryCutToTheMaximum) {
  FILETIME times[1] = {};
  Variants values(2);
  const FILETIME end = FromTicks(Ticks(midnight_) + 3600 * kSecond);
  // Maximum 0: nothing is stored, the flag tells that the server had values.
  EXPECT_EQ(ReadHDAItemAttributes(session_.Get(), ramp_.Get(), OPCHDA_DESCRIPTION,
                                  midnight_.dwLowDateTime, midnight_.dwHighDateTime,
                                  end.dwLowDateTime, end.dwHighDateTime, 0, times, values.data()),
            AMBREL_MORE_DATA);
  EXPECT_EQ(values[0].vt, VT_EMPTY);
}

TEST_F(Reads, UnsupportedAttributeGivesNothing) {
  FILETIME times[2];
  Variants values(2);
  const FILETIME end = FromTicks(Ticks(midnight_) + 3600 * kSecond);
  EXPECT_EQ(ReadHDAItemAttributes(session_.Get(), ramp_.Get(), 0x7FFF, midnight_.dwLowDateTime,
                                  midnight_.dwHighDateTime, end.dwLowDateTime, end.dwHighDateTime,
                                  2, times, values.data()) &
                AMBREL_COUNT_MASK,
            0u);
}

}  // namespace
}  // namespace ambrel_test
