// Reading a long wave as per-column extremes through the server's aggregates START, END,
// MINIMUMACTUALTIME and MAXIMUMACTUALTIME, one resample interval per pixel column of the time
// axis, so that the graph draws what every raw value would draw.
#pragma once

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

enum class TEnvelopeRead {
  Exact,        // `envelope` holds the wave
  Unavailable,  // the server cannot give it exactly; read the raw values instead
  ServerLost,
};

struct TEnvelopeRequest {
  DWORD serverHandle = 0;
  graph::TColumnGrid grid;
  double periodStart = 0;  // the raw values of the period: periodStart <= t < periodStop
  double periodStop = 0;
  TString label;
};

// Columns that lie wholly in the period are read as extremes; a column cut by the period's
// start or stop, and the period's last column, are read raw (the end of a line depends on more
// than a column's extremes). Outside the columns, the last value before them and the first after
// them, and the extremes there for the bounds.
TEnvelopeRead ReadEnvelope(THdaConnection& connection, const TEnvelopeRequest& request,
                           graph::TEnvelope& envelope, IUserMessages& messages);

}  // namespace hda
