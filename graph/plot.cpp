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
  SetMinMax();
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
  frame.plotCount = static_cast<std::uint32_t>(x_.size());
  run_.clear();
  run_.reserve(x_.size());
  for (std::size_t i = 0; i < x_.size(); ++i) {
    double x = x_[i], y = y_[i];
    if (!std::isfinite(x) || !std::isfinite(y)) {
      DrawRun(dc, frame, reduce);
      run_.clear();
      continue;
    }
    run_.push_back({xAxis_->ValueToX(x), yAxis_->ValueToY(y)});
  }
  DrawRun(dc, frame, reduce);
}

void TPlot::DrawRun(TCanvas& dc, const TRunFrame& frame, bool reduce) {
  if (run_.empty()) return;
  const auto runCount = static_cast<std::uint32_t>(run_.size());
  const TPoint* points = run_.data();
  std::uint32_t count = runCount;
  if (reduce && LineType != kNoLine && runCount > 4) {
    if (LineType == kLines) {
      // Zoomed in, most points lie beyond the plot's clip (the frame grown by kClipMargin): a
      // stretch of them drawn as one hidden segment leaves the same pixels.
      const std::int32_t reach = kClipMargin + std::abs(LineWidth) + 2;
      DropHiddenStretches(points, count,
                          {frame.left - reach, frame.top - reach, frame.right + reach,
                           frame.bottom + reach},
                          visible_);
      points = visible_.data();
      count = static_cast<std::uint32_t>(visible_.size());
    }
    ReduceColumns(points, count, reduced_);
    points = reduced_.data();
    count = static_cast<std::uint32_t>(reduced_.size());
  }
  DrawRunLines(dc, *this, frame, points, count, runCount);
  // The lines of a later run may cover earlier markers, so pixels are remembered per run only.
  // Markers reach a few pixels past the frame; the filter covers that band generously, and
  // markers that cannot reach into the clip are not drawn.
  markerFilter_.Reset(frame.top - 64, frame.bottom + 64);
  const std::int32_t reach = kClipMargin + std::abs(MarkerSize) + 2;
  markerFilter_.SetSight({frame.left - reach, frame.top - reach, frame.right + reach,
                          frame.bottom + reach});
  DrawRunMarkers(dc, *this, run_.data(), runCount, reduce ? &markerFilter_ : nullptr,
                 &markerBatch_);
}

}  // namespace graph
