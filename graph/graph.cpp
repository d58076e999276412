#include "graph/graph.h"

#include <algorithm>
#include <cmath>

#include "graph/cut_band.h"
#include "strings/resource_text.h"
#include "strings/string_ids.h"

namespace graph {

TGraph::TGraph() { RebuildAxes(); }

TGraph::~TGraph() {
  plots_.clear();  // plots detach from the axes, so they go first
  DestroyAxes();
}

template <typename F>
void TGraph::ForEachAxis(F f) const {
  for (const TAxisMap* map : {&left_, &top_, &right_, &bottom_}) {
    for (const auto& [id, axis] : *map) f(*axis);
  }
}

void TGraph::LoadSettings(const TGraphSettings& settings) {
  if (settings == settings_) return;
  settings_ = settings;
  Rebuild();
}

void TGraph::Rebuild(std::int32_t w) {
  for (auto& [name, plot] : plots_) {
    auto record = settings_.Plots.find(name);
    if (record != settings_.Plots.end()) static_cast<TPlotSettings&>(*plot) = record->second;
  }
  RebuildAxes();
  for (auto& [name, plot] : plots_) Bind(*plot);
  if (observer_) observer_->GraphRebuilt(w);
}

void TGraph::DestroyAxes() {
  for (auto& [name, plot] : plots_) plot->Unbind();
  left_.clear();
  top_.clear();
  right_.clear();
  bottom_.clear();
}

void TGraph::SetLanguage(int language) {
  language_ = language;
  ForEachAxis([language](TAxis& axis) { axis.SetLanguage(language); });
}

void TGraph::RebuildAxes() {
  DestroyAxes();
  for (auto& [id, record] : settings_.Axes) {
    switch (record.Location) {
      case kTop:
        top_.emplace(id, std::make_unique<TTopAxis>(settings_.Axes, id));
        break;
      case kRight:
        right_.emplace(id, std::make_unique<TRightAxis>(settings_.Axes, id));
        break;
      case kBottom:
        bottom_.emplace(id, std::make_unique<TBottomAxis>(settings_.Axes, id));
        break;
      default:
        left_.emplace(id, std::make_unique<TLeftAxis>(settings_.Axes, id));
        break;
    }
  }
  SetLanguage(language_);
}

TPlot* TGraph::FindPlot(const TString& name) const {
  auto it = plots_.find(name);
  return it == plots_.end() ? nullptr : it->second.get();
}

TPlot* TGraph::AddOrUpdateWave(const TPlotSettings& record, std::vector<double> x,
                               std::vector<double> y) {
  auto entry = settings_.Plots.try_emplace(record.Name, record).first;
  if (TPlot* existing = FindPlot(record.Name)) {
    existing->SetValues(std::move(x), std::move(y));
    return existing;
  }
  TPlotSettings& settings = entry->second;
  auto smallest = [](const TAxisMap& axes) { return axes.empty() ? -1 : axes.begin()->first; };
  if (settings.YAxisId < 0) settings.YAxisId = smallest(left_);
  if (settings.XAxisId < 0) settings.XAxisId = smallest(bottom_);
  if (settings.YAxisId < 0 || settings.XAxisId < 0) {
    if (settings.YAxisId < 0) settings.YAxisId = smallest(right_);
    if (settings.XAxisId < 0) settings.XAxisId = smallest(top_);
  }
  auto plot = std::make_unique<TPlot>(settings, std::move(x), std::move(y));
  TPlot* result = plot.get();
  plots_.emplace(record.Name, std::move(plot));
  Bind(*result);
  return result;
}

void TGraph::Bind(TPlot& plot) {
  plot.Unbind();
  auto find = [](const TAxisMap& axes, std::int32_t id) -> TAxis* {
    auto it = axes.find(id);
    return it == axes.end() ? nullptr : it->second.get();
  };
  TAxis* y = find(left_, plot.YAxisId);
  if (!y) y = find(right_, plot.YAxisId);
  TAxis* x = find(bottom_, plot.XAxisId);
  if (!x) x = find(top_, plot.XAxisId);
  plot.SetAxes(x, y);
  if (x) x->AddPlot(&plot);
  if (y) y->AddPlot(&plot);
  std::int32_t xLocation = x ? x->GetLocation() : -1;
  std::int32_t yLocation = y ? y->GetLocation() : -1;
  auto record = settings_.Plots.find(plot.Name);
  if (record != settings_.Plots.end()) {
    record->second.XLocation = xLocation;
    record->second.YLocation = yLocation;
  }
  plot.XLocation = xLocation;
  plot.YLocation = yLocation;
}

void TGraph::DeleteAllPlots() { plots_.clear(); }

void TGraph::SetTimeLimits(double start, double stop) {
  for (const TAxisMap* map : {&bottom_, &top_}) {
    for (const auto& [id, axis] : *map) axis->SetLimits(start, stop);
  }
}

void TGraph::SetTimeAxesAutomatic() {
  for (const TAxisMap* map : {&bottom_, &top_}) {
    for (const auto& [id, axis] : *map) axis->SetAutoScale();
  }
}

bool TGraph::IsTimeAxisManual() const {
  for (const TAxisMap* map : {&bottom_, &top_}) {
    for (const auto& [id, axis] : *map) {
      if (axis->Settings() && !axis->Settings()->AutoScale) return true;
    }
  }
  return false;
}

bool TGraph::AreAllAxesAutomatic() const {
  for (const auto& [id, record] : settings_.Axes) {
    if (!record.AutoScale) return false;
  }
  return true;
}

void TGraph::SetAllAxesAutomatic() {
  ForEachAxis([](TAxis& axis) { axis.SetAutoScale(); });
  if (observer_) observer_->GraphRescaled();
}

void TGraph::Draw(TCanvas& dc, const TRect& rect, bool reduce) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  TCanvasStateGuard state(dc);
  bool printing = dc.IsPrinter();
  dc.SetTransparentBackground(true);

