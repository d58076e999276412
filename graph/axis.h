// One axis of a graph: its scale, its ticks and labels, and its drawing into its band. The leaves
// differ only in location, symbol, line position and label alignment; the two direction classes
// carry everything that depends on the direction.
#pragma once

#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

#include "graph/axis_settings.h"
#include "graph/canvas.h"
#include "text/tstring.h"

namespace graph {

class TPlot;

using TAxisSettingsMap = std::map<std::int32_t, TAxisSettings>;

// One row of a tick table: the range it covers and its three gaps.
struct TTickRow {
  double threshold;
  double micro;
  double minor;
  double major;
};

class TAxis {
 public:
  static constexpr int kMaxTickSteps = 1000;
  // Pixel coordinates are kept within what GDI accepts.
  static constexpr double kMaxPixel = 134217727.0;

  // Finds the settings record of `id`; without one the axis does nothing.
  TAxis(TAxisSettingsMap& settingsMap, std::int32_t id);
  virtual ~TAxis() = default;
  TAxis(const TAxis&) = delete;
  TAxis& operator=(const TAxis&) = delete;

  virtual void CreateTools();
  virtual void AddPlot(TPlot* plot);
  virtual void RemovePlot(TPlot* plot);
  virtual void UpdateScale();
  virtual void WidenToPlot(const TPlot& plot) = 0;
  virtual void SetLimits(double a, double b);
  virtual void SetAutoScale();
  virtual void ZoomToRect(const TRect& rect) = 0;
  virtual void ShrinkToRect(const TRect& rect) = 0;
  virtual void Pan(std::int32_t pixels) = 0;
  virtual void CursorText(TString& text, double value);
  // The language of the axis's texts (durations in days); English until the graph sets another.
  void SetLanguage(int language) { language_ = language; }
  int Language() const { return language_; }
  virtual void CursorTextAt(TString& text, std::int32_t pixel) = 0;
  virtual const char16_t* Symbol() const = 0;
  virtual bool HitTest(std::int32_t x, std::int32_t y) const;
  virtual std::int32_t ValueToPixel(double value) const = 0;
  // The value-to-pixel conversion of the axis, copied out so that a loop over many points keeps
  // it in registers.
  struct TPixelMap {
    double min;
    double scale;
    double origin;
    bool upwards;  // pixels grow against the values (a vertical axis)
    std::int32_t operator()(double value) const {
      const double steps = std::floor((value - min) * scale + 0.5);
      return ToPixel(upwards ? origin - steps : steps + origin);
    }
  };
  TPixelMap XMap() const { return {min_, scale_, static_cast<double>(x0_), false}; }
  TPixelMap YMap() const { return {min_, scale_, static_cast<double>(y0_), true}; }
  // Inline, not virtual: the plots convert every point of every wave with these.
  std::int32_t ValueToX(double value) const { return XMap()(value); }
  std::int32_t ValueToY(double value) const { return YMap()(value); }
  virtual double PixelToValue(std::int32_t pixel) const = 0;
  virtual double XToValue(std::int32_t x) const;
  virtual double YToValue(std::int32_t y) const;
  virtual void PlaceNumTicks(TCanvas& dc, double range, double major, double minor, double micro,
                             double unit);
  virtual void ComputeNumTicks(TCanvas& dc);
  virtual void PlaceManualNumTicks();
  virtual void PlaceTimeTicks(TCanvas& dc, double range, double major, double minor, double micro);
  virtual void ComputeTimeTicks(TCanvas& dc);
  virtual void PlaceManualTimeTicks();
  virtual void PlaceDurationTicks(TCanvas& dc, double range, double major, double minor,
                                  double micro);
  virtual void ComputeDurationTicks(TCanvas& dc);
  virtual void PlaceManualDurationTicks();
  virtual void FormatValue(TString& text, double gap, double value) const;
  virtual std::int32_t Length() const = 0;
  virtual TSize LabelExtent(TCanvas& dc) const;
  virtual bool LabelsFit(const TSize& extent) const = 0;
  virtual std::int32_t GetLocation() const = 0;
  virtual void Draw(TCanvas& dc, const TRect& band, const TRect& plotArea, bool arrow) = 0;
  virtual void SetPosition(const TRect& band, std::int32_t offset) = 0;
  virtual void SetLabelAlign(TCanvas& dc) const = 0;

