// ReadProcessed and ReadAtTime through the proxy, against aggregates the test computes itself from
// the raw values the server returns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "tests/hdasim/hda_client.h"

namespace hdatest {
namespace {

constexpr DWORD kGood = 0xC0, kSubNormal = 0x58, kUncertain = 0x40;
constexpr DWORD kRaw = 0x00040000, kInterpolated = 0x00020000, kCalculated = 0x00080000,
                kNoData = 0x00200000, kPartial = 0x01000000, kExtraData = 0x00010000;

bool IsGood(DWORD quality) { return (quality & 0xC0) == 0xC0; }

struct Interval {
  Ticks lo, hi;  // samples with lo <= t < hi
  Ticks stamp;
  bool remainder;
};

// Forward intervals start at the start time; reverse ones end (inclusive) at it.
std::vector<Interval> Intervals(Ticks start, Ticks end, Ticks step) {
  std::vector<Interval> out;
  const bool forward = start < end;
  const Ticks span = forward ? end - start : start - end;
  for (Ticks from_start = 0; from_start < span; from_start += step) {
    const Ticks to_start = std::min(from_start + step, span);
    if (forward) {
      out.push_back(
          {start + from_start, start + to_start, start + from_start, to_start - from_start < step});
    } else {
      out.push_back({start - to_start + 1, start - from_start + 1, start - from_start,
                     to_start - from_start < step});
    }
  }
  return out;
}

// The signal between good samples: straight lines, or held values for stepped items.
double Integral(const std::vector<Point>& good, Ticks lo, Ticks hi, bool stepped, Ticks* covered) {
  double sum = 0;
  *covered = 0;
  for (std::size_t i = 0; i + 1 < good.size(); ++i) {
    const Point &a = good[i], &b = good[i + 1];
    const Ticks c0 = std::max(a.time, lo), c1 = std::min(b.time, hi);
    if (c0 >= c1) continue;
    const double slope = stepped ? 0 : (b.number - a.number) / double(b.time - a.time);
    const double x0 = a.number + slope * double(c0 - a.time),
                 x1 = a.number + slope * double(c1 - a.time);
    sum += double(c1 - c0) * (x0 + x1) / 2 / double(kSecond);
    *covered += c1 - c0;
  }
  return sum;
}

std::optional<Point> ValueAt(const std::vector<Point>& raw, Ticks t, bool stepped) {
  auto at = std::find_if(raw.begin(), raw.end(), [&](const Point& p) { return p.time == t; });
  if (at != raw.end()) {
    Point p = *at;
    p.quality |= kRaw;
    return p;
  }
  std::optional<Point> before, after;
  bool clean = true;
  for (const Point& p : raw) {
    if (p.time < t && IsGood(p.quality)) before = p;
    if (p.time > t && IsGood(p.quality) && !after) after = p;
  }
  if (!before) return std::nullopt;
  for (const Point& p : raw)
    if (p.time > before->time && p.time < (after ? after->time : t) && !IsGood(p.quality))
      clean = false;
  Point r;
  r.time = t;
  r.type = VT_R8;
  if (!after) {
    r.number = before->number;
    r.quality = kUncertain | kInterpolated;
    return r;
  }
  r.quality = (clean ? kGood : kSubNormal) | kInterpolated;
  r.number = stepped
                 ? before->number
                 : before->number + (after->number - before->number) * double(t - before->time) /
                                        double(after->time - before->time);
  return r;
}

// The aggregate over one interval, from the raw values alone; nothing means "no data".
std::optional<Point> Expected(DWORD aggregate, const std::vector<Point>& raw, const Interval& iv,
                              bool stepped) {
  std::vector<Point> in, good, all_good;
  bool skipped = false;
  for (const Point& p : raw) {
    if (IsGood(p.quality)) all_good.push_back(p);
    if (p.time < iv.lo || p.time >= iv.hi) continue;
    in.push_back(p);
    if (IsGood(p.quality)) {
      good.push_back(p);
    } else {
      skipped = true;
    }
  }
  const DWORD partial = iv.remainder ? kPartial : 0;
  auto calculated = [&](double value, bool complete, Ticks t) {
    Point p;
    p.time = t;
    p.type = VT_R8;
    p.number = value;
    p.quality = (complete ? kGood : kSubNormal) | kCalculated | partial;
    return p;
  };
  switch (aggregate) {
    case 1:
      return ValueAt(raw, iv.stamp, stepped);
    case 5: {
      Point p = calculated(double(in.size()), true, iv.stamp);
      p.type = VT_I4;
      return p;
    }
    case 11:
    case 12: {
      if (in.empty()) return std::nullopt;
      Point p = aggregate == 11 ? in.front() : in.back();
      p.quality |= kRaw;
      return p;
    }
    case 2:
    case 4: {
      Ticks covered = 0;
      const double total = Integral(all_good, iv.lo, iv.hi, stepped, &covered);
      if (covered == 0) return std::nullopt;
      const bool complete = !skipped && covered == iv.hi - iv.lo;
      return calculated(aggregate == 2 ? total : total * double(kSecond) / double(covered),
                        complete, iv.stamp);
    }
    default:
      break;
  }
  if (good.empty()) return std::nullopt;
  double sum = 0, low = good[0].number, high = good[0].number;
  Ticks low_at = good[0].time, high_at = good[0].time;
  int low_count = 0, high_count = 0;
  for (const Point& p : good) {
    sum += p.number;
    if (p.number < low) low = p.number, low_at = p.time;
    if (p.number > high) high = p.number, high_at = p.time;
  }
  for (const Point& p : good) low_count += p.number == low, high_count += p.number == high;
  const double mean = sum / double(good.size());
  double squares = 0;
  for (const Point& p : good) squares += (p.number - mean) * (p.number - mean);
  switch (aggregate) {
    case 3:
      return calculated(mean, !skipped, iv.stamp);
    case 6:
      if (good.size() < 2) return std::nullopt;
      return calculated(std::sqrt(squares / double(good.size() - 1)), !skipped, iv.stamp);
    case 8:
      return calculated(low, !skipped, iv.stamp);
    case 10:
      return calculated(high, !skipped, iv.stamp);
    case 7:
    case 9: {
      const bool minimum = aggregate == 7;
      Point p = calculated(minimum ? low : high, !skipped, minimum ? low_at : high_at);
      if ((minimum ? low_count : high_count) > 1) p.quality |= kExtraData;
      return p;
    }
    case 13:
      return calculated(good.back().number - good.front().number, !skipped, iv.stamp);
    case 18:
      return calculated(high - low, !skipped, iv.stamp);
    default:
      return std::nullopt;
  }
}

std::vector<Point> RawValues(Session& session, OPCHANDLE handle, Ticks from, Ticks to) {
  ReadResult r =
      session.ReadRaw(HdaTime::Absolute(from), HdaTime::Absolute(to), 0, false, {handle});
  EXPECT_EQ(r.items[0].error, S_OK);
  return r.items[0].points;
}

TEST(ReadProcessed, AggregatesMatchTheRawData) {
  Session session;
  struct ItemCase {
    const wchar_t* id;
    bool stepped;
  } items[] = {{L"Waves/Sine 1s", false},        {L"Qualities/Every 10th bad 1s", false},
               {L"Qualities/Cycling 1s", false}, {L"Gaps/Last 20s of each minute 1s", false},
               {L"Waves/Square 1s", true},       {L"Waves/Random walk 1s", false}};
  const DWORD aggregates[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 18};
  const Ticks start = At(2023, 8, 1, 12, 0, 7, 250);
  struct Domain {
    Ticks start, end, step;
  } domains[] = {{start, start + 5 * kMinute, kMinute},
                 {start, start + 5 * kMinute, 70 * kSecond},
                 {start + 5 * kMinute, start, 70 * kSecond},
                 {start, start + 5 * kMinute, 0}};
  for (const ItemCase& item : items) {
    const OPCHANDLE handle = session.Handle(item.id, 9);
    const std::vector<Point> raw =
        RawValues(session, handle, start - 3 * kMinute, start + 8 * kMinute);
    for (const Domain& d : domains) {
      const std::vector<Interval> intervals =
          Intervals(d.start, d.end, d.step ? d.step : 5 * kMinute);
      std::vector<OPCHANDLE> handles(std::size(aggregates), handle);
      std::vector<DWORD> ids(std::begin(aggregates), std::end(aggregates));
      ReadResult r = session.ReadProcessed(HdaTime::Absolute(d.start), HdaTime::Absolute(d.end),
                                           d.step, handles, ids);
      ASSERT_TRUE(SUCCEEDED(r.call)) << HexCode(r.call);
      for (std::size_t a = 0; a < ids.size(); ++a) {
        SCOPED_TRACE(::testing::Message()
                     << "item " << std::string(item.id, item.id + wcslen(item.id)) << ", aggregate "
                     << ids[a] << ", step " << d.step / kSecond << " s"
                     << (d.start > d.end ? ", reverse" : ""));
        const ItemResult& got = r.items[a];
        EXPECT_EQ(got.client, 9u);
        EXPECT_EQ(got.aggregate, ids[a]);
        ASSERT_EQ(got.points.size(), intervals.size());
        bool extra = false;
        for (std::size_t i = 0; i < intervals.size(); ++i) {
          SCOPED_TRACE(i);
          const std::optional<Point> want = Expected(ids[a], raw, intervals[i], item.stepped);
          const Point& p = got.points[i];
          if (!want) {
            EXPECT_EQ(p.type, VT_EMPTY);
            EXPECT_EQ(p.quality, kNoData);
            EXPECT_EQ(p.time, intervals[i].stamp);
            continue;
          }
          extra |= (want->quality & kExtraData) != 0;
          EXPECT_EQ(p.time, want->time);
          EXPECT_EQ(p.quality, want->quality);
          EXPECT_NEAR(p.number, want->number, 1e-7 * (1 + std::fabs(want->number)));
        }
        EXPECT_EQ(got.error, extra ? OPC_S_EXTRADATA : S_OK);
      }
    }
  }
}

TEST(ReadProcessed, CodesForWhatCannotBeComputed) {
  Session session;
  const OPCHANDLE sine = session.Handle(L"Waves/Sine 1s");
  const OPCHANDLE text = session.Handle(L"Text/States");
  const Ticks t = At(2023, 8, 1);
  ReadResult r =
      session.ReadProcessed(HdaTime::Absolute(t), HdaTime::Absolute(t + kMinute), 0,
                            {sine, sine, text, text, 0xBAD, session.Handle(L"Faults/Read fails")},
                            {14, 0x80000123, 3, 5, 3, 3});
  EXPECT_EQ(r.call, S_FALSE);
  const HRESULT codes[] = {OPC_E_INVALIDAGGREGATE, OPC_E_INVALIDAGGREGATE,
                           OPC_E_NOT_AVAIL,        S_OK,
                           OPC_E_INVALIDHANDLE,    E_FAIL};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(r.items[i].error, codes[i]) << i;
  EXPECT_EQ(r.items[3].points.size(), 1u);
  EXPECT_EQ(r.items[3].points[0].number, 6);  // a state text every ten seconds

  // Before the history begins: one no-data value per interval, and the item says so.
  const Ticks old = At(1999, 12, 31, 23, 0);
  ReadResult empty = session.ReadProcessed(HdaTime::Absolute(old), HdaTime::Absolute(old + kHour),
                                           10 * kMinute, {sine}, {3});
  EXPECT_EQ(empty.items[0].error, OPC_S_NODATA);
  ASSERT_EQ(empty.items[0].points.size(), 6u);
  for (const Point& p : empty.items[0].points) EXPECT_EQ(p.quality, kNoData);

  struct CallCase {
    const char* what;
    Ticks start, end, step;
    HRESULT call;
  } calls[] = {
      {"empty span", t, t, kSecond, E_INVALIDARG},
      {"too many intervals", t, t + kDay, kMs, OPC_E_MAXEXCEEDED},
  };
  for (const CallCase& c : calls) {
    ReadResult failed = session.ReadProcessed(HdaTime::Absolute(c.start), HdaTime::Absolute(c.end),
                                              c.step, {sine}, {3});
    EXPECT_EQ(failed.call, c.call) << c.what;
    EXPECT_TRUE(failed.outputs_null) << c.what;
  }
  // Too much raw data behind one answer is refused too, rather than keeping the server busy.
  ReadResult busy = session.ReadProcessed(HdaTime::Absolute(t), HdaTime::Absolute(t + 7 * kDay), 0,
                                          {session.Handle(L"Dense/Sine 5ms")}, {3});
  EXPECT_EQ(busy.call, OPC_E_MAXEXCEEDED);
}

TEST(ReadAtTime, RawInterpolatedHeldAndMissingValues) {
  Session session;
  const OPCHANDLE sine = session.Handle(L"Waves/Sine 10s");
  const OPCHANDLE states = session.Handle(L"Text/States");
  const Ticks t = At(2023, 3, 3, 3, 3, 30);
  const std::vector<Point> raw = RawValues(session, sine, t - kMinute, t + kMinute);
  const std::vector<Ticks> times = {t, t + 3 * kSecond, t + 7 * kSecond + 5 * kMs, At(1999, 12, 31),
                                    SystemNow() + kDay};
  ReadResult r = session.ReadAtTime(times, {sine, states});
  ASSERT_EQ(r.call, S_OK);
  const auto& p = r.items[0].points;
  ASSERT_EQ(p.size(), times.size());
  for (int i = 0; i < 3; ++i) {
    const std::optional<Point> want = ValueAt(raw, times[i], false);
    ASSERT_TRUE(want);
    EXPECT_EQ(p[i].time, times[i]);
    EXPECT_EQ(p[i].quality, want->quality) << i;
    EXPECT_NEAR(p[i].number, want->number, 1e-9) << i;
  }
  EXPECT_EQ(p[0].quality, kRaw | kGood);
  EXPECT_EQ(p[3].quality, kNoData);                     // nothing before it to start from
  EXPECT_EQ(p[4].quality, kUncertain | kInterpolated);  // held beyond the last value

  const auto& s = r.items[1].points;
  EXPECT_EQ(s[1].type, VT_BSTR);
  EXPECT_EQ(s[1].text, s[0].text);  // texts hold until the next one
  EXPECT_EQ(s[1].quality, kGood | kInterpolated);

  ReadResult none = session.ReadAtTime({At(1990, 1, 1)}, {sine});
  EXPECT_EQ(none.call, S_FALSE);
  EXPECT_EQ(none.items[0].error, OPC_S_NODATA);
}

}  // namespace
}  // namespace hdatest
