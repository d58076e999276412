// The graph of one document window: its working copy of the settings, the axes built from them,
// the plots built from the document's waves, and the drawing of all of it. The window that shows
// it, the legend window and the settings sheet sit on top of this class.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "graph/axis.h"
#include "graph/graph_layout.h"
#include "graph/graph_settings.h"
#include "graph/plot.h"
#include "text/tstring.h"

namespace graph {

using TPlotMap = std::map<TString, std::unique_ptr<TPlot>>;

// What the window layer does around the graph's work.
class TGraphObserver {
 public:
  virtual ~TGraphObserver() = default;
  // After a rebuild: repaint, refresh the legend, tell the view (w = 1: the user's change).
  virtual void GraphRebuilt(std::int32_t w) = 0;
  // After all axes were set to automatic scaling: clear the selection, repaint, refresh.
  virtual void GraphRescaled() = 0;
};

class TGraph {
 public:
  static constexpr TRect kWholeClip{0, 0, 1000000, 1000000};

  TGraph();
  ~TGraph();
  TGraph(const TGraph&) = delete;
  TGraph& operator=(const TGraph&) = delete;

  void SetObserver(TGraphObserver* observer) { observer_ = observer; }

  // The language of everything the graph draws and reads out (0 French, 1 English, 2 German,
  // 3 Spanish, 4 Dutch), handed in by whoever shows the graph; English until then.
  void SetLanguage(int language);
  int Language() const { return language_; }

  // Copies the document's settings and rebuilds, unless they are equal to the graph's own.
  void LoadSettings(const TGraphSettings& settings);
  // Each plot takes its record's look, the axes are rebuilt and the plots bound again.
  void Rebuild(std::int32_t w = 0);
  void RebuildAxes();
  // Adds the wave's record when the settings have none of its name, then replaces the lists of
  // the plot of that name or builds and binds a new plot. Returns the plot.
  TPlot* AddOrUpdateWave(const TPlotSettings& record, std::vector<double> x, std::vector<double> y);
  void Bind(TPlot& plot);
  void DeleteAllPlots();

  void SetTimeLimits(double start, double stop);
  void SetTimeAxesAutomatic();
  bool IsTimeAxisManual() const;
  bool AreAllAxesAutomatic() const;
  void SetAllAxesAutomatic();

  // Draws into the rectangle (which starts at 0, 0). Without `reduce` the plots draw every
  // point (see TPlot::Draw). The selection rectangle and the point marker are not part of the
  // drawing: the window that shows the graph puts them on the screen.
  void Draw(TCanvas& dc, const TRect& rect, bool reduce = true);
  // Only the readout strip at the bottom of the rectangle, with the current readout text.
  void DrawReadout(TCanvas& dc, const TRect& rect);

  TGraphSettings& Settings() { return settings_; }
  const TGraphSettings& Settings() const { return settings_; }
  const TAxisMap& LeftAxes() const { return left_; }
  const TAxisMap& TopAxes() const { return top_; }
  const TAxisMap& RightAxes() const { return right_; }
  const TAxisMap& BottomAxes() const { return bottom_; }
  const TPlotMap& Plots() const { return plots_; }
  TPlot* FindPlot(const TString& name) const;
  const TRect& PlotAreaRect() const { return plotArea_; }
  // The slots of the last drawing, vertical axes first.
  const std::vector<TAxisSlot>& Slots() const { return slots_; }

  TString Name;
  TString Readout = u"...";

 private:
  void DestroyAxes();
  void DrawCutBands(TCanvas& dc, bool printing);
  template <typename F>
  void ForEachAxis(F f) const;

  TGraphSettings settings_;
  TAxisMap left_, top_, right_, bottom_;
  TPlotMap plots_;
  TRect plotArea_;
  std::vector<TAxisSlot> slots_;
  TGraphObserver* observer_ = nullptr;
  int language_ = 1;
};

}  // namespace graph
