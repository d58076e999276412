// ReadRaw through the proxy: values against the documented functions, bounds, reverse reads,
// the count limit and its continuation, and the call's argument checks.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "tests/hdasim/expected_values.h"
#include "tests/hdasim/hda_client.h"

namespace hdatest {
namespace {

constexpr DWORD kRawGood = 0x000400C0;  // OPCHDA_RAW | good
constexpr DWORD kNoBound = 0x00100000;

const Ticks kBase = At(2023, 5, 17, 10, 0, 0);

struct FunctionCase {
  const wchar_t* item;
  Ticks period;
  VARTYPE type;
  std::function<double(Ticks)> value;
};

TEST(ReadRaw, ValuesFollowTheDocumentedFunctions) {
  using namespace expected;
  const FunctionCase cases[] = {
      {L"Waves/Sine 1s", kSecond, VT_R8, [](Ticks t) { return Sine(t, kMinute, -100, 100); }},
      {L"Waves/Sine 100ms", 100 * kMs, VT_R8, [](Ticks t) { return Sine(t, 10 * kSecond, -1, 1); }},
      {L"Waves/Ramp 1s", kSecond, VT_R8,
       [](Ticks t) { return static_cast<double>((t / kSecond) % 86400); }},
      {L"Waves/Saw 1s", kSecond, VT_R8, [](Ticks t) { return Saw(t, 30 * kSecond, 0, 30); }},
      {L"Waves/Square 1s", kSecond, VT_R8, [](Ticks t) { return Square(t, 20 * kSecond, 0, 1); }},
      {L"Waves/Triangle 500ms", 500 * kMs, VT_R8,
       [](Ticks t) { return Triangle(t, 20 * kSecond, -10, 10); }},
      {L"Dense/Ramp 5ms", 5 * kMs, VT_R8,
       [](Ticks t) { return static_cast<double>((t / kMs) % 60000); }},
      {L"Types/I2", kSecond, VT_I2,
       [](Ticks t) { return std::round(Triangle(t, kMinute, -30000, 30000)); }},
      {L"Types/UI4", kSecond, VT_UI4,
       [](Ticks t) { return std::round(Triangle(t, kMinute, 0, 4e9)); }},
      {L"Types/R4", kSecond, VT_R4,
       [](Ticks t) { return double(float(Triangle(t, kMinute, -1000, 1000))); }},
      {L"Types/BOOL", kSecond, VT_BOOL,
       [](Ticks t) { return Square(t, 10 * kSecond, 0, 1) ? -1.0 : 0.0; }},
      {L"Types/CY", kSecond, VT_CY,
       [](Ticks t) { return std::round(Triangle(t, kMinute, -1000, 1000) * 1e4) / 1e4; }},
      {L"Types/DATE", kSecond, VT_DATE,
       [](Ticks t) { return double(t - At(1899, 12, 30)) / double(kDay); }},
      {L"Names/Flow, inlet", kSecond, VT_R8, [](Ticks t) { return Sine(t, kMinute, 0, 10); }},
      {L"Names/Temp\u00E9rature ext\u00E9rieure", kSecond, VT_R8,
       [](Ticks t) { return Sine(t, kMinute, 0, 40); }},
      {L"Large/Item 2500", 10 * kSecond, VT_R8,
       [](Ticks t) { return Sine(t, kHour, 0, 100, 2500 * (kHour / 5000)); }},
  };
  Session session;
  ASSERT_TRUE(session.Ok());
  for (const FunctionCase& c : cases) {
    SCOPED_TRACE(c.item);
    const OPCHANDLE handle = session.Handle(c.item, 77);
    ASSERT_NE(handle, 0u);
    const Ticks start = kBase + 3 * kMs;  // not on a sample: the first value is the next one
    ReadResult r = session.ReadRaw(HdaTime::Absolute(start),
                                   HdaTime::Absolute(start + 40 * c.period), 0, false, {handle});
    ASSERT_EQ(r.call, S_OK);
    ASSERT_EQ(r.items.size(), 1u);
    EXPECT_EQ(r.items[0].client, 77u);
    const auto& points = r.items[0].points;
    ASSERT_EQ(points.size(), 40u);
    for (std::size_t i = 0; i < points.size(); ++i) {
      const Ticks t = kBase + static_cast<Ticks>(i + 1) * c.period;
      EXPECT_EQ(points[i].time, t) << i;
      EXPECT_EQ(points[i].type, c.type) << i;
      EXPECT_EQ(points[i].quality, kRawGood) << i;
      EXPECT_NEAR(points[i].number, c.value(t), 1e-6 * (1 + std::fabs(c.value(t)))) << i;
    }
  }
}

TEST(ReadRaw, TextAndTypesTheClientTurnsIntoNaN) {
  Session session;
  const Ticks t0 = kBase;  // sample number divisible by 3 at whole seconds of kBase? checked below
  struct Case {
    const wchar_t* item;
    VARTYPE type;
  } cases[] = {{L"Types/EMPTY", VT_EMPTY},
               {L"Types/NULL", VT_NULL},
               {L"Types/I8", VT_I8},
               {L"Types/UI8", VT_UI8},
               {L"Types/R8 array", VT_ARRAY | VT_R8},
               {L"Types/BSTR", VT_BSTR}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    ReadResult r = session.ReadRaw(HdaTime::Absolute(t0), HdaTime::Absolute(t0 + 5 * kSecond), 0,
                                   false, {session.Handle(c.item)});
    ASSERT_EQ(r.call, S_OK);
    ASSERT_EQ(r.items[0].points.size(), 5u);
    for (const Point& p : r.items[0].points) EXPECT_EQ(p.type, c.type);
  }
  ReadResult clock =
      session.ReadRaw(HdaTime::Absolute(t0), HdaTime::Absolute(t0 + 6 * kSecond), 0, false,
                      {session.Handle(L"Text/Clock 1s"), session.Handle(L"Text/Mixed 1s"),
                       session.Handle(L"Types/BSTR")});
  ASSERT_EQ(clock.call, S_OK);
  for (int i = 0; i < 6; ++i) {
    const Ticks t = t0 + i * kSecond;
    EXPECT_EQ(clock.items[0].points[i].text, expected::Clock(t));
    const bool empty = (t / kSecond) % 3 == 2;
    EXPECT_EQ(clock.items[1].points[i].type, empty ? VT_EMPTY : VT_BSTR) << i;
    if (!empty) {
      EXPECT_EQ(clock.items[1].points[i].text, expected::Clock(t));
    }
    wchar_t fixed[32];
    std::swprintf(fixed, 32, L"%.3f", expected::Triangle(t, kMinute, -10, 10));
    EXPECT_EQ(clock.items[2].points[i].text, fixed);
  }
}

// Gaps, the start of history, the quality patterns and the random walk, as the README defines them.
TEST(ReadRaw, GapsQualitiesAndTheRandomWalk) {
  Session session;
  const Ticks minute = At(2023, 5, 17, 10, 7);
  ReadResult r = session.ReadRaw(
      HdaTime::Absolute(minute), HdaTime::Absolute(minute + kMinute), 0, false,
      {session.Handle(L"Gaps/Last 20s of each minute 1s"), session.Handle(L"Qualities/Cycling 1s"),
       session.Handle(L"Qualities/Every 10th bad 1s"), session.Handle(L"Waves/Random walk 1s"),
       session.Handle(L"Waves/Random walk 100ms")});
  ASSERT_EQ(r.call, S_OK);
  const auto& gap = r.items[0].points;
  ASSERT_EQ(gap.size(), 40u);
  EXPECT_EQ(gap.back().time, minute + 39 * kSecond);
  const DWORD cycle[] = {0xC0, 0x40, 0x00, 0x58, 0xD8};
  for (int i = 0; i < 60; ++i) {
    const Ticks t = minute + i * kSecond;
    const Ticks k = t / kSecond;
    EXPECT_EQ(r.items[1].points[i].quality, 0x00040000u | cycle[k % 5]) << i;
    EXPECT_EQ(r.items[2].points[i].quality, 0x00040000u | (k % 10 == 9 ? 0x00u : 0xC0u)) << i;
    EXPECT_DOUBLE_EQ(r.items[3].points[i].number, expected::RandomWalk(t, kSecond, 1, 0, 100)) << i;
  }
  ASSERT_EQ(r.items[4].points.size(), 600u);
  for (std::size_t i = 0; i < 600; i += 37) {
    const Ticks t = r.items[4].points[i].time;
    EXPECT_DOUBLE_EQ(r.items[4].points[i].number, expected::RandomWalk(t, 100 * kMs, 2, 0, 10))
        << i;
  }

  const Ticks hour = At(2023, 5, 17, 10);
  ReadResult hourly = session.ReadRaw(HdaTime::Absolute(hour), HdaTime::Absolute(hour + kHour), 0,
                                      false, {session.Handle(L"Gaps/10min of each hour 10s")});
  ASSERT_EQ(hourly.items[0].points.size(), 300u);
  for (const Point& p : hourly.items[0].points) {
    const Ticks into = p.time - hour;
    EXPECT_TRUE(into < 30 * kMinute || into >= 40 * kMinute) << into / kSecond;
  }

  const Ticks new_year = At(2020, 1, 1);
  ReadResult late = session.ReadRaw(HdaTime::Absolute(new_year - 5 * kSecond),
                                    HdaTime::Absolute(new_year + 3 * kSecond), 0, true,
                                    {session.Handle(L"Gaps/From 2020 1s")});
  ASSERT_EQ(late.items[0].points.size(), 5u);  // no bound before the history: a placeholder
  EXPECT_EQ(late.items[0].points[0].quality, 0x00100000u);
  EXPECT_EQ(late.items[0].points[1].time, new_year);
}

// The standard's table of bounds reaches the client, on a store holding values at 5:00, 5:02, 5:03,
// 5:05 and 5:06. Every row of the table is checked on the value model (unit/raw_bounds_test.cpp);
// here one row for each answer the client can get: no data, both placeholders, more data, reverse.
class RawBounds : public ::testing::Test {
 protected:
  static constexpr Ticks kNone = -1, kFirst = -2, kLast = -3;
  static Ticks M(int hour, int minute) { return At(1999, 9, 9, hour, minute); }

