#include "hda/envelope_reader.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "document/log_entry.h"
#include "document/log_message.h"
#include "graph/envelope_builder.h"
#include "graph/envelope_plan.h"
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

// Types whose number the server's extremes and the wave reader agree on.
bool IsPlainNumber(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
      return true;
    default:
      return false;
  }
}

enum class TAnswer { Ok, Inexact, Failed, Lost };

// One aggregate over `count` intervals of `interval` ticks from `from`: per interval, the sample
// or none. Inexact when a value is no plain number or, for the extremes, not every value of the
// interval was good.
TAnswer ReadAggregate(THdaConnection& connection, DWORD handle, DWORD aggregate, std::uint64_t from,
                      std::uint64_t interval, std::uint32_t count,
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
    out[i] = graph::TEnvelopeSample{TicksOf(times[i]), StampOfFileTime(times[i]), number};
  }
  return TAnswer::Ok;
}

TEnvelopeRead Verdict(TAnswer a) {
  return a == TAnswer::Lost ? TEnvelopeRead::ServerLost : TEnvelopeRead::Unavailable;
}

// The number of a raw value as the wave reader would store it, when it is a plain number.
std::optional<double> PlainNumber(const VARIANT& value) {
  if (!IsPlainNumber(value.vt)) return std::nullopt;
  const double number = NumberOfVariant(value);
  if (!std::isfinite(number)) return std::nullopt;
  return number;
}

// The raw values of [from, to) of the request's item, at most `limit`, handed on one by one while
// they are plain numbers; one that is not ends the read (Cancelled).
TRawReadResult ReadSamples(THdaConnection& connection, const TEnvelopeRequest& request,
                           std::uint64_t from, std::uint64_t to, std::uint64_t limit,
                           const std::function<void(const graph::TEnvelopeSample&)>& onSample,
                           IUserMessages& messages) {
  TRawReadRequest raw;
  raw.serverHandle = request.serverHandle;
  raw.start = from;
  raw.stop = to;
  raw.limit = limit;
  raw.label = request.label;
  return ReadRawByContinuation(
      connection, raw,
      [&](const TRawPiece& piece) {
        for (std::uint32_t i = 0; i < piece.count; ++i) {
          const std::optional<double> number = PlainNumber(piece.values[i]);
          if (!number) return false;
          onSample({TicksOf(piece.times[i]), StampOfFileTime(piece.times[i]), *number});
        }
        return true;
      },
      messages);
}

// The raw values of a span, at most `limit`, appended to `out`; Inexact when one is no plain
// number or the limit left values unread (`end` says which).
TAnswer ReadRawSpan(THdaConnection& connection, const TEnvelopeRequest& request,
                    const graph::TTickSpan& span, std::uint64_t limit,
                    std::vector<graph::TEnvelopeSample>& out, TRawReadEnd& end,
                    IUserMessages& messages) {
  end = TRawReadEnd::Complete;
  if (span.Empty()) return TAnswer::Ok;
  const TRawReadResult read = ReadSamples(
      connection, request, span.from, span.to, limit,
      [&](const graph::TEnvelopeSample& sample) { out.push_back(sample); }, messages);
  end = read.end;
  if (read.end == TRawReadEnd::ServerLost) return TAnswer::Lost;
  return read.end == TRawReadEnd::Complete ? TAnswer::Ok : TAnswer::Inexact;
}

