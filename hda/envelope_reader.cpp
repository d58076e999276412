#include "hda/envelope_reader.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "document/log_entry.h"
#include "document/log_message.h"
#include "hda/raw_reader.h"
#include "hda/wave_conversion.h"
#include "text/integer_text.h"
#include "win/variant_vector.h"

namespace hda {

namespace {

constexpr DWORD kQualityNoData = 0x00200000;  // OPCHDA_NODATA
constexpr DWORD kDaGoodMask = 0xC0;
// A column cut by the period is read raw; more values than this in one is no column.
constexpr std::uint64_t kRawColumnLimit = 200000;

std::uint64_t Units(const FILETIME& t) {
  return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// Types whose number the server's extremes and the wave reader agree on.
bool IsPlainNumber(VARTYPE vt) {
  switch (vt) {
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4:
    case VT_INT: case VT_UINT: case VT_R4: case VT_R8:
      return true;
    default:
      return false;
  }
}

enum class TAnswer { Ok, Inexact, Failed, Lost };

// One aggregate over `count` intervals of `interval` ticks from `from`: per interval, the sample
// or none. Inexact when a value is no plain number or, for the extremes, not every value of the
// interval was good.
TAnswer ReadAggregate(THdaConnection& connection, DWORD handle, DWORD aggregate,
                      std::uint64_t from, std::uint64_t interval, std::uint32_t count,
                      std::vector<std::optional<graph::TEnvelopeSample>>& out,
                      IUserMessages& messages) {
  out.assign(count, std::nullopt);
  if (count == 0) return TAnswer::Ok;
  const std::uint64_t to = from + interval * count;
  std::unique_ptr<FILETIME[]> times(new FILETIME[count]());
  win::VariantVector values(count);
  std::unique_ptr<DWORD[]> qualities(new DWORD[count]());
  const DWORD answer = ReadHDAProcessedItemValues(
      connection.Session(), handle, aggregate, static_cast<DWORD>(from),
      static_cast<DWORD>(from >> 32), static_cast<DWORD>(to), static_cast<DWORD>(to >> 32),
      static_cast<DWORD>(interval), static_cast<DWORD>(interval >> 32), count, times.get(),
      values.Data(), qualities.get());
  if (connection.NoteServerLoss(messages)) return TAnswer::Lost;
  if ((answer & AMBREL_COUNT_MASK) != count) return TAnswer::Failed;
  const bool extreme =
      aggregate == kAggregateMinimumActualTime || aggregate == kAggregateMaximumActualTime;
  for (std::uint32_t i = 0; i < count; ++i) {
    const VARIANT& v = values[i];
    const DWORD quality = qualities[i];
    if ((quality & kQualityNoData) != 0 || v.vt == VT_EMPTY) continue;
    if (!IsPlainNumber(v.vt)) return TAnswer::Inexact;
    if (extreme && (quality & kDaGoodMask) != kDaGoodMask) return TAnswer::Inexact;
    const double number = NumberOfVariant(v);
    if (!std::isfinite(number)) return TAnswer::Inexact;
    out[i] = graph::TEnvelopeSample{Units(times[i]), StampOfFileTime(times[i]), number};
  }
  return TAnswer::Ok;
}

TEnvelopeRead Verdict(TAnswer a) {
  return a == TAnswer::Lost ? TEnvelopeRead::ServerLost : TEnvelopeRead::Unavailable;
}

}  // namespace

bool OffersExtremes(THdaConnection& connection) {
  std::optional<bool>& known = connection.ExtremesOffered();
  if (known) return *known;
  const DWORD count = NumberOfHDAAggregates(connection.Session());
  bool found[4] = {};
  for (DWORD i = 0; i < count; ++i) {
    DWORD id = 0;
    char name[256], description[256];
    if (!GetHDAAggregateDescr(connection.Session(), i, &id, name, sizeof name, description,
                              sizeof description)) {
      continue;
    }
    found[0] |= id == kAggregateStart;
    found[1] |= id == kAggregateEnd;
    found[2] |= id == kAggregateMinimumActualTime;
    found[3] |= id == kAggregateMaximumActualTime;
  }
  known = found[0] && found[1] && found[2] && found[3];
  return *known;
}

TEnvelopeRead ReadEnvelope(THdaConnection& connection, const TEnvelopeRequest& request,
                           graph::TEnvelope& envelope, IUserMessages& messages) {
  const graph::TColumnGrid& grid = request.grid;
  if (connection.Lost()) return TEnvelopeRead::ServerLost;
  if (grid.count <= 0 || grid.stepMs <= 0 || !OffersExtremes(connection)) {
    return TEnvelopeRead::Unavailable;
  }
  const std::uint64_t p0 = FileTimeOfStamp(request.periodStart);
  const std::uint64_t p1 = FileTimeOfStamp(request.periodStop);
  const std::uint64_t step = static_cast<std::uint64_t>(grid.stepMs) * kFileTimeUnitsPerMs;
  auto edge = [&](std::int32_t i) { return FileTimeOfStamp(grid.StampAt(i)); };
  const std::uint64_t g0 = edge(0), gEnd = edge(grid.count);
  if (p1 <= g0 || p0 >= gEnd) return TEnvelopeRead::Unavailable;

  // Columns wholly in the period, less the period's last column.
  std::int32_t a = 0;
  while (a < grid.count && edge(a) < p0) ++a;
  std::int32_t b = a;
  while (b < grid.count && edge(b + 1) <= p1) ++b;
  if (p1 <= gEnd && b > a) --b;
  const std::uint64_t fullFrom = edge(a), fullTo = b > a ? edge(b) : fullFrom;

  TString columns = IntegerText(grid.count);
  columns.Append(u" columns of ");
  columns.Append(IntegerText(grid.stepMs).Str());
  LogMessage(kTypeOpc, kLevelDebug, u"Reading extremes of ", request.label.Str(), u" in ",
             columns.Str(), u" ms");
  const auto n = static_cast<std::uint32_t>(b - a);
  std::vector<std::optional<graph::TEnvelopeSample>> first, last, low, high;
  for (auto [aggregate, out] : {std::pair{kAggregateStart, &first}, {kAggregateEnd, &last},
                                {kAggregateMinimumActualTime, &low},
                                {kAggregateMaximumActualTime, &high}}) {
    const TAnswer got = ReadAggregate(connection, request.serverHandle, aggregate, fullFrom, step,
                                      n, *out, messages);
    if (got != TAnswer::Ok) return Verdict(got);
  }

  // Raw values of the cut columns at either end.
  auto readRaw = [&](std::uint64_t from, std::uint64_t to,
                     std::vector<graph::TEnvelopeSample>& out) -> TAnswer {
    out.clear();
    if (from >= to) return TAnswer::Ok;
    TRawReadRequest raw;
    raw.serverHandle = request.serverHandle;
    raw.start = from;
    raw.stop = to;
    raw.limit = kRawColumnLimit;
    raw.label = request.label;
    bool plain = true;
    const TRawReadResult read = ReadRawByContinuation(
        connection, raw,
        [&](const TRawPiece& piece) {
          for (std::uint32_t i = 0; i < piece.count && plain; ++i) {
            plain = IsPlainNumber(piece.values[i].vt) &&
                    std::isfinite(NumberOfVariant(piece.values[i]));
            out.push_back({Units(piece.times[i]), StampOfFileTime(piece.times[i]),
                           NumberOfVariant(piece.values[i])});
          }
          return plain;
        },
        messages);
    if (read.end == TRawReadEnd::ServerLost) return TAnswer::Lost;
    if (read.end != TRawReadEnd::Complete) return TAnswer::Inexact;
    return TAnswer::Ok;
  };
  std::vector<graph::TEnvelopeSample> head, tail;
  TAnswer got = readRaw(std::max(p0, g0), fullFrom, head);
  if (got != TAnswer::Ok) return Verdict(got);
  got = readRaw(std::max(fullTo, fullFrom), std::min(p1, gEnd), tail);
  if (got != TAnswer::Ok) return Verdict(got);

  // Beyond the columns: the neighbouring value and the extremes, each over one interval.
  std::vector<std::optional<graph::TEnvelopeSample>> before(1), after(1), outside;
  std::vector<graph::TEnvelopeSample> outsideExtremes;
  auto readOutside = [&](std::uint64_t from, std::uint64_t to, DWORD neighbour,
                         std::vector<std::optional<graph::TEnvelopeSample>>& value) -> TAnswer {
    if (from >= to) return TAnswer::Ok;
    TAnswer r = ReadAggregate(connection, request.serverHandle, neighbour, from, to - from, 1,
                              value, messages);
    if (r != TAnswer::Ok) return r;
    for (DWORD aggregate : {kAggregateMinimumActualTime, kAggregateMaximumActualTime}) {
      // Values that are not good only make the bounds those of the good values.
      r = ReadAggregate(connection, request.serverHandle, aggregate, from, to - from, 1, outside,
                        messages);
      if (r == TAnswer::Lost || r == TAnswer::Failed) return r;
      if (r == TAnswer::Ok && outside[0]) outsideExtremes.push_back(*outside[0]);
    }
    return TAnswer::Ok;
  };
  got = readOutside(p0, std::min(g0, p1), kAggregateEnd, before);
  if (got != TAnswer::Ok) return Verdict(got);
  got = readOutside(std::max(gEnd, p0), p1, kAggregateStart, after);
  if (got != TAnswer::Ok) return Verdict(got);

  envelope.x.clear();
  envelope.y.clear();
  envelope.x.reserve(4 * static_cast<std::size_t>(n) + head.size() + tail.size() + 2);
  envelope.y.reserve(envelope.x.capacity());
  if (before[0]) graph::AppendSamples({*before[0]}, envelope.x, envelope.y);
  graph::AppendSamples(head, envelope.x, envelope.y);
  for (std::uint32_t i = 0; i < n; ++i) {
    graph::AppendColumn({first[i], last[i], low[i], high[i]}, envelope.x, envelope.y);
  }
  graph::AppendSamples(tail, envelope.x, envelope.y);
  if (after[0]) graph::AppendSamples({*after[0]}, envelope.x, envelope.y);

  // No value at all leaves an empty range, which widens no axis.
  envelope.xLower = envelope.yLower = std::numeric_limits<double>::max();
  envelope.xUpper = envelope.yUpper = std::numeric_limits<double>::lowest();
  if (!envelope.x.empty()) {
    envelope.xLower = envelope.x.front();
    envelope.xUpper = envelope.x.back();
    const auto [lo, hi] = std::minmax_element(envelope.y.begin(), envelope.y.end());
    envelope.yLower = *lo;
    envelope.yUpper = *hi;
  }
  for (const graph::TEnvelopeSample& s : outsideExtremes) {
    envelope.yLower = std::min(envelope.yLower, s.value);
    envelope.yUpper = std::max(envelope.yUpper, s.value);
  }
  LogMessage(kTypeOpc, kLevelDebug, IntegerText(static_cast<std::int64_t>(envelope.x.size())).Str(),
             u" extreme points received for ", request.label.Str());
  return TEnvelopeRead::Exact;
}

}  // namespace hda
