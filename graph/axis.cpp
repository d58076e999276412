// Axis construction, scale and range, pixel mapping, zoom, pan and the cursor readout.
#include "graph/axis.h"

#include <algorithm>
#include <cmath>

namespace graph {

TAxis::TAxis(TAxisSettingsMap& settingsMap, std::int32_t id) : id_(id) {
  auto it = settingsMap.find(id);
  if (it == settingsMap.end()) return;
  settings_ = &it->second;
  CreateTools();
}

void TAxis::CreateTools() {
  if (!settings_) return;
  const TAxisSettings& s = *settings_;
  screenPen_ = {TPenStyle::Solid, false, std::abs(s.PenSize), s.PenColor};
  printPen_ = {TPenStyle::Solid, false, std::abs(s.PenSize), s.PenPrintColor};
  screenGridPen_ = {TPenStyle::Dashed, false, std::abs(s.GridPenSize), s.GridPenColor};
  printGridPen_ = {TPenStyle::Dashed, false, std::abs(s.GridPenSize), s.GridPenPrintColor};
  screenFont_ = TFontSpec::Make(s.FontName.Str(), s.FontSize * 10, 0, s.FontColor);
  printFont_ = TFontSpec::Make(s.FontName.Str(), s.FontSize * 10, 0, s.FontPrintColor);
  screenPowerFont_ = TFontSpec::Make(s.PowerFontName.Str(), s.PowerFontSize * 10, 0, s.FontColor);
  printPowerFont_ =
      TFontSpec::Make(s.PowerFontName.Str(), s.PowerFontSize * 10, 0, s.FontPrintColor);
}

void TAxis::AddPlot(TPlot* plot) {
  plots_.push_back(plot);
  if (settings_ && settings_->AutoScale && plots_.size() == 1) {
    min_ = TAxisSettings::kHighest;
    max_ = TAxisSettings::kLowest;
  }
}

void TAxis::RemovePlot(TPlot* plot) {
  auto it = std::find(plots_.begin(), plots_.end(), plot);
  if (it != plots_.end()) plots_.erase(it);
}

void TAxis::UpdateScale() {
  if (!settings_) return;
  TAxisSettings& s = *settings_;
  if (!s.AutoScale) {
    exponent_ = s.Exponent;
    min_ = std::min(s.MinValue, s.MaxValue);
    max_ = std::max(s.MinValue, s.MaxValue);
    min_ = std::max(min_, lowerLimit_);
    max_ = std::min(max_, upperLimit_);
  } else if (min_ == TAxisSettings::kLowest || upperLimit_ == TAxisSettings::kHighest) {
    if (plots_.empty()) {
      min_ = TAxisSettings::kHighest;
      max_ = TAxisSettings::kLowest;
    }
    for (TPlot* plot : plots_) WidenToPlot(*plot);
  } else {
    min_ = lowerLimit_;
    max_ = upperLimit_;
  }
  // A range of one value (a wave of one point, a flat wave) would give an infinite scale: it is
  // widened the way every tick computation widens it.
  if (min_ == max_) NormaliseRange(s.Format, min_, max_);
  if (s.AutoScale) {
    s.MinValue = min_;
    s.MaxValue = max_;
  }
}

void TAxis::SetLimits(double a, double b) {
  if (!settings_) return;
  NormaliseRange(settings_->Format, a, b);
  settings_->LowerLimit = std::min(a, b);
  settings_->UpperLimit = std::max(a, b);
  lowerLimit_ = settings_->LowerLimit;
  upperLimit_ = settings_->UpperLimit;
}

void TAxis::SetAutoScale() {
  if (settings_) settings_->AutoScale = true;
}

void TAxis::CursorText(TString& text, double value) {
  if (!settings_) return;
  TString formatted;
  FormatValue(formatted, settings_->MicroTickGap, value);
  text.Append(u"(");
  text.Append(Symbol());
  text.Append(u" ");
  text.Append(formatted);
  text.Append(u")  ");
}

bool TAxis::HitTest(std::int32_t x, std::int32_t y) const {
  return band_.left <= x && x <= band_.right && band_.top <= y && y <= band_.bottom;
}

double TAxis::XToValue(std::int32_t x) const { return (x - x0_) / scale_ + min_; }
double TAxis::YToValue(std::int32_t y) const { return (y0_ - y) / scale_ + min_; }

void TAxis::ComputeScale() {
  scale_ = Length() / (max_ - min_);
  if (scale_ == 0 || !std::isfinite(scale_)) scale_ = 1e-100;
}

void TAxis::SetLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
  x0_ = x0;
  y0_ = y0;
  x1_ = x1;
  y1_ = y1;
  ComputeScale();
}