// A server without the extremes: every raw value of the period, up to the budget, put into the
// plan's points as it arrives.
TEnvelopeRead ReadFromRaw(THdaConnection& connection, const TEnvelopeRequest& request,
                          const graph::TEnvelopePlan& plan, graph::TEnvelope& envelope,
                          IUserMessages& messages) {
  constexpr std::uint64_t kProgressStep = 100000;
  graph::TEnvelopeBuilder builder(plan, kMaxValuesPerRead);
  LogMessage(kTypeOpc, kLevelDebug, u"Reading every raw value of ", request.label.Str(),
             u" (the server gives no extremes)");
  double lastStamp = 0;
  std::uint64_t nextReport = kProgressStep;
  const TRawReadResult read = ReadSamples(
      connection, request, FileTimeOfStamp(request.periodStart),
      FileTimeOfStamp(request.periodStop), kRawEnvelopeBudget,
      [&](const graph::TEnvelopeSample& sample) {
        lastStamp = sample.stamp;
        builder.Add(sample);
        if (request.progress && builder.Count() >= nextReport) {
          request.progress(builder.Count());
          nextReport = builder.Count() + kProgressStep;
        }
      },
      messages);
  if (read.end == TRawReadEnd::ServerLost) return TEnvelopeRead::ServerLost;
  if (read.end == TRawReadEnd::Cancelled) return TEnvelopeRead::Unavailable;
  builder.Finish(envelope);
  if (read.end == TRawReadEnd::Limit || read.end == TRawReadEnd::NoProgress) {
    envelope.cutAfter = lastStamp;
  }
  LogMessage(kTypeOpc, kLevelDebug, IntegerText(static_cast<std::int64_t>(read.count)).Str(),
             u" raw values of ", request.label.Str(), u" read, ",
             IntegerText(static_cast<std::int64_t>(envelope.x.size())).Str(), u" points kept");
  return TEnvelopeRead::Exact;
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

std::optional<graph::TValueBounds> ReadPeriodBounds(THdaConnection& connection, DWORD serverHandle,
                                                    double start, double stop,
                                                    IUserMessages& messages) {
  if (connection.Lost() || !OffersExtremes(connection)) return std::nullopt;
  const std::uint64_t from = FileTimeOfStamp(start);
  const std::uint64_t to = FileTimeOfStamp(stop);
  if (to <= from) return std::nullopt;
  std::vector<std::optional<graph::TEnvelopeSample>> low, high;
  if (ReadAggregate(connection, serverHandle, kAggregateMinimumActualTime, from, to - from, 1, low,
                    messages) != TAnswer::Ok ||
      ReadAggregate(connection, serverHandle, kAggregateMaximumActualTime, from, to - from, 1, high,
                    messages) != TAnswer::Ok ||
      !low[0] || !high[0]) {
    return std::nullopt;
  }
  return graph::TValueBounds{low[0]->value, high[0]->value};
}

TEnvelopeRead ReadEnvelope(THdaConnection& connection, const TEnvelopeRequest& request,
                           graph::TEnvelope& envelope, IUserMessages& messages) {
  if (connection.Lost()) return TEnvelopeRead::ServerLost;
  const std::optional<graph::TEnvelopePlan> plan = graph::PlanEnvelope(
      request.grid, FileTimeOfStamp(request.periodStart), FileTimeOfStamp(request.periodStop));
  if (!plan) return TEnvelopeRead::Unavailable;
  if (!OffersExtremes(connection))
    return ReadFromRaw(connection, request, *plan, envelope, messages);

  graph::TEnvelopeParts parts;
  // Zoomed in far enough, the grid's values are few: read them all, and draw their markers.
  const graph::TTickSpan inGrid{plan->head.from, plan->tail.to};
  bool whole = false;
  if (request.valuesPerTick > 0 &&
      request.valuesPerTick * static_cast<double>(inGrid.to - inGrid.from) <= kMaxValuesPerRead) {
    TRawReadEnd end = TRawReadEnd::Complete;
    const TAnswer got =
        ReadRawSpan(connection, request, inGrid, kMaxValuesPerRead, parts.head, end, messages);
    if (got == TAnswer::Lost) return TEnvelopeRead::ServerLost;
    if (got != TAnswer::Ok && end != TRawReadEnd::Limit) return Verdict(got);
    whole = got == TAnswer::Ok;
    if (!whole) parts.head.clear();
  }

  if (!whole) {
    TString columns = IntegerText(plan->columns);
    columns.Append(u" columns of ");
    columns.Append(IntegerText(request.grid.stepMs).Str());
    LogMessage(kTypeOpc, kLevelDebug, u"Reading extremes of ", request.label.Str(), u" in ",
               columns.Str(), u" ms");
    std::vector<std::optional<graph::TEnvelopeSample>> first, last, low, high;
    for (auto [aggregate, out] : {std::pair{kAggregateStart, &first},
                                  {kAggregateEnd, &last},
                                  {kAggregateMinimumActualTime, &low},
                                  {kAggregateMaximumActualTime, &high}}) {
      const TAnswer got =
          ReadAggregate(connection, request.serverHandle, aggregate, plan->columnsFrom, plan->step,
                        plan->columns, *out, messages);
      if (got != TAnswer::Ok) return Verdict(got);
    }
    parts.columns.resize(plan->columns);
    for (std::uint32_t i = 0; i < plan->columns; ++i) {
      parts.columns[i] = {first[i], last[i], low[i], high[i]};
    }
    TRawReadEnd end = TRawReadEnd::Complete;
    TAnswer got =
        ReadRawSpan(connection, request, plan->head, kRawColumnLimit, parts.head, end, messages);
    if (got == TAnswer::Ok) {
      got =
          ReadRawSpan(connection, request, plan->tail, kRawColumnLimit, parts.tail, end, messages);
    }
    if (got != TAnswer::Ok) return Verdict(got);
  }

  // Beyond the grid: the neighbouring values and the extremes, each over one interval; after it
  // also the period's last value.
  std::vector<std::optional<graph::TEnvelopeSample>> one;
  auto readOutside = [&](const graph::TTickSpan& span, DWORD neighbour,
                         std::optional<graph::TEnvelopeSample>& value) -> TAnswer {
    if (span.Empty()) return TAnswer::Ok;
    const std::uint64_t width = span.to - span.from;
    TAnswer r = ReadAggregate(connection, request.serverHandle, neighbour, span.from, width, 1, one,
                              messages);
    if (r != TAnswer::Ok) return r;
    value = one[0];
    if (neighbour == kAggregateStart) {
      r = ReadAggregate(connection, request.serverHandle, kAggregateEnd, span.from, width, 1, one,
                        messages);
      if (r != TAnswer::Ok) return r;
      parts.last = one[0];
    }
    // The period's bounds hold those of every span outside the grid.
    if (request.periodBounds) return TAnswer::Ok;
    for (DWORD aggregate : {kAggregateMinimumActualTime, kAggregateMaximumActualTime}) {
      // Values there that are not good leave the bounds those of the good ones.
      r = ReadAggregate(connection, request.serverHandle, aggregate, span.from, width, 1, one,
                        messages);
      if (r == TAnswer::Lost || r == TAnswer::Failed) return r;
      if (r == TAnswer::Ok && one[0]) parts.outsideExtremes.push_back(*one[0]);
    }
    return TAnswer::Ok;
  };
  TAnswer got = readOutside(plan->before, kAggregateEnd, parts.before);
  if (got == TAnswer::Ok) got = readOutside(plan->after, kAggregateStart, parts.after);
  if (got != TAnswer::Ok) return Verdict(got);
  if (request.periodBounds) {
    parts.outsideExtremes.push_back({0, 0, request.periodBounds->lower});
    parts.outsideExtremes.push_back({0, 0, request.periodBounds->upper});
  }

  graph::AssembleEnvelope(parts, envelope);
  envelope.allRaw = whole;
  LogMessage(kTypeOpc, kLevelDebug, IntegerText(static_cast<std::int64_t>(envelope.x.size())).Str(),
             whole ? u" raw points received for " : u" extreme points received for ",
             request.label.Str());
  return TEnvelopeRead::Exact;
}

}  // namespace hda
