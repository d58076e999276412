#include "ui/gdi_canvas.h"

#include "platform/wide.h"
#include "ui/dib_surface.h"
#include "ui/memory_bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace ui {

namespace {

static_assert(sizeof(graph::TPoint) == sizeof(POINT) && alignof(graph::TPoint) == alignof(POINT),
              "TPoint must match POINT");

RECT ToRect(const TRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

GdiCanvas::GdiCanvas(HDC dc) : GdiCanvas(dc, GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER) {}

GdiCanvas::GdiCanvas(MemoryBitmap& target, ThinPens thin_pens)
    : GdiCanvas(target.Dc(), false, thin_pens) {
  target_ = &target;
}

GdiCanvas::GdiCanvas(HDC dc, bool printer, ThinPens thin_pens)
    : dc_(dc),
      printer_(printer),
      // A metafile DC reports the technology of its reference device.
      raster_display_(GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY &&
                      (GetObjectType(dc) == OBJ_DC || GetObjectType(dc) == OBJ_MEMDC)),
      thin_pens_(thin_pens),
      pixels_per_inch_y_(GetDeviceCaps(dc, LOGPIXELSY)) {
  if (pixels_per_inch_y_ <= 0) pixels_per_inch_y_ = 96;
  // Remember what the DC holds by selecting stock objects; the guards put it back at the end.
  original_pen_ = SelectGuard(dc_, GetStockObject(BLACK_PEN));
  original_brush_ = SelectGuard(dc_, GetStockObject(WHITE_BRUSH));
  original_font_ = SelectGuard(dc_, GetStockObject(SYSTEM_FONT));
}

GdiCanvas::~GdiCanvas() {
  while (saved_depth_ > 0) RestoreState();
}

void GdiCanvas::SaveState() {
  if (SaveDC(dc_)) ++saved_depth_;
}

void GdiCanvas::RestoreState() {
  if (saved_depth_ == 0) return;
  RestoreDC(dc_, -1);
  --saved_depth_;
}

HGDIOBJ GdiCanvas::PenFor(const graph::TPenSpec& spec) {
  for (auto& e : pens_) {
    if (e.spec == spec) return e.object.Get();
  }
  HPEN pen;
  if (spec.cosmetic) {
    pen = CreatePen(spec.style == graph::TPenStyle::Dashed ? PS_DASH : PS_SOLID, 1, spec.color);
  } else {
    LOGBRUSH brush{BS_SOLID, spec.color, 0};
    DWORD style = PS_GEOMETRIC | PS_ENDCAP_ROUND | PS_JOIN_ROUND |
                  (spec.style == graph::TPenStyle::Dashed ? PS_DASH : PS_SOLID);
    pen = ExtCreatePen(style, static_cast<DWORD>(spec.width > 1 ? spec.width : 1), &brush, 0,
                       nullptr);
  }
  pens_.push_back({spec, win::UniqueGdiObject(pen)});
  return pen;
}

HGDIOBJ GdiCanvas::BrushFor(graph::TColor color) {
  for (auto& e : brushes_) {
    if (e.spec == color) return e.object.Get();
  }
  HBRUSH brush = CreateSolidBrush(color);
  brushes_.push_back({color, win::UniqueGdiObject(brush)});
  return brush;
}

HGDIOBJ GdiCanvas::FontFor(const graph::TFontSpec& spec) {
  for (auto& e : fonts_) {
    if (e.spec == spec) return e.object.Get();
  }
  LOGFONTW lf{};
  // The point size on the device, in the DC's logical units: a printed page drawn through a
  // scaling mapping mode still shows the font at its point size.
  POINT height[2] = {{0, 0}, {0, MulDiv(spec.tenths, pixels_per_inch_y_, 720)}};
  DPtoLP(dc_, height, 2);
  lf.lfHeight = -std::max<LONG>(1, std::abs(height[1].y - height[0].y));
  lf.lfEscapement = spec.angle;
  lf.lfOrientation = spec.angle;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  static_assert(graph::TFontSpec::kFaceUnits <= LF_FACESIZE);
  std::memcpy(lf.lfFaceName, spec.face, sizeof spec.face);
  HFONT font = CreateFontIndirectW(&lf);
  fonts_.push_back({spec, win::UniqueGdiObject(font)});
  return font;
}

void GdiCanvas::SetPen(const graph::TPenSpec& pen) { SelectObject(dc_, PenFor(pen)); }
void GdiCanvas::SetBrush(graph::TColor color) { SelectObject(dc_, BrushFor(color)); }

void GdiCanvas::SetFont(const graph::TFontSpec& font) {
  SelectObject(dc_, FontFor(font));
  ::SetTextColor(dc_, font.color);
}

void GdiCanvas::SetTextAlign(graph::THAlign horizontal, graph::TVAlign vertical) {
  UINT align = TA_NOUPDATECP;
  align |= horizontal == graph::THAlign::Left     ? TA_LEFT
           : horizontal == graph::THAlign::Center ? TA_CENTER
                                                  : TA_RIGHT;
  align |= vertical == graph::TVAlign::Top        ? TA_TOP
           : vertical == graph::TVAlign::Baseline ? TA_BASELINE
                                                  : TA_BOTTOM;
  ::SetTextAlign(dc_, align);
}

void GdiCanvas::SetTransparentBackground(bool transparent) {
  SetBkMode(dc_, transparent ? TRANSPARENT : OPAQUE);
}

void GdiCanvas::MoveTo(std::int32_t x, std::int32_t y) { MoveToEx(dc_, x, y, nullptr); }
void GdiCanvas::LineTo(std::int32_t x, std::int32_t y) {
  const std::optional<graph::TPenSpec> pen = SelectedPen();
  if (pen && DrawsThin(*pen) && ThinLineTo(*pen, {x, y})) return;
  ::LineTo(dc_, x, y);
}

std::optional<graph::TPenSpec> GdiCanvas::SelectedPen() const {
  HGDIOBJ selected = GetCurrentObject(dc_, OBJ_PEN);
  for (const auto& e : pens_) {
    if (e.object.Get() == selected) return e.spec;
  }
  return std::nullopt;
}

void GdiCanvas::Polyline(const graph::TPoint* points, std::uint32_t count) {
  if (count < 2) return;
  const POINT* p = reinterpret_cast<const POINT*>(points);
  const std::optional<graph::TPenSpec> pen = SelectedPen();
  if (pen && DrawsThin(*pen) && ThinPolyline(*pen, p, count)) return;
  const bool solid_geometric = pen && !pen->cosmetic && pen->style == graph::TPenStyle::Solid;
  if (count <= kPolylineChunk || !solid_geometric) {
    ::Polyline(dc_, p, static_cast<int>(count));
    return;
  }
  // GDI outlines a geometric line as one region grown segment by segment, which costs time in
  // the square of the points. Pieces that share their end points cover the same pixels: a round
  // join and the two round caps that meet at the same point are the same disc, and a solid pen has
  // no dash pattern to carry from piece to piece.
  for (std::uint32_t first = 0; first + 1 < count; first += kPolylineChunk - 1) {
    std::uint32_t n = std::min(kPolylineChunk, count - first);
    ::Polyline(dc_, p + first, static_cast<int>(n));
  }
}

void GdiCanvas::PolyPolyline(const graph::TPoint* points, const std::uint32_t* counts,
                             std::uint32_t lines) {
  static_assert(sizeof(DWORD) == sizeof(std::uint32_t), "counts must match DWORD");
  if (lines == 0) return;
  const POINT* p = reinterpret_cast<const POINT*>(points);
  if (AllVertical(p, counts, lines)) {
    // Vertical runs of the thin solid pen, as the runs of many markers are: written straight
    // into the bitmap where that sets GDI's pixels.
    const std::optional<graph::TPenSpec> pen = SelectedPen();
    if (target_ && pen && pen->cosmetic && pen->style == graph::TPenStyle::Solid &&
        (pen->color >> 24) == 0) {
      if (const std::optional<DibSurface> surface = DibSurface::Of(*target_)) {
        surface->VerticalLines(p, lines, pen->color);
        return;
      }
    }
  }
  ::PolyPolyline(dc_, p, reinterpret_cast<const DWORD*>(counts), lines);
}

bool GdiCanvas::AllVertical(const POINT* points, const std::uint32_t* counts, std::uint32_t lines) {
  for (std::uint32_t i = 0; i < lines; ++i) {
    if (counts[i] != 2 || points[2 * i].x != points[2 * i + 1].x) return false;
  }
  return true;
}

void GdiCanvas::Polygon(const graph::TPoint* points, std::uint32_t count, bool fill) {
  if (count < 2) return;
  SelectGuard hollow;
  if (!fill) hollow = SelectGuard(dc_, GetStockObject(NULL_BRUSH));
  ::Polygon(dc_, reinterpret_cast<const POINT*>(points), static_cast<int>(count));
}

void GdiCanvas::Rectangle(const TRect& r, bool fill) {
  SelectGuard hollow;
  if (!fill) hollow = SelectGuard(dc_, GetStockObject(NULL_BRUSH));
  ::Rectangle(dc_, r.left, r.top, r.right, r.bottom);
}

void GdiCanvas::Ellipse(const TRect& r, bool fill) {
  SelectGuard hollow;
  if (!fill) hollow = SelectGuard(dc_, GetStockObject(NULL_BRUSH));
  ::Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

void GdiCanvas::FillRect(const TRect& rect, graph::TColor color) {
  RECT r = ToRect(rect);
  ::FillRect(dc_, &r, static_cast<HBRUSH>(BrushFor(color)));
}

void GdiCanvas::PutText(std::int32_t x, std::int32_t y, const char16_t* text,
                        std::uint32_t length) {
  ExtTextOutW(dc_, x, y, 0, nullptr, platform::W(text), static_cast<UINT>(length), nullptr);
}

graph::TSize GdiCanvas::TextExtent(const char16_t* text, std::uint32_t length) {
  SIZE size{};
  GetTextExtentPoint32W(dc_, platform::W(text), static_cast<int>(length), &size);
  return {size.cx, size.cy};
}

void GdiCanvas::IntersectClip(const TRect& r) {
  IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
}

void GdiCanvas::SelectClip(const TRect& r) {
  win::UniqueGdiObject region(CreateRectRgn(r.left, r.top, r.right, r.bottom));
  SelectClipRgn(dc_, static_cast<HRGN>(region.Get()));  // the DC keeps a copy
}

void GdiCanvas::ResetClip() { SelectClipRgn(dc_, nullptr); }

}  // namespace ui

namespace ui {

bool GdiCanvas::CapturesPixels() const {
  // Only where one logical unit is one pixel of a surface like the capture's own, unmirrored.
  return raster_display_ && GetMapMode(dc_) == MM_TEXT && GetGraphicsMode(dc_) == GM_COMPATIBLE &&
         (GetLayout(dc_) & LAYOUT_RTL) == 0;
}

bool GdiCanvas::CapturePixels(const TRect& area, const std::function<void(graph::TCanvas&)>& draw,
                              std::vector<std::uint64_t>& columns) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (!CapturesPixels() || width <= 0 || height <= 0 || height > 64) return false;
  MemoryBitmap surface(width, height);
  if (!surface.Valid()) return false;
  {
    GdiCanvas canvas(surface.Dc(), printer_);
    canvas.FillRect({0, 0, width, height}, 0);
    // A whole-pixel shift of the origin moves every pixel of a drawing by that much.
    SetViewportOrgEx(surface.Dc(), -area.left, -area.top, nullptr);
    draw(canvas);
  }
  GdiFlush();
  std::vector<std::uint64_t> bits(static_cast<std::size_t>(width), 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (surface.Pixel(x, y) != 0) bits[x] |= std::uint64_t{1} << y;
    }
  }
  columns = std::move(bits);
  return true;
}

}  // namespace ui