  if (printing) {
    dc.FillRect(rect, settings_.PrintBackground);
    const TColor black = Rgb(0, 0, 0);
    dc.FillRect({rect.left, rect.top, rect.right, rect.top + 1}, black);
    dc.FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, black);
    dc.FillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, black);
    dc.FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, black);
  } else {
    dc.FillRect(rect, settings_.Background);
  }

  settings_.Margin = TGraphSettings::kDrawnMargin;
  plotArea_ = PlotArea(rect.right - rect.left, rect.bottom - rect.top);

  // Time axes of waves longer than what they hold map whole milliseconds to each pixel column,
  // so that the extremes of a column can be asked of their server.
  for (const TAxisMap* map : {&bottom_, &top_}) {
    for (const auto& [id, axis] : *map) {
      const auto& plots = axis->Plots();
      axis->SetWholeMsColumns(std::any_of(plots.begin(), plots.end(), [](const TPlot* p) {
        return p->IsEnvelope() || !std::isnan(p->CutAfter());
      }));
    }
  }

  slots_.clear();
  LayoutVertical(left_, right_, AnyVisible(top_), plotArea_, slots_);
  LayoutHorizontal(bottom_, top_, AnyVisible(right_), plotArea_, slots_);
  for (const TAxisSlot& slot : slots_) slot.axis->Draw(dc, slot.band, plotArea_, slot.arrow);

  DrawReadout(dc, rect);

  dc.IntersectClip(
      {plotArea_.left - 4, plotArea_.top - 4, plotArea_.right + 4, plotArea_.bottom + 4});
  for (auto& [name, plot] : plots_) {
    TAxis* x = plot->XAxis();
    TAxis* y = plot->YAxis();
    if (plot->Hide || !x || !y) continue;
    const std::int32_t m = TPlot::kClipMargin;
    dc.IntersectClip({x->X0() - m, y->Y1() - m, x->X1() + m, y->Y0() + m});
    plot->Draw(dc, reduce);
    dc.SelectClip(kWholeClip);
  }
  DrawCutBands(dc, printing);
}

void TGraph::DrawCutBands(TCanvas& dc, bool printing) {
  // One band per time axis, from the earliest cut of its shown plots.
  std::map<TAxis*, double> earliest;
  for (auto& [name, plot] : plots_) {
    if (plot->Hide || !plot->XAxis() || !plot->YAxis() || std::isnan(plot->CutAfter())) continue;
    auto [it, added] = earliest.try_emplace(plot->XAxis(), plot->CutAfter());
    if (!added) it->second = std::min(it->second, plot->CutAfter());
  }
  for (const auto& [axis, time] : earliest) {
    if (axis->IsHidden() || !axis->Settings()) continue;
    const TRect frame{axis->X0(), plotArea_.top, axis->X1(), plotArea_.bottom};
    DrawCutBand(dc, frame, axis->ValueToX(time), axis->LabelFont(printing),
                printing ? settings_.PrintBackground : settings_.Background,
                RString(IDS_CUT_BAND_LABEL, language_));
  }
}

void TGraph::DrawReadout(TCanvas& dc, const TRect& rect) {
  TCanvasStateGuard state(dc);
  bool printing = dc.IsPrinter();
  dc.SetTransparentBackground(true);
  TRect strip{rect.left + 2, rect.bottom - 20, rect.right - 2, rect.bottom - 5};
  dc.FillRect(strip, printing ? settings_.PrintBackground : settings_.Background);
  const TAxisMap& source = bottom_.empty() ? top_ : bottom_;
  if (source.empty()) return;
  const TAxis& axis = *source.begin()->second;
  if (!axis.Settings()) return;
  dc.SetFont(axis.LabelFont(printing));
  dc.SetTextAlign(THAlign::Center, TVAlign::Bottom);
  dc.PutText((strip.left + strip.right) / 2, strip.bottom, Readout.Str(), Readout.Length());
}

}  // namespace graph
