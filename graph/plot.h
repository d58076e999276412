// One wave drawn against one horizontal and one vertical axis. Non-finite values are gaps: they
// are not drawn and split the line into runs.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "graph/canvas.h"
#include "graph/column_reduce.h"
#include "graph/envelope_points.h"
#include "graph/plot_run.h"
#include "graph/plot_settings.h"

namespace graph {

class TAxis;

class TPlot : public TPlotSettings {
 public:
  explicit TPlot(const TPlotSettings& settings);
  TPlot(const TPlotSettings& settings, std::vector<double> x, std::vector<double> y);
  ~TPlot() override;
  TPlot(const TPlot&) = delete;
  TPlot& operator=(const TPlot&) = delete;

  // Replaces both lists and recomputes the bounds; the plot shows raw values again.
  void SetValues(std::vector<double> x, std::vector<double> y);
  void SetMinMax();

  // Replaces both lists by the points of a longer wave (graph/envelope_points.h) of at least
  // `rawCount` raw values, with the envelope's bounds: every raw value of the wave lies within
  // them, including those beyond the points. Its bars are as narrow as the raw values' would be,
  // and it draws markers only when its points are all raw values (envelope.allRaw).
  void SetEnvelope(TEnvelope envelope, std::uint64_t rawCount);
  bool IsEnvelope() const { return rawCount_ != 0; }
  // Widens the value bounds to take in values the plot does not hold yet (those of the whole
  // period of a cut wave), so that its axis takes its final range before they come.
  void WidenValueBounds(const TValueBounds& bounds);
  // An envelope of extremes, whose points are not all raw values.
  bool IsExtremes() const { return IsEnvelope() && !allRaw_; }

  // The wave's server holds values of the period after `time` that the plot does not have: the
  // graph marks the time axis from there on. NaN (the default) when the wave is complete.
  void SetCutAfter(double time) { cutAfter_ = time; }
  double CutAfter() const { return cutAfter_; }

  // The graph clips a plot to its frame (the axes' lines) grown by this many pixels.
  static constexpr std::int32_t kClipMargin = 4;

  // Draws every run. Without `reduce`, each point of a dense run is drawn as it comes; the
  // pixels inside the graph's clip of the plot are the same, only slower (kept to prove
  // exactly that): the reduced drawing leaves out what cannot reach into that clip.
  void Draw(TCanvas& dc, bool reduce = true);

  const std::vector<double>& X() const { return x_; }
  const std::vector<double>& Y() const { return y_; }
  double XLower() const { return xLower_; }
  double XUpper() const { return xUpper_; }
  double YLower() const { return yLower_; }
  double YUpper() const { return yUpper_; }
  TAxis* XAxis() const { return xAxis_; }
  TAxis* YAxis() const { return yAxis_; }
  // Only the graph binds; it also calls AddPlot and RemovePlot on the axes.
  void SetAxes(TAxis* xAxis, TAxis* yAxis) {
    xAxis_ = xAxis;
    yAxis_ = yAxis;
  }
  // Detaches the plot from both axes.
  void Unbind();

 private:
  // Whether every point of the plot lies within `sight` (pixels, edges included).
  bool LiesWithin(const TRect& sight) const;
  void DrawRun(TCanvas& dc, const struct TRunFrame& frame, const TPoint* run, std::size_t length,
               bool reduce);

  std::vector<double> x_;
  std::vector<double> y_;
  TAxis* xAxis_ = nullptr;
  TAxis* yAxis_ = nullptr;
  double xLower_, xUpper_, yLower_, yUpper_;
  std::uint64_t rawCount_ = 0;  // not 0: the points stand for this many raw values
  bool allRaw_ = false;         // and are all raw values
  double cutAfter_ = std::numeric_limits<double>::quiet_NaN();
  // Kept between draws so that drawing allocates nothing once the buffers have grown.
  std::vector<TPoint> run_;
  std::vector<TPoint> visible_;
  std::vector<TPoint> reduced_;
  TMarkerFilter markerFilter_;
  TMarkerBatch markerBatch_;
};

}  // namespace graph
