// The classes that do less than class 1 through the proxy: 16 returns at most 1000 raw values a
// call, so a client has to read on by continuation; 17 has no processed reads and no aggregates.
#include <gtest/gtest.h>

#include "tests/hdasim/expected_values.h"
#include "tests/hdasim/hda_client.h"

namespace hdatest {
namespace {

const Ticks kStart = At(2023, 5, 17, 10, 0, 0);
const Ticks kEnd = kStart + 2 * kHour;  // 7200 samples of a 1 s item
constexpr DWORD kCap = 1000;

TEST(CappedReads, ContinuationReadsTwoHoursInPiecesOfAThousand) {
  Session capped(L"Varnel.HdaSim.16");
  ASSERT_TRUE(capped.Ok());
  EXPECT_EQ(capped.MaxReturnValues(), kCap);
  const OPCHANDLE sine = capped.Handle(L"Waves/Sine 1s");
  for (bool reverse : {false, true}) {
    SCOPED_TRACE(reverse ? "reverse" : "forward");
    const Ticks to = reverse ? kStart : kEnd;
    Ticks from = reverse ? kEnd : kStart;
    std::vector<Point> values;
    for (int call = 0;; ++call) {
      ASSERT_LT(call, 10);
      // No count, a count above the cap and one at it: the cap holds for each.
      const DWORD count = call % 3 == 0 ? 0 : call % 3 == 1 ? 5000 : kCap;
      ReadResult r =
          capped.ReadRaw(HdaTime::Absolute(from), HdaTime::Absolute(to), count, false, {sine});
      ASSERT_TRUE(r.call == S_OK || r.call == S_FALSE) << HexCode(r.call);
      const std::vector<Point>& points = r.items[0].points;
      ASSERT_FALSE(points.empty());
      ASSERT_LE(points.size(), kCap);
      if (call > 0) {
        EXPECT_EQ(points[0].time, values.back().time) << "the last value comes again";
      }
      values.insert(values.end(), points.begin() + (call > 0 ? 1 : 0), points.end());
      if (r.items[0].error == S_OK) {
        EXPECT_EQ(r.call, S_OK);
        break;
      }
      ASSERT_EQ(r.items[0].error, OPC_S_MOREDATA);
      EXPECT_EQ(r.call, S_FALSE);
      EXPECT_EQ(points.size(), kCap);
      from = points.back().time;
    }
    // Forward [start, end), reverse (start, end]: every second once, in order.
    ASSERT_EQ(values.size(), 7200u);
    for (std::size_t i = 0; i < values.size(); ++i) {
      const Ticks t = reverse ? kEnd - static_cast<Ticks>(i) * kSecond
                              : kStart + static_cast<Ticks>(i) * kSecond;
      ASSERT_EQ(values[i].time, t) << i;
      EXPECT_NEAR(values[i].number, expected::Sine(t, kMinute, -100, 100), 1e-9) << i;
    }
  }

  // Bounds count among the thousand; a smaller count is kept as asked; class 1 gives everything.
  ReadResult bounded =
      capped.ReadRaw(HdaTime::Absolute(kStart), HdaTime::Absolute(kEnd), 0, true, {sine});
  EXPECT_EQ(bounded.items[0].error, OPC_S_MOREDATA);
  ASSERT_EQ(bounded.items[0].points.size(), kCap);
  EXPECT_EQ(bounded.items[0].points.back().time, kStart + (kCap - 1) * kSecond);
  ReadResult few =
      capped.ReadRaw(HdaTime::Absolute(kStart), HdaTime::Absolute(kEnd), 10, false, {sine});
  EXPECT_EQ(few.items[0].error, OPC_S_MOREDATA);
  EXPECT_EQ(few.items[0].points.size(), 10u);
  Session full;
  ReadResult all = full.ReadRaw(HdaTime::Absolute(kStart), HdaTime::Absolute(kEnd), 0, false,
                                {full.Handle(L"Waves/Sine 1s")});
  EXPECT_EQ(all.items[0].error, S_OK);
  EXPECT_EQ(all.items[0].points.size(), 7200u);
}

TEST(NoProcessedReads, ReadProcessedIsNotImplementedAndNoAggregateIsListed) {
  Session thin(L"Varnel.HdaSim.17");
  ASSERT_TRUE(thin.Ok());
  DWORD count = 99;
  DWORD* ids = reinterpret_cast<DWORD*>(1);
  LPWSTR* names = reinterpret_cast<LPWSTR*>(1);
  LPWSTR* descriptions = reinterpret_cast<LPWSTR*>(1);
  ASSERT_EQ(thin.Server()->GetAggregates(&count, &ids, &names, &descriptions), S_OK);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(ids, nullptr);
  EXPECT_EQ(names, nullptr);
  EXPECT_EQ(descriptions, nullptr);

  const OPCHANDLE sine = thin.Handle(L"Waves/Sine 1s");
  ReadResult processed =
      thin.ReadProcessed(HdaTime::Absolute(kStart), HdaTime::Absolute(kEnd), kMinute, {sine}, {9});
  EXPECT_EQ(processed.call, E_NOTIMPL);
  EXPECT_TRUE(processed.outputs_null);
  // Arguments it would refuse make no difference: the method is not there.
  ReadResult refused = thin.ReadProcessed(HdaTime::Absolute(kStart), HdaTime::Absolute(kStart), 0,
                                          {0xBAD}, {0x80000123});
  EXPECT_EQ(refused.call, E_NOTIMPL);
  EXPECT_TRUE(refused.outputs_null);

  // Everything else as class 1.
  EXPECT_EQ(thin.MaxReturnValues(), 100000u);
  ReadResult raw = thin.ReadRaw(HdaTime::Absolute(kStart), HdaTime::Absolute(kStart + kMinute), 0,
                                false, {sine});
  EXPECT_EQ(raw.items[0].error, S_OK);
  EXPECT_EQ(raw.items[0].points.size(), 60u);
  ReadResult at = thin.ReadAtTime({kStart + 500 * kMs}, {sine});
  EXPECT_EQ(at.items[0].error, S_OK);
}

}  // namespace
}  // namespace hdatest
