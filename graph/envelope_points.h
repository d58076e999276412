// A wave drawn from per-column extremes instead of every raw value. For each pixel column of the
// time axis a server gives the first and the last raw value and the smallest and the largest with
// their times; those four points, in time order, are what the per-column reduction keeps of all
// the column's values (the segments inside a column are vertical, so which of two values on one
// pixel row is kept does not matter), so the drawing is the drawing of every raw value.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace graph {

// One raw value: `order` is its exact time (any unit finer than or equal to the stamp that keeps
// time order, FILETIME ticks in practice), `stamp` its time stamp in milliseconds.
struct TEnvelopeSample {
  std::uint64_t order = 0;
  double stamp = 0;
  double value = 0;
};

// What the server said of one column; a column without values has none of the four.
struct TEnvelopeColumn {
  std::optional<TEnvelopeSample> first, last, lowest, highest;
};

// Appends the distinct samples of one column to x and y: the first value, the two extremes in
// time order, the last value.
void AppendColumn(const TEnvelopeColumn& column, std::vector<double>& x, std::vector<double>& y);

// Appends the samples, already in time order, one by one.
void AppendSamples(const std::vector<TEnvelopeSample>& samples, std::vector<double>& x,
                   std::vector<double>& y);

// The lowest and highest of a wave's values over a span.
struct TValueBounds {
  double lower = 0;
  double upper = 0;
};

// A wave as per-column extremes: the points in time order, with the values just outside the
// columns (so the lines into and out of them are the raw lines), and the bounds of every raw value
// of the period.
struct TEnvelope {
  std::vector<double> x, y;
  double xLower = 0, xUpper = 0, yLower = 0, yUpper = 0;
  // Every point inside the columns is a raw value: the wave was few enough there to read whole,
  // and its markers stand where the raw values' would.
  bool allRaw = false;
  // The server holds values after this time that were not read (a read budget); NaN when none.
  double cutAfter = std::numeric_limits<double>::quiet_NaN();
};

}  // namespace graph