  void SetUp() override {
    ASSERT_TRUE(session_.Ok());
    HRESULT call = E_FAIL;
    VARIANT zero = Real(0);
    session_.Write(Session::Edit::kInsertReplace, {session_.Handle(L"Control/Reset")}, {M(5, 0)},
                   {zero}, {0xC0}, &call);
    ASSERT_EQ(call, S_OK);
    store_ = session_.Handle(L"Writable/Empty R8");
    std::vector<Ticks> times = {M(5, 0), M(5, 2), M(5, 3), M(5, 5), M(5, 6)};
    std::vector<VARIANT> values;
    for (std::size_t i = 0; i < times.size(); ++i) values.push_back(Real(double(i)));
    const auto codes =
        session_.Write(Session::Edit::kInsert, std::vector<OPCHANDLE>(times.size(), store_), times,
                       values, std::vector<DWORD>(times.size(), 0xC0), &call);
    ASSERT_EQ(call, S_OK);
  }

  Session session_;
  OPCHANDLE store_ = 0;
};

TEST_F(RawBounds, EachAnswerOfTheTableThroughTheProxy) {
  struct Row {
    Ticks start, end;
    DWORD n;
    std::vector<Ticks> with_bounds, without_bounds;
    bool more_with_bounds = false, more_without_bounds = false;
  };
  const Ticks m459 = M(4, 59), m500 = M(5, 0), m501 = M(5, 1), m502 = M(5, 2), m503 = M(5, 3),
              m505 = M(5, 5), m506 = M(5, 6), m507 = M(5, 7);
  // The last two columns: whether more values exist than the count let through.
  const std::vector<Row> rows = {
      {m459, m459, 0, {}, {}},
      {m501, m507, 0, {m500, m502, m503, m505, m506, kLast}, {m502, m503, m505, m506}},
      {m459, m505, 3, {kFirst, m500, m502}, {m500, m502, m503}, true, false},
      {m505, m500, 3, {m505, m503, m502}, {m505, m503, m502}, true, false},
      {kNone, m506, 3, {m506, m505, m503}, {m506, m505, m503}, true, true},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    for (bool bounds : {true, false}) {
      SCOPED_TRACE(::testing::Message()
                   << "row " << i << (bounds ? " with bounds" : " without bounds"));
      ReadResult r = session_.ReadRaw(
          row.start == kNone ? HdaTime::Null() : HdaTime::Absolute(row.start),
          row.end == kNone ? HdaTime::Null() : HdaTime::Absolute(row.end), row.n, bounds, {store_});
      const std::vector<Ticks>& want = bounds ? row.with_bounds : row.without_bounds;
      ASSERT_EQ(r.items.size(), 1u);
      std::vector<Ticks> got;
      for (const Point& p : r.items[0].points) {
        if (p.quality == kNoBound) {
          EXPECT_EQ(p.type, VT_EMPTY);
          got.push_back(p.time == row.start ? kFirst : p.time == row.end ? kLast : p.time);
        } else {
          EXPECT_EQ(p.quality, kRawGood);
          got.push_back(p.time);
        }
      }
      EXPECT_EQ(got, want);
      const bool more = bounds ? row.more_with_bounds : row.more_without_bounds;
      const HRESULT item = want.empty() ? OPC_S_NODATA : more ? OPC_S_MOREDATA : S_OK;
      EXPECT_EQ(r.items[0].error, item) << HexCode(r.items[0].error);
      EXPECT_EQ(r.call, item == S_OK ? S_OK : S_FALSE);
    }
  }
}

// Reading a long span in pieces of N values gives every sample exactly once once the first value
// of each continuation (the last one of the call before) is dropped.
TEST(ReadRaw, MoreDataContinuationVisitsEverySampleOnce) {
  Session session;
  const OPCHANDLE dense = session.Handle(L"Dense/Ramp 5ms");
  const Ticks start = kBase, end = kBase + 3 * kMinute;  // 36000 samples
  for (bool reverse : {false, true}) {
    SCOPED_TRACE(reverse ? "reverse" : "forward");
    std::vector<Ticks> times;
    Ticks from = reverse ? end : start;
    const Ticks to = reverse ? start : end;
    int calls = 0;
    while (true) {
      ReadResult r =
          session.ReadRaw(HdaTime::Absolute(from), HdaTime::Absolute(to), 10000, false, {dense});
      ASSERT_TRUE(r.call == S_OK || r.call == S_FALSE) << HexCode(r.call);
      const auto& points = r.items[0].points;
      ASSERT_FALSE(points.empty());
      const std::size_t skip = calls > 0 ? 1 : 0;
      if (calls > 0) {
        EXPECT_EQ(points[0].time, times.back()) << "continuation must start with the last value";
      }
      for (std::size_t k = skip; k < points.size(); ++k) times.push_back(points[k].time);
      ++calls;
      if (r.items[0].error == S_OK) break;
      ASSERT_EQ(r.items[0].error, OPC_S_MOREDATA);
      ASSERT_EQ(points.size(), 10000u);
      from = points.back().time;
      ASSERT_LT(calls, 10);
    }
    // Forward [start, end) or reverse (start, end]: 36000 samples, each once, in order.
    ASSERT_EQ(times.size(), 36000u);
    for (std::size_t k = 0; k < times.size(); ++k) {
      const Ticks want =
          reverse ? end - static_cast<Ticks>(k) * 5 * kMs : start + static_cast<Ticks>(k) * 5 * kMs;
      ASSERT_EQ(times[k], want) << k;
    }
    EXPECT_EQ(calls, 4);
  }
}

TEST(ReadRaw, AllValuesAreCappedAtTheServerLimit) {
  Session session;
  const DWORD max = session.MaxReturnValues();
  ASSERT_GT(max, 32000u);
  const OPCHANDLE dense = session.Handle(L"Dense/Sine 5ms");
  ReadResult r = session.ReadRaw(HdaTime::Absolute(kBase), HdaTime::Absolute(kBase + 10 * kMinute),
                                 0, false, {dense});
  EXPECT_EQ(r.call, S_FALSE);
  EXPECT_EQ(r.items[0].error, OPC_S_MOREDATA);
  EXPECT_EQ(r.items[0].points.size(), max);

  ReadResult over = session.ReadRaw(HdaTime::Absolute(kBase), HdaTime::Absolute(kBase + kMinute),
                                    max + 1, false, {dense});
  EXPECT_EQ(over.call, OPC_E_MAXEXCEEDED);
  EXPECT_TRUE(over.outputs_null);
}

TEST(ReadRaw, FailedCallsLeaveEveryOutputNull) {
  Session session;
  const OPCHANDLE h = session.Handle(L"Waves/Sine 1s");
  struct Case {
    const char* what;
    std::function<HdaTime()> start, end;
    DWORD n;
  } cases[] = {
      {"start only, no count", [] { return HdaTime::Absolute(kBase); },
       [] { return HdaTime::Null(); }, 0},
      {"end only, no count", [] { return HdaTime::Null(); },
       [] { return HdaTime::Absolute(kBase); }, 0},
      {"nothing at all", [] { return HdaTime::Null(); }, [] { return HdaTime::Null(); }, 10},
      {"unreadable text", [] { return HdaTime::Text(L"YESTERDAY"); },
       [] { return HdaTime::Text(L"NOW"); }, 0},
      {"M without number", [] { return HdaTime::Text(L"NOW-M"); },
       [] { return HdaTime::Text(L"NOW"); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReadResult r = session.ReadRaw(c.start(), c.end(), c.n, false, {h});
    EXPECT_EQ(r.call, E_INVALIDARG);
    EXPECT_TRUE(r.outputs_null);
  }
}

TEST(ReadRaw, PerItemCodesAndTheCallResult) {
  Session session;
  const OPCHANDLE sine = session.Handle(L"Waves/Sine 1s", 1);
  const OPCHANDLE fails = session.Handle(L"Faults/Read fails", 2);
  const OPCHANDLE denied = session.Handle(L"Faults/Access denied", 3);
  const OPCHANDLE late = session.Handle(L"Gaps/From 2020 1s", 4);
  ReadResult r =
      session.ReadRaw(HdaTime::Absolute(At(2019, 1, 1)), HdaTime::Absolute(At(2019, 1, 1, 0, 0, 5)),
                      0, false, {sine, fails, denied, 0xDEAD, late});
  EXPECT_EQ(r.call, S_FALSE);
  ASSERT_EQ(r.items.size(), 5u);
  EXPECT_EQ(r.items[0].error, S_OK);
  EXPECT_EQ(r.items[0].points.size(), 5u);
  const HRESULT codes[] = {E_FAIL, OPC_E_BADRIGHTS, OPC_E_INVALIDHANDLE, OPC_S_NODATA};
  for (int i = 1; i < 5; ++i) {
    EXPECT_EQ(r.items[i].error, codes[i - 1]) << i;
    EXPECT_TRUE(r.items[i].points.empty()) << i;
  }
  EXPECT_EQ(r.items[1].client, 2u);
  EXPECT_EQ(r.items[3].client, 0u);

  ReadResult fine = session.ReadRaw(HdaTime::Absolute(kBase), HdaTime::Absolute(kBase + kSecond), 0,
                                    false, {sine});
  EXPECT_EQ(fine.call, S_OK);
}

TEST(ReadRaw, RelativeTimesAreResolvedAndWrittenBack) {
  Session session;
  const OPCHANDLE h = session.Handle(L"Waves/Sine 1s");
  HdaTime start = HdaTime::Text(L"now - 1m");
  HdaTime end = HdaTime::Text(L"NOW");
  OPCHDA_ITEM* items = nullptr;
  HRESULT* errors = nullptr;
  OPCHANDLE handles[] = {h};
  const Ticks before = SystemNow();
  ASSERT_EQ(session.Read()->ReadRaw(start.Get(), end.Get(), 0, FALSE, 1, handles, &items, &errors),
            S_OK);
  const Ticks after = SystemNow();
  const auto results = TakeItems(items, errors, 1);
  EXPECT_GE(end.Resolved(), before);
  EXPECT_LE(end.Resolved(), after);
  EXPECT_EQ(end.Resolved() - start.Resolved(), kMinute);
  // One sample per whole second inside [start, end).
  EXPECT_GE(results[0].points.size(), 59u);
  EXPECT_LE(results[0].points.size(), 60u);
  EXPECT_GE(results[0].points.front().time, start.Resolved());
  EXPECT_LT(results[0].points.back().time, end.Resolved());
}

}  // namespace
}  // namespace hdatest
