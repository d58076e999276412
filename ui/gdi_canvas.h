// The graph's canvas over any Windows device context: screen, memory bitmap or printer. GDI
// pens, brushes and fonts are created on first use and kept for the canvas's lifetime, so a
// canvas kept with its memory DC creates each tool once. The objects the DC held when the canvas
// was made are selected back before the canvas's own objects are deleted.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "graph/canvas.h"
#include "ui/gdi_select.h"
#include "win/handle.h"

namespace ui {

class MemoryBitmap;

class GdiCanvas final : public graph::TCanvas {
 public:
  // How lines of a geometric pen one pixel wide are drawn on a surface of screen pixels (see
  // gdi_canvas_thin_pen.cpp): by GDI's geometric pen itself, or as the thin cosmetic pen's
  // pixels with the few pixels in which the two differ, which is several times faster. Checked
  // takes the second wherever the GDI underneath has been found to draw exactly those pixels.
  enum class ThinPens { Checked, Geometric, Cosmetic };

  // A printer is recognised from the DC's technology.
  explicit GdiCanvas(HDC dc);
  GdiCanvas(HDC dc, bool printer, ThinPens thin_pens = ThinPens::Checked);
  // On a memory bitmap, whose pixels the canvas may also write itself where that sets GDI's.
  explicit GdiCanvas(MemoryBitmap& target, ThinPens thin_pens = ThinPens::Checked);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  bool IsPrinter() const override { return printer_; }
  void SaveState() override;
  void RestoreState() override;
  void SetPen(const graph::TPenSpec& pen) override;
  void SetBrush(graph::TColor color) override;
  void SetFont(const graph::TFontSpec& font) override;
  void SetTextAlign(graph::THAlign horizontal, graph::TVAlign vertical) override;
  void SetTransparentBackground(bool transparent) override;
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void Polyline(const graph::TPoint* points, std::uint32_t count) override;
  void PolyPolyline(const graph::TPoint* points, const std::uint32_t* counts,
                    std::uint32_t lines) override;
  void Polygon(const graph::TPoint* points, std::uint32_t count, bool fill) override;
  void Rectangle(const TRect& rect, bool fill) override;
  void Ellipse(const TRect& rect, bool fill) override;
  void FillRect(const TRect& rect, graph::TColor color) override;
  void PutText(std::int32_t x, std::int32_t y, const char16_t* text, std::uint32_t length) override;
  graph::TSize TextExtent(const char16_t* text, std::uint32_t length) override;
  void IntersectClip(const TRect& rect) override;
  void SelectClip(const TRect& rect) override;
  void ResetClip() override;
  bool CapturesPixels() const override;
  bool CapturePixels(const TRect& area, const std::function<void(graph::TCanvas&)>& draw,
                     std::vector<std::uint64_t>& columns) override;

  HDC Dc() const { return dc_; }
  // Whether GDI's one-pixel geometric pen of this style sets the same pixels as the cosmetic way
  // of drawing it: found once per process by drawing probes both ways.
  static bool ThinPenAgreesWithGdi(graph::TPenStyle style);
  // Longest polyline handed to GDI in one call with a solid geometric pen (see Polyline).
  static constexpr std::uint32_t kPolylineChunk = 64;
  // How many GDI objects the canvas has created so far.
  std::size_t CreatedObjects() const { return pens_.size() + brushes_.size() + fonts_.size(); }

 private:
  template <typename Spec>
  struct Entry {
    Spec spec;
    win::UniqueGdiObject object;
  };
  HGDIOBJ PenFor(const graph::TPenSpec& spec);
  // What the selected pen is, when it is one of this canvas's. A copy: creating a pen may move
  // the cache.
  std::optional<graph::TPenSpec> SelectedPen() const;
  // Whether lines of this geometric pen are drawn the cosmetic way here and now.
  bool DrawsThin(const graph::TPenSpec& pen) const;
  // LineTo and Polyline of a pen for which DrawsThin holds; false where GDI must draw it. The
  // pen by value: the thin twin it selects may be created and move the cache.
  bool ThinLineTo(graph::TPenSpec pen, POINT to);
  bool ThinPolyline(graph::TPenSpec pen, const POINT* points, std::uint32_t count);
  void ThinEndPixel(POINT at);
  // Whether every line has two points, one above the other.
  static bool AllVertical(const POINT* points, const std::uint32_t* counts, std::uint32_t lines);
  HGDIOBJ BrushFor(graph::TColor color);
  HGDIOBJ FontFor(const graph::TFontSpec& spec);

  HDC dc_;
  bool printer_;
  bool raster_display_;  // pixels of the screen's kind: a display or a memory DC
  ThinPens thin_pens_;
  MemoryBitmap* target_ = nullptr;  // the bitmap the DC draws into, when known
  int pixels_per_inch_y_;
  std::vector<Entry<graph::TPenSpec>> pens_;
  std::vector<Entry<graph::TColor>> brushes_;
  std::vector<Entry<graph::TFontSpec>> fonts_;
  std::vector<POINT> dash_points_;  // the dashes of a thin dashed line, kept between lines
  std::vector<DWORD> dash_counts_;
  // Declared after the caches: the DC's own objects are back before the caches are deleted.
  SelectGuard original_pen_;
  SelectGuard original_brush_;
  SelectGuard original_font_;
  int saved_depth_ = 0;
};

}  // namespace ui
