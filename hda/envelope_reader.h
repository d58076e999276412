// Reading a long wave as per-column extremes through the server's aggregates START, END,
// MINIMUMACTUALTIME and MAXIMUMACTUALTIME, one resample interval per pixel column of the time
// axis, so that the graph draws what every raw value would draw.
#pragma once

#include <functional>
#include <optional>

#include "document/user_messages.h"
#include "graph/envelope_points.h"
#include "graph/time_columns.h"
#include "hda/hda_connection.h"

namespace hda {

// Aggregate numbers of the standard.
inline constexpr DWORD kAggregateMinimumActualTime = 7;
inline constexpr DWORD kAggregateMaximumActualTime = 9;
inline constexpr DWORD kAggregateStart = 11;
inline constexpr DWORD kAggregateEnd = 12;

// Whether the server lists the four aggregates (asked once per connection).
bool OffersExtremes(THdaConnection& connection);

// Servers without the extremes: the raw values of a period read to draw it, at most.
inline constexpr std::uint64_t kRawEnvelopeBudget = 2000000;

enum class TEnvelopeRead {
  Exact,        // `envelope` holds the wave (up to envelope.cutAfter when that is set)
  Unavailable,  // the server cannot give it exactly; read the raw values instead
  ServerLost,
};

struct TEnvelopeRequest {
  DWORD serverHandle = 0;
  graph::TColumnGrid grid;
  double periodStart = 0;  // the raw values of the period: periodStart <= t < periodStop
  double periodStop = 0;
  // Raw values a tick that the wave is known to hold (0: not known): when the grid's span of the
  // period holds no more than the wave reader's 32000 by this measure, it is read raw first.
  double valuesPerTick = 0;
  TString label;
  // Told the number of values read so far while raw values are read past 32000.
  std::function<void(std::uint64_t)> progress;
  // The period's bounds as ReadPeriodBounds gave them, when known: the extremes outside the grid
  // are then not read, the envelope's bounds are these.
  std::optional<graph::TValueBounds> periodBounds;
};

// When the grid's span of the period holds at most 32000 values, they are read raw
// (envelope.allRaw). Otherwise columns that lie wholly in the period are read as extremes; a
// column cut by the period's start or stop, and the period's last column, are read raw (the end of
// a line depends on more than a column's extremes). Outside the columns, the last value before
// them, the first and the last after them, and the extremes there for the bounds. A server
// without the extremes has every raw value of the period read, up to kRawEnvelopeBudget, and put
// into the same points as they arrive; values beyond the budget are left out (envelope.cutAfter).
TEnvelopeRead ReadEnvelope(THdaConnection& connection, const TEnvelopeRequest& request,
                           graph::TEnvelope& envelope, IUserMessages& messages);

// The lowest and highest of the item's raw values of the period [start, stop) from the server's
// extremes over the period as one interval: the bounds an envelope of any grid of the period
// takes. None when the server gives no extremes, the period holds no value, or a value is no good
// plain number (an envelope is then not exact either).
std::optional<graph::TValueBounds> ReadPeriodBounds(THdaConnection& connection, DWORD serverHandle,
                                                    double start, double stop,
                                                    IUserMessages& messages);

}  // namespace hda