  std::int32_t Id() const { return id_; }
  TAxisSettings* Settings() const { return settings_; }
  bool IsHidden() const { return !settings_ || settings_->Hide; }
  double Min() const { return min_; }
  double Max() const { return max_; }
  double Exponent() const { return exponent_; }
  double Scale() const { return scale_; }
  double LowerLimit() const { return lowerLimit_; }
  double UpperLimit() const { return upperLimit_; }
  std::int32_t X0() const { return x0_; }
  std::int32_t Y0() const { return y0_; }
  std::int32_t X1() const { return x1_; }
  std::int32_t Y1() const { return y1_; }
  const TRect& Band() const { return band_; }
  const std::vector<TPlot*>& Plots() const { return plots_; }
  const std::vector<double>& MajorTicks() const { return major_; }
  const std::vector<double>& MinorTicks() const { return minor_; }
  const std::vector<double>& MicroTicks() const { return micro_; }
  std::uint32_t LabelCount() const { return labelCount_; }
  const TString& Label(std::uint32_t i) const { return labels_[i]; }
  const TPenSpec& AxisPen(bool printing) const { return printing ? printPen_ : screenPen_; }
  const TPenSpec& GridPen(bool printing) const { return printing ? printGridPen_ : screenGridPen_; }
  const TFontSpec& LabelFont(bool printing) const { return printing ? printFont_ : screenFont_; }
  const TFontSpec& ExponentFont(bool printing) const {
    return printing ? printPowerFont_ : screenPowerFont_;
  }

  // A horizontal time axis drawn with this set shows a range widened by less than a column so
  // that every pixel column holds the same whole number of milliseconds (SnapToWholeMsColumns):
  // waves read as per-column extremes need it. Ranges under a millisecond a pixel stay as set.
  void SetWholeMsColumns(bool on) { wholeMsColumns_ = on; }
  bool WholeMsColumns() const { return wholeMsColumns_; }

  // Sets the line and the scale directly, as Draw would; for callers that map without drawing.
  void SetLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

  // The three tick tables, finest row first.
  static const std::vector<TTickRow>& NumTable();
  static const std::vector<TTickRow>& DurationTable();
  static const std::vector<TTickRow>& TimeTable();

 protected:
  // Steps 1 to 8 of drawing: band, scale, fill, line, arrow, title, ticks. Returns false when the
  // axis stops early (no line or no plots); the canvas state is then already restored.
  bool BeginDraw(TCanvas& dc, const TRect& band, bool arrow, bool horizontal);
  void DrawGrid(TCanvas& dc, const TRect& plotArea, bool horizontal);
  void ComputeScale();
  // Leaves manual scaling frozen at the current range before a zoom, shrink or pan.
  void FreezeRange();
  void NormaliseSettings();
  void ClearTicks();
  void AddLabel(double gap, double value);
  // Runs the row search over `table` with `place` and writes the chosen gaps back.
  template <typename Place>
  void SelectRow(TCanvas& dc, const std::vector<TTickRow>& table, double range, double unit,
                 const char16_t* sizeMessage, Place place);
  // Steps value, value + gap, ... (at most kMaxTickSteps) while within [lo, hi] (with a
  // tolerance of a billionth of a gap), appending value * unit.
  static void StepTicks(std::vector<double>& ticks, double first, double gap, double lo, double hi,
                        double unit);
  // The calendar snapping of time ticks for a gap.
  static double SnapTime(double value, double gap, bool major);
  // The calendar slot after `tick` for a gap: the next 1 January, 1st of the month, or 1st, 5th,
  // 10th, 15th, 20th or 25th, at local midnight.
  static double NextCalendarSlot(double tick, double gap, bool major);
  void StepTimeTicks(std::vector<double>& ticks, double first, double gap, bool major);
  // Within what GDI accepts; NaN goes to the low end.
  static std::int32_t ToPixel(double value) {
    if (!(value > -kMaxPixel)) return static_cast<std::int32_t>(-kMaxPixel);
    if (!(value < kMaxPixel)) return static_cast<std::int32_t>(kMaxPixel);
    return static_cast<std::int32_t>(value);
  }

