// A canvas that draws nothing and records every drawing call with the pen, brush, font and clip
// in effect, so tests can assert exact coordinates. Its font metrics are fixed functions of the
// size: a character cell is FontHeight(tenths) high and CharWidth(tenths) wide at every angle.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graph/canvas.h"

namespace graph {

enum class TOpKind : std::uint8_t {
  Line,  // a MoveTo/LineTo segment; points = {from, to}
  Polyline,
  Polygon,
  Rectangle,
  Ellipse,
  FillRect,
  Text,
};

struct TCanvasOp {
  TOpKind kind = TOpKind::Line;
  std::vector<TPoint> points;
  TRect rect;
  bool fill = false;
  TColor color = 0;  // FillRect's colour
  std::u16string text;
  TPenSpec pen;
  std::optional<TColor> brush;
  TFontSpec font;
  THAlign hAlign = THAlign::Left;
  TVAlign vAlign = TVAlign::Top;
  bool transparent = false;
  std::optional<TRect> clip;  // none: unclipped
};

class TRecordingCanvas final : public TCanvas {
 public:
  explicit TRecordingCanvas(bool printer = false) : printer_(printer) {}

  static std::int32_t FontHeight(std::int32_t tenths) { return (tenths * 96 + 360) / 720; }
  static std::int32_t CharWidth(std::int32_t tenths) { return (FontHeight(tenths) + 1) / 2; }

  bool IsPrinter() const override { return printer_; }
  void SaveState() override { saved_.push_back(state_); }
  void RestoreState() override;
  void SetPen(const TPenSpec& pen) override { state_.pen = pen; }
  void SetBrush(TColor color) override { state_.brush = color; }
  void SetFont(const TFontSpec& font) override { state_.font = font; }
  void SetTextAlign(THAlign horizontal, TVAlign vertical) override {
    state_.hAlign = horizontal;
    state_.vAlign = vertical;
  }
  void SetTransparentBackground(bool transparent) override { state_.transparent = transparent; }
  void MoveTo(std::int32_t x, std::int32_t y) override { position_ = {x, y}; }
  void LineTo(std::int32_t x, std::int32_t y) override;
  void Polyline(const TPoint* points, std::uint32_t count) override;
  // Recorded as one Polyline per line.
  void PolyPolyline(const TPoint* points, const std::uint32_t* counts,
                    std::uint32_t lines) override;
  void Polygon(const TPoint* points, std::uint32_t count, bool fill) override;
  void Rectangle(const TRect& rect, bool fill) override;
  void Ellipse(const TRect& rect, bool fill) override;
  void FillRect(const TRect& rect, TColor color) override;
  void PutText(std::int32_t x, std::int32_t y, const char16_t* text, std::uint32_t length) override;
  TSize TextExtent(const char16_t* text, std::uint32_t length) override;
  void IntersectClip(const TRect& rect) override;
  void SelectClip(const TRect& rect) override { state_.clip = rect; }
  void ResetClip() override { state_.clip.reset(); }

  const std::vector<TCanvasOp>& Ops() const { return ops_; }
  void Clear() { ops_.clear(); }
  std::size_t SavedDepth() const { return saved_.size(); }
  const TPenSpec& CurrentPen() const { return state_.pen; }
  const TFontSpec& CurrentFont() const { return state_.font; }
  const std::optional<TRect>& CurrentClip() const { return state_.clip; }

 private:
  struct State {
    TPenSpec pen;
    std::optional<TColor> brush;
    TFontSpec font = TFontSpec::Make(u"System", 100, 0, 0);
    THAlign hAlign = THAlign::Left;
    TVAlign vAlign = TVAlign::Top;
    bool transparent = false;
    std::optional<TRect> clip;
  };
  TCanvasOp& Record(TOpKind kind);

  bool printer_;
  State state_;
  std::vector<State> saved_;
  TPoint position_;
  std::vector<TCanvasOp> ops_;
};

}  // namespace graph