void TAxis::FreezeRange() {
  if (settings_->AutoScale) {
    settings_->MinValue = min_;
    settings_->MaxValue = max_;
    settings_->AutoScale = false;
  }
}

// Direction-specific operations.

void THorizontalAxis::ZoomToRect(const TRect& rect) {
  if (!settings_) return;
  FreezeRange();
  if (x1_ == x0_) return;  // no line yet: nothing to map the rectangle onto
  double m = settings_->MinValue, span = settings_->MaxValue - m;
  settings_->MinValue = m + span * (rect.left - x0_) / (x1_ - x0_);
  settings_->MaxValue = m + span * (rect.right - x0_) / (x1_ - x0_);
}

void TVerticalAxis::ZoomToRect(const TRect& rect) {
  if (!settings_) return;
  FreezeRange();
  if (y0_ == y1_) return;
  double m = settings_->MinValue, span = settings_->MaxValue - m;
  settings_->MinValue = m - span * (rect.bottom - y0_) / (y0_ - y1_);
  settings_->MaxValue = m - span * (rect.top - y0_) / (y0_ - y1_);
}

void THorizontalAxis::ShrinkToRect(const TRect& rect) {
  if (!settings_) return;
  FreezeRange();
  std::int32_t e = (rect.left + rect.right) / 2;
  if (e == rect.left || e == rect.right) return;  // a rectangle without width: nothing to fit
  double f = XToValue(e), m = settings_->MinValue, big = settings_->MaxValue;
  settings_->MinValue = f - (f - m) * (e - x0_) / (e - rect.left);
  settings_->MaxValue = f + (big - f) * (x1_ - e) / (rect.right - e);
}

void TVerticalAxis::ShrinkToRect(const TRect& rect) {
  if (!settings_) return;
  FreezeRange();
  std::int32_t e = (rect.top + rect.bottom) / 2;
  if (e == rect.top || e == rect.bottom) return;
  double f = YToValue(e), m = settings_->MinValue, big = settings_->MaxValue;
  settings_->MinValue = f - (f - m) * (e - y0_) / (e - rect.bottom);
  settings_->MaxValue = f + (big - f) * (y1_ - e) / (rect.top - e);
}

void THorizontalAxis::Pan(std::int32_t pixels) {
  if (!settings_) return;
  FreezeRange();
  double shift = XToValue(x0_ - pixels) - settings_->MinValue;
  settings_->MinValue += shift;
  settings_->MaxValue += shift;
}

void TVerticalAxis::Pan(std::int32_t pixels) {
  if (!settings_) return;
  FreezeRange();
  double shift = YToValue(y0_ - pixels) - settings_->MinValue;
  settings_->MinValue += shift;
  settings_->MaxValue += shift;
}

void THorizontalAxis::CursorTextAt(TString& text, std::int32_t pixel) {
  if (band_.left <= pixel && pixel <= band_.right) CursorText(text, PixelToValue(pixel));
}

void TVerticalAxis::CursorTextAt(TString& text, std::int32_t pixel) {
  if (band_.top <= pixel && pixel <= band_.bottom) CursorText(text, PixelToValue(pixel));
}

bool TVerticalAxis::LabelsFit(const TSize& extent) const { return extent.cy <= 0.6 * Length(); }
bool THorizontalAxis::LabelsFit(const TSize& extent) const { return extent.cx <= 0.8 * Length(); }

void TBottomAxis::SetPosition(const TRect& band, std::int32_t) {
  x0_ = band.left;
  x1_ = band.right;
  y0_ = y1_ = band.top + 5;
}

void TTopAxis::SetPosition(const TRect& band, std::int32_t) {
  x0_ = band.left;
  x1_ = band.right;
  y0_ = y1_ = band.bottom - 5;
}

void TRightAxis::SetPosition(const TRect& band, std::int32_t offset) {
  x0_ = x1_ = band.left + offset;
  y0_ = band.bottom - 1;
  y1_ = band.top;
}

void TLeftAxis::SetPosition(const TRect& band, std::int32_t) {
  x0_ = x1_ = band.right - 5;
  y0_ = band.bottom - 1;
  y1_ = band.top;
}

}  // namespace graph