  std::int32_t id_;
  int language_ = 1;
  TAxisSettings* settings_ = nullptr;
  TRect band_;
  TPenSpec screenPen_, screenGridPen_, printPen_, printGridPen_;
  TFontSpec screenFont_, screenPowerFont_, printFont_, printPowerFont_;
  double lowerLimit_ = TAxisSettings::kLowest;
  double upperLimit_ = TAxisSettings::kHighest;
  bool wholeMsColumns_ = false;
  double min_ = TAxisSettings::kHighest;
  double max_ = TAxisSettings::kLowest;
  double exponent_ = 0;
  std::int32_t x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 0;
  double scale_ = 1.0;
  std::vector<TString> labels_;  // the first labelCount_ are current; kept to reuse their room
  std::uint32_t labelCount_ = 0;
  std::vector<double> major_, minor_, micro_;
  std::vector<TPlot*> plots_;
};

class TVerticalAxis : public TAxis {
 public:
  using TAxis::TAxis;
  void WidenToPlot(const TPlot& plot) override;
  void ZoomToRect(const TRect& rect) override;
  void ShrinkToRect(const TRect& rect) override;
  void Pan(std::int32_t pixels) override;
  void CursorTextAt(TString& text, std::int32_t pixel) override;
  std::int32_t ValueToPixel(double value) const override { return ValueToY(value); }
  double PixelToValue(std::int32_t pixel) const override { return YToValue(pixel); }
  std::int32_t Length() const override { return y0_ - y1_; }
  bool LabelsFit(const TSize& extent) const override;
  void Draw(TCanvas& dc, const TRect& band, const TRect& plotArea, bool arrow) override;
};

class THorizontalAxis : public TAxis {
 public:
  using TAxis::TAxis;
  void WidenToPlot(const TPlot& plot) override;
  void ZoomToRect(const TRect& rect) override;
  void ShrinkToRect(const TRect& rect) override;
  void Pan(std::int32_t pixels) override;
  void CursorTextAt(TString& text, std::int32_t pixel) override;
  std::int32_t ValueToPixel(double value) const override { return ValueToX(value); }
  double PixelToValue(std::int32_t pixel) const override { return XToValue(pixel); }
  std::int32_t Length() const override { return x1_ - x0_; }
  bool LabelsFit(const TSize& extent) const override;
  void Draw(TCanvas& dc, const TRect& band, const TRect& plotArea, bool arrow) override;
};

class TLeftAxis final : public TVerticalAxis {
 public:
  using TVerticalAxis::TVerticalAxis;
  const char16_t* Symbol() const override { return u"\u25C4"; }
  std::int32_t GetLocation() const override { return kLeft; }
  void SetPosition(const TRect& band, std::int32_t offset) override;
  void SetLabelAlign(TCanvas& dc) const override {
    dc.SetTextAlign(THAlign::Right, TVAlign::Baseline);
  }
};

class TRightAxis final : public TVerticalAxis {
 public:
  using TVerticalAxis::TVerticalAxis;
  const char16_t* Symbol() const override { return u"\u25BA"; }
  std::int32_t GetLocation() const override { return kRight; }
  void SetPosition(const TRect& band, std::int32_t offset) override;
  void SetLabelAlign(TCanvas& dc) const override {
    dc.SetTextAlign(THAlign::Left, TVAlign::Baseline);
  }
};

class TTopAxis final : public THorizontalAxis {
 public:
  using THorizontalAxis::THorizontalAxis;
  const char16_t* Symbol() const override { return u"\u25B2"; }
  std::int32_t GetLocation() const override { return kTop; }
  void SetPosition(const TRect& band, std::int32_t offset) override;
  void SetLabelAlign(TCanvas& dc) const override {
    dc.SetTextAlign(THAlign::Center, TVAlign::Bottom);
  }
};

class TBottomAxis final : public THorizontalAxis {
 public:
  using THorizontalAxis::THorizontalAxis;
  const char16_t* Symbol() const override { return u"\u25BC"; }
  std::int32_t GetLocation() const override { return kBottom; }
  void SetPosition(const TRect& band, std::int32_t offset) override;
  void SetLabelAlign(TCanvas& dc) const override { dc.SetTextAlign(THAlign::Center, TVAlign::Top); }
};

}  // namespace graph
