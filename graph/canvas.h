// The one surface the graph draws on. Coordinates are device pixels; rectangles exclude their
// right and bottom edges, and a line from A to B sets every pixel of the segment except B, as
// Windows GDI does. Pens, brushes and fonts are described by value; an implementation realises
// them as it likes (the GDI canvas keeps a small cache of GDI objects).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/rect.h"

namespace graph {

using TColor = std::uint32_t;  // COLORREF layout: red in the low byte, then green, then blue

constexpr TColor Rgb(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

struct TPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TSize {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  bool operator==(const TSize&) const = default;
};

enum class TPenStyle : std::uint8_t { Solid, Dashed };

struct TPenSpec {
  TPenStyle style = TPenStyle::Solid;
  bool cosmetic = false;  // cosmetic pens are one pixel wide whatever the width says
  std::int32_t width = 1;
  TColor color = 0;
  bool operator==(const TPenSpec&) const = default;
};

struct TFontSpec {
  // Face names are cut so that they always fit a Windows face buffer with its terminator.
  static constexpr int kFaceUnits = 32;
  static constexpr int kMinTenths = 40;     // 4 points
  static constexpr int kMaxTenths = 10240;  // 1024 points

  char16_t face[kFaceUnits] = {};
  std::int32_t tenths = 80;  // size in tenths of a point, within kMinTenths..kMaxTenths
  std::int32_t angle = 0;    // escapement and orientation in tenths of a degree, anticlockwise
  TColor color = 0;          // text colour

  // Copies at most kFaceUnits - 1 units of the face and clamps the size.
  static TFontSpec Make(const char16_t* faceName, int sizeTenths, int angleTenths,
                        TColor textColor);
  bool operator==(const TFontSpec& other) const;
};

enum class THAlign : std::uint8_t { Left, Center, Right };
enum class TVAlign : std::uint8_t { Top, Baseline, Bottom };

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  // True when the target is a printer: the graph then uses the print colours.
  virtual bool IsPrinter() const = 0;

  // Saves pen, brush, font, text alignment, background mode and clip region; RestoreState brings
  // back the last saved set. Calls nest.
  virtual void SaveState() = 0;
  virtual void RestoreState() = 0;

  virtual void SetPen(const TPenSpec& pen) = 0;
  virtual void SetBrush(TColor color) = 0;  // a solid brush
  virtual void SetFont(const TFontSpec& font) = 0;
  virtual void SetTextAlign(THAlign horizontal, TVAlign vertical) = 0;
  virtual void SetTransparentBackground(bool transparent) = 0;

  virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
  virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
  virtual void Polyline(const TPoint* points, std::uint32_t count) = 0;
  // Separate polylines in one call: `counts[i]` points each (at least 2), one after the other in
  // `points`. Leaves the pixels of one Polyline call per line.
  virtual void PolyPolyline(const TPoint* points, const std::uint32_t* counts,
                            std::uint32_t lines) = 0;
  // Outlined with the pen; the inside is filled with the brush when `fill` is set.
  virtual void Polygon(const TPoint* points, std::uint32_t count, bool fill) = 0;
  virtual void Rectangle(const TRect& rect, bool fill) = 0;
  virtual void Ellipse(const TRect& rect, bool fill) = 0;
  // Fills without an outline and without touching the selected brush.
  virtual void FillRect(const TRect& rect, TColor color) = 0;

  virtual void PutText(std::int32_t x, std::int32_t y, const char16_t* text,
                       std::uint32_t length) = 0;
  // Width and height of the text in the current font, unrotated.
  virtual TSize TextExtent(const char16_t* text, std::uint32_t length) = 0;

  virtual void IntersectClip(const TRect& rect) = 0;
  virtual void SelectClip(const TRect& rect) = 0;  // replaces the clip region
  virtual void ResetClip() = 0;                    // no clipping but the surface's own

  // Whether this canvas can tell which pixels a drawing sets (a surface of screen pixels), so
  // that many copies of one small drawing may be put on it as the runs of their union. Not where
  // the device draws shapes its own way (a printer, a metafile) or the coordinates are scaled.
  virtual bool CapturesPixels() const { return false; }
  // Runs `draw` on a clean surface of this canvas's kind whose pixels cover `area` and gives
  // the pixels it set: bit r of columns[i] is (area.left + i, area.top + r). At most 64 rows.
  // False (columns untouched) when the canvas cannot tell.
  virtual bool CapturePixels(const TRect& area, const std::function<void(TCanvas&)>& draw,
                             std::vector<std::uint64_t>& columns) {
    (void)area, (void)draw, (void)columns;
    return false;
  }
};

// Saves the canvas state for the lifetime of the guard.
class TCanvasStateGuard {
 public:
  explicit TCanvasStateGuard(TCanvas& canvas) : canvas_(canvas) { canvas_.SaveState(); }
  ~TCanvasStateGuard() { canvas_.RestoreState(); }
  TCanvasStateGuard(const TCanvasStateGuard&) = delete;
  TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

 private:
  TCanvas& canvas_;
};

std::uint32_t TextLength(const char16_t* text);

}  // namespace graph
