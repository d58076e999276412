// The rules of the graph settings sheet that need no window: how the axis page shows and reads
// back an axis's values, how axes are added and deleted, and which axes a wave may use.
#pragma once

#include <cstdint>

#include "graph/graph_settings.h"
#include "text/tstring.h"

namespace graph {

// The six value fields of the axis page.
struct TAxisValueTexts {
  TString min;
  TString max;
  TString firstTick;
  TString majorGap;
  TString minorGap;
  TString microGap;
};

// A value as the page shows it: a time axis as day/month/year with milliseconds, a duration axis
// as hours:minutes:seconds.milliseconds, a numeric axis with 3 decimals ("%lG" beyond 1e13 and
// for values that are not finite). Gaps of time and duration axes are shown as durations.
TString AxisValueText(std::int32_t format, double value);
TString AxisGapText(std::int32_t format, double gap);
TAxisValueTexts AxisValueTexts(const TAxisSettings& axis);

// Reads a value back: a time over the current date (a missing year is this year), a duration,
// or a number (0 when the text is none).
double ReadAxisValue(std::int32_t format, const TString& text);
double ReadAxisGap(std::int32_t format, const TString& text);

// Stores the texts the user changed into the axis, read in the axis's Format (the one chosen on
// the page, which the user typed them for); a text left as `shown` keeps its value exactly, so
// that a page opened and left alone changes nothing, whatever format was chosen.
// A changed end makes the range normalised and ordered; a changed first tick goes into all three
// first ticks; a changed gap makes the gaps sorted (the largest major, the smallest micro) and
// repaired. A text that reads as no finite value leaves its field alone; a gap that is not
// finite counts as none.
void StoreAxisValueTexts(TAxisSettings& axis, const TAxisValueTexts& shown,
                         const TAxisValueTexts& typed);

// Vertical axes (left, right) carry Y values, horizontal ones (top, bottom) X values.
bool IsVerticalLocation(std::int32_t location);

// Adds an axis with the smallest free id: a copy of the current axis named after it (its name
// advanced by NextName) or, without a current axis, a new left axis. Returns the new id.
std::int32_t AddAxis(TGraphSettings& settings, std::int32_t currentId);
// Whether another axis of the same orientation exists, so that the axis may be deleted.
bool CanDeleteAxis(const TGraphSettings& settings, std::int32_t axisId);
// The first wave (in name order) drawn against the axis, or null.
const TPlotSettings* WaveUsingAxis(const TGraphSettings& settings, std::int32_t axisId);
// Removes the axis; returns the id that becomes current: the next axis, else the previous one,
// else -1.
std::int32_t DeleteAxis(TGraphSettings& settings, std::int32_t axisId);

}  // namespace graph
