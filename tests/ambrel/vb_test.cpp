// The automation exports: DATEs in and out, UTC and unshifted, through the platform's
// conversions; the same counts and values as the plain exports.
#include <windows.h>

#include <oleauto.h>

#include <vector>

#include "tests/ambrel/ambrel_test_support.h"

namespace ambrel_test {
namespace {

DATE DateOf(const FILETIME& time) {
  SYSTEMTIME system{};
  FileTimeToSystemTime(&time, &system);
  DATE date = 0;
  SystemTimeToVariantTime(&system, &date);
  return date;
}

class VbExports : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(session_.Get(), AMBREL_NO_SESSION);
    ASSERT_NE(ramp_.Get(), AMBREL_NO_ITEM);
  }
  Session session_{kFullServer};
  Item ramp_{session_.Get(), "Waves/Ramp 1s"};
};

struct DateCase {
  int year, month, day, hour, minute, second;
};

class DateRoundTrips : public VbExports, public ::testing::WithParamInterface<DateCase> {};

TEST_P(DateRoundTrips, RawReadStampsAreTheStartAndItsSeconds) {
  const DateCase& c = GetParam();
  const FILETIME start = Utc(c.year, c.month, c.day, c.hour, c.minute, c.second);
  const FILETIME end = FromTicks(Ticks(start) + 200 * kSecond);
  DATE from = DateOf(start), to = DateOf(end);
  std::vector<DATE> dates(101, -1);
  Variants values(101);
  std::vector<LONG> qualities(101);
  ASSERT_EQ(ReadHDAItemValuesVB(session_.Get(), ramp_.Get(), FALSE, &from, &to, 100, dates.data(),
                                values.data(), qualities.data()),
            0x80000064u);
  for (int i = 0; i < 100; ++i) {
    EXPECT_DOUBLE_EQ(dates[i], DateOf(FromTicks(Ticks(start) + i * kSecond))) << i;
    ASSERT_EQ(values[i].vt, VT_R8);
    EXPECT_DOUBLE_EQ(values[i].dblVal, (c.hour * 3600 + c.minute * 60 + c.second + i) % 86400);
    EXPECT_EQ(qualities[i] & 0xFF, 0xC0);
  }
  EXPECT_EQ(dates[100], -1) << "only the count is converted";
}

INSTANTIATE_TEST_SUITE_P(Times, DateRoundTrips,
                         ::testing::Values(DateCase{2020, 6, 1, 0, 0, 0},
                                           DateCase{2001, 12, 31, 23, 58, 30},
                                           DateCase{2016, 2, 29, 12, 0, 1},
                                           DateCase{2024, 3, 31, 1, 59, 0}));

TEST_F(VbExports, ProcessedReadTakesSeconds) {
  const FILETIME start = Utc(2020, 6, 1);
  DATE from = DateOf(start), to = DateOf(FromTicks(Ticks(start) + 100 * kSecond));
  LONG seconds = 10;
  std::vector<DATE> dates(10);
  Variants values(10);
  std::vector<LONG> qualities(10);
  ASSERT_EQ(ReadHDAProcessedItemValuesVB(session_.Get(), ramp_.Get(), 3, &from, &to, &seconds, 10,
                                         dates.data(), values.data(), qualities.data()),
            10u);
  EXPECT_DOUBLE_EQ(dates[1], DateOf(FromTicks(Ticks(start) + 10 * kSecond)));
  EXPECT_DOUBLE_EQ(values[1].dblVal, 14.5);
}

TEST_F(VbExports, AttributeReadStampsTheStart) {
  const FILETIME start = Utc(2020, 6, 1);
  DATE from = DateOf(start), to = DateOf(FromTicks(Ticks(start) + 3600 * kSecond));
  DATE dates[2] = {};
  Variants values(2);
  ASSERT_GE(
      ReadHDAItemAttributesVB(session_.Get(), ramp_.Get(), 2, &from, &to, 2, dates, values.data()),
      1u);
  EXPECT_DOUBLE_EQ(dates[0], from);
  EXPECT_EQ(values[0].vt, VT_BSTR);
}

TEST_F(VbExports, WrittenDatesComeBackAsTheirFileTimes) {
  Item store(session_.Get(), "Writable/Empty R8");
  ASSERT_NE(store.Get(), AMBREL_NO_ITEM);
  const FILETIME when = Utc(2018, 7, 14, 9, 30, 15);
  const DATE date = DateOf(when);
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_R8;
  value.dblVal = 42;
  const LONG quality = 0xC0;
  HRESULT result = 77;
  ASSERT_TRUE(
      SUCCEEDED(WriteHDAItemValuesVB(session_.Get(), store.Get(), AMBREL_EDIT_INSERT_REPLACE, 1,
                                     &date, &value, &quality, &result)));
  EXPECT_TRUE(SUCCEEDED(result));
  FILETIME times[2];
  Variants values(2);
  DWORD qualities[2];
  const FILETIME end = FromTicks(Ticks(when) + kSecond);
  ASSERT_EQ(
      ReadHDAItemValues(session_.Get(), store.Get(), FALSE, when.dwLowDateTime, when.dwHighDateTime,
                        end.dwLowDateTime, end.dwHighDateTime, 2, times, values.data(), qualities),
      1u);
  EXPECT_EQ(Ticks(times[0]), Ticks(when));
  EXPECT_DOUBLE_EQ(values[0].dblVal, 42);
}

}  // namespace
}  // namespace ambrel_test
