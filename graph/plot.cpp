#include "graph/plot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "graph/axis.h"
#include "graph/plot_run.h"
#include "text/assert_report.h"

namespace graph {

TPlot::TPlot(const TPlotSettings& settings) : TPlotSettings(settings) { SetMinMax(); }

TPlot::TPlot(const TPlotSettings& settings, std::vector<double> x, std::vector<double> y)
    : TPlotSettings(settings), x_(std::move(x)), y_(std::move(y)) {
  SetMinMax();
}

TPlot::~TPlot() { Unbind(); }

void TPlot::Unbind() {
  if (xAxis_) xAxis_->RemovePlot(this);
  if (yAxis_) yAxis_->RemovePlot(this);
  xAxis_ = yAxis_ = nullptr;
}

void TPlot::SetValues(std::vector<double> x, std::vector<double> y) {
  x_ = std::move(x);
  y_ = std::move(y);
  rawCount_ = 0;
  allRaw_ = false;
  SetMinMax();
}

void TPlot::SetEnvelope(TEnvelope envelope, std::uint64_t rawCount) {
  x_ = std::move(envelope.x);
  y_ = std::move(envelope.y);
  rawCount_ = std::max<std::uint64_t>(rawCount, 1);
  allRaw_ = envelope.allRaw;
  SetMinMax();
  xLower_ = envelope.xLower;
  xUpper_ = envelope.xUpper;
  yLower_ = envelope.yLower;
  yUpper_ = envelope.yUpper;
}

void TPlot::WidenValueBounds(const TValueBounds& bounds) {
  yLower_ = std::min(yLower_, bounds.lower);
  yUpper_ = std::max(yUpper_, bounds.upper);
}

void TPlot::SetMinMax() {
  AssertReport(u"Wrong vector size in TPlot::SetMinMax()", "Plot", x_.size() == y_.size());
  auto bounds = [](const std::vector<double>& values, double& lower, double& upper) {
    lower = TAxisSettings::kHighest;
    upper = TAxisSettings::kLowest;
    for (double v : values) {
      if (!std::isfinite(v)) continue;
      lower = std::min(lower, v);
      upper = std::max(upper, v);
    }
  };
  bounds(x_, xLower_, xUpper_);
  bounds(y_, yLower_, yUpper_);
}

void TPlot::Draw(TCanvas& dc, bool reduce) {
  if (x_.empty() || x_.size() != y_.size() || !xAxis_ || !yAxis_) return;
  if (xAxis_->IsHidden() || yAxis_->IsHidden()) return;
  TRunFrame frame;
  frame.left = xAxis_->X0();
  frame.right = xAxis_->X1();
  frame.top = yAxis_->Y1();
  frame.bottom = yAxis_->Y0();
  frame.zero = yAxis_->ValueToY(0);
  frame.startX = xAxis_->ValueToX(x_.front());
  frame.plotCount = static_cast<std::uint32_t>(
      std::min<std::uint64_t>(std::max<std::uint64_t>(x_.size(), rawCount_), INT32_MAX));
  // Every point converted into one buffer; a point without a finite value ends a run.
  const std::size_t n = x_.size();
  run_.resize(n);
  const TAxis::TPixelMap toX = xAxis_->XMap(), toY = yAxis_->YMap();
  const double* xs = x_.data();
  const double* ys = y_.data();
  TPoint* converted = run_.data();
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double x = xs[i], y = ys[i];
    if (!std::isfinite(x) || !std::isfinite(y)) {
      // The steps of the last value before a gap end where the gap begins.
      frame.stepEnd = std::isfinite(x) ? toX(x) : TRunFrame::kToFrameRight;
      DrawRun(dc, frame, converted + runStart, i - runStart, reduce);
      runStart = i + 1;
      continue;
    }
    converted[i] = {toX(x), toY(y)};
  }
  frame.stepEnd = TRunFrame::kToFrameRight;
  DrawRun(dc, frame, converted + runStart, n - runStart, reduce);
}

bool TPlot::LiesWithin(const TRect& sight) const {
  // The conversion of an axis runs one way over all values (every step rounds monotonically),
  // so the pixels of the plot's lowest and highest values bound the pixels of all its points.
  if (!(xLower_ <= xUpper_ && yLower_ <= yUpper_)) return false;  // no finite point
  const auto [left, right] = std::minmax(xAxis_->ValueToX(xLower_), xAxis_->ValueToX(xUpper_));
  const auto [top, bottom] = std::minmax(yAxis_->ValueToY(yLower_), yAxis_->ValueToY(yUpper_));
  return left >= sight.left && right <= sight.right && top >= sight.top && bottom <= sight.bottom;
}

void TPlot::DrawRun(TCanvas& dc, const TRunFrame& frame, const TPoint* run, std::size_t length,
                    bool reduce) {
  if (length == 0) return;
  const auto runCount = static_cast<std::uint32_t>(length);
  const TPoint* points = run;
  std::uint32_t count = runCount;
  if (reduce && LineType != kNoLine && runCount > 4) {
    if (LineType == kLines) {
      // Zoomed in, most points lie beyond the plot's clip (the frame grown by kClipMargin): a
      // stretch of them drawn as one hidden segment leaves the same pixels.
      const std::int32_t reach = kClipMargin + std::abs(LineWidth) + 2;
      const TRect sight{frame.left - reach, frame.top - reach, frame.right + reach,
                        frame.bottom + reach};
      if (!LiesWithin(sight)) {
        DropHiddenStretches(points, count, sight, visible_);
        points = visible_.data();
        count = static_cast<std::uint32_t>(visible_.size());
      }
    }
    ReduceColumns(points, count, reduced_);
    points = reduced_.data();
    count = static_cast<std::uint32_t>(reduced_.size());
  }
  // Bars of extremes are as wide as the bars of the raw values they stand for.
  const auto barCount = static_cast<std::uint32_t>(
      std::min<std::uint64_t>(std::max<std::uint64_t>(runCount, rawCount_), INT32_MAX));
  DrawRunLines(dc, *this, frame, points, count, barCount);
  // Markers stand where raw values are; extremes are not all of them.
  if (IsExtremes()) return;
  // The lines of a later run may cover earlier markers, so pixels are remembered per run only.
  // Markers reach a few pixels past the frame; the filter covers that band generously, and
  // markers that cannot reach into the clip are not drawn.
  markerFilter_.Reset(frame.top - 64, frame.bottom + 64);
  const std::int32_t reach = kClipMargin + std::abs(MarkerSize) + 2;
  markerFilter_.SetSight(
      {frame.left - reach, frame.top - reach, frame.right + reach, frame.bottom + reach});
  DrawRunMarkers(dc, *this, run, runCount, reduce ? &markerFilter_ : nullptr, &markerBatch_);
}

}  // namespace graph
