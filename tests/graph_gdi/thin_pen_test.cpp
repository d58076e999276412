// The canvas draws a geometric pen one pixel wide with the thin cosmetic pen where GDI has been
// found to set the same pixels. Held here against GDI's own geometric pen over far more cases than
// the canvas's own probe: every kind of polyline a plot makes, far ends at the coordinate limit,
// clip rectangles, repeated points, single lines, dashed grid lines of every length both ways.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "pixel_compare.h"
#include "ui/gdi_canvas.h"
#include "ui/gdi_select.h"
#include "ui/memory_bitmap.h"

namespace {

using graph::TPenStyle;
using graph::TPoint;
using Mode = ui::GdiCanvas::ThinPens;

constexpr int kWidth = 240, kHeight = 160;
constexpr int kFar = 134217727;  // the graph's coordinate limit
const graph::TColor kInk = graph::Rgb(40, 200, 90);

// One drawing of a case: a polyline, or single lines from point to point.
struct TCase {
  std::vector<TPoint> points;
  bool singleLines = false;
  bool clipped = false;
};

std::vector<TCase> SolidCases() {
  std::mt19937 random(2718);
  auto in = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  std::vector<TCase> cases;
  for (int pattern = 0; pattern < 7; ++pattern) {
    for (int variant = 0; variant < 12; ++variant) {
      TCase c;
      c.singleLines = variant % 3 == 0;
      c.clipped = variant % 2 == 1;
      TPoint at{in(0, kWidth), in(0, kHeight)};
      const int n = 2 + in(0, variant < 6 ? 6 : 400);
      for (int i = 0; i < n; ++i) {
        switch (pattern) {
          case 0:
            at = {in(-20, kWidth + 20), in(-20, kHeight + 20)};
            break;  // anywhere
          case 1:
            at.y = in(0, kHeight);
            at.x += in(0, 4) == 0;
            break;  // columns, as reduced
          case 2:
            at = {at.x + in(0, 1), at.y + in(-3, 3)};
            break;  // a dense walk
          case 3:   // repeats and steps
            if (in(0, 2) == 0) break;
            if (in(0, 1) == 0)
              at.x += in(-6, 6);
            else
              at.y += in(-6, 6);
            break;
          case 4:  // now and then a point far off, as a zoomed plot has them
            at = in(0, 3) == 0 ? TPoint{in(0, 1) ? kFar : -kFar, in(-kFar, kFar)}
                               : TPoint{in(0, kWidth), in(0, kHeight)};
            break;
          case 5:
            at = {in(-kFar, kFar), in(-kFar, kFar)};
            break;  // lines that cross the surface
          default:
            at = {at.x + in(-40, 40), at.y + in(-40, 40)};
            break;  // every slope
        }
        c.points.push_back(at);
      }
      cases.push_back(std::move(c));
    }
  }
  // Every direction and length from one centre.
  for (int dx = -9; dx <= 9; ++dx) {
    for (int dy = -9; dy <= 9; ++dy)
      cases.push_back({{{100, 80}, {100 + dx, 80 + dy}}, true, false});
  }
  return cases;
}

std::vector<TCase> DashedCases() {
  std::vector<TCase> cases;
  for (int length = 0; length <= 60; ++length) {
    for (int way = 0; way < 4; ++way) {
      const int x = 20 + length % 7, y = 30 + length % 5;
      const TPoint to = way == 0   ? TPoint{x + 3 * length, y}
                        : way == 1 ? TPoint{x - length, y}
                        : way == 2 ? TPoint{x, y + 2 * length}
                                   : TPoint{x, y - length};
      cases.push_back({{{x + 40, y + 40}, {to.x + 40, to.y + 40}}, true, length % 3 == 0});
    }
  }
  // Grid lines far longer than the surface, cut by the clip, and slanted lines (GDI's own).
  cases.push_back({{{-5000, 70}, {9001, 70}, {9001, 90}, {-3, 90}}, true, true});
  cases.push_back({{{50, -7777}, {50, 7777}}, true, true});
  cases.push_back({{{10, 10}, {200, 150}, {30, 140}}, true, false});
  return cases;
}

// The case drawn through a canvas in the given mode.
void DrawThroughCanvas(const TCase& c, TPenStyle style, Mode mode, ui::MemoryBitmap& target) {
  ui::GdiCanvas canvas(target.Dc(), false, mode);  // a new canvas: its pens are created meanwhile
  canvas.FillRect({0, 0, kWidth, kHeight}, 0);
  canvas.SetTransparentBackground(true);
  if (c.clipped) {
    canvas.SelectClip({17, 11, 201, 139});
  } else {
    canvas.ResetClip();  // the DC keeps the clip of the case before
  }
  canvas.SetPen({style, false, 1, kInk});
  if (c.singleLines) {
    canvas.MoveTo(c.points[0].x, c.points[0].y);
    for (std::size_t i = 1; i < c.points.size(); ++i) canvas.LineTo(c.points[i].x, c.points[i].y);
  } else {
    canvas.Polyline(c.points.data(), static_cast<std::uint32_t>(c.points.size()));
  }
}

// The case drawn by GDI's own geometric pen.
void DrawWithGdi(const TCase& c, TPenStyle style, ui::MemoryBitmap& target) {
  HDC dc = target.Dc();
  PatBlt(dc, 0, 0, kWidth, kHeight, BLACKNESS);
  SetBkMode(dc, TRANSPARENT);
  win::UniqueGdiObject clip(CreateRectRgn(17, 11, 201, 139));
  SelectClipRgn(dc, c.clipped ? static_cast<HRGN>(clip.Get()) : nullptr);
  LOGBRUSH brush{BS_SOLID, kInk, 0};
  const DWORD dash = style == TPenStyle::Dashed ? PS_DASH : PS_SOLID;
  win::UniqueGdiObject pen(
      ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_ROUND | PS_JOIN_ROUND | dash, 1, &brush, 0, nullptr));
  ui::SelectGuard selected(dc, pen.Get());
  const auto* p = reinterpret_cast<const POINT*>(c.points.data());
  if (c.singleLines) {
    MoveToEx(dc, p[0].x, p[0].y, nullptr);
    for (std::size_t i = 1; i < c.points.size(); ++i) ::LineTo(dc, p[i].x, p[i].y);
  } else {
    ::Polyline(dc, p, static_cast<int>(c.points.size()));
  }
  SelectClipRgn(dc, nullptr);
}

struct TTally {
  int differing = 0;  // cases whose pixels differ from GDI's
  int inked = 0;      // cases in which GDI set any pixel
};

TTally CompareWithGdi(const std::vector<TCase>& cases, TPenStyle style, Mode mode) {
  ui::MemoryBitmap tested(kWidth, kHeight), expected(kWidth, kHeight);
  EXPECT_TRUE(tested.Valid() && expected.Valid());
  TTally tally;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    DrawThroughCanvas(cases[i], style, mode, tested);
    DrawWithGdi(cases[i], style, expected);
    const TComparison c = Compare(tested, expected);
    if (c.differing != 0) {
      ++tally.differing;
      if (mode == Mode::Checked) ADD_FAILURE() << "case " << i << ": " << c.differing << " pixels";
    }
    tally.inked += c.inked > 0;
  }
  return tally;
}

// What the canvas draws by default is GDI's geometric pen to the pixel; and the canvas takes the
// thin way exactly where it is right: its probe agrees with the whole comparison here.
TEST(GdiThinPen, LeavesThePixelsOfGdisGeometricPen) {
  for (TPenStyle style : {TPenStyle::Solid, TPenStyle::Dashed}) {
    const std::vector<TCase> cases = style == TPenStyle::Solid ? SolidCases() : DashedCases();
    SCOPED_TRACE(style == TPenStyle::Solid ? "solid" : "dashed");
    const TTally checked = CompareWithGdi(cases, style, Mode::Checked);
    EXPECT_EQ(checked.differing, 0);
    EXPECT_GT(checked.inked, static_cast<int>(cases.size()) * 3 / 4);
    const TTally thin = CompareWithGdi(cases, style, Mode::Cosmetic);
    EXPECT_EQ(ui::GdiCanvas::ThinPenAgreesWithGdi(style), thin.differing == 0)
        << thin.differing << " cases differ when drawn the thin way";
    // Wine's GDI is the one whose pen the thin way was measured on: there it must be taken.
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) {
      EXPECT_TRUE(ui::GdiCanvas::ThinPenAgreesWithGdi(style));
    }
  }
}

// A dashed line from one end of the coordinate range to the other: only the dashes that can be
// seen are made (GDI's own pen takes minutes over such a line), in the phase of the line's far
// start.
TEST(GdiThinPen, FarDashedLinesMakeOnlyTheirVisibleDashes) {
  if (!ui::GdiCanvas::ThinPenAgreesWithGdi(TPenStyle::Dashed)) {
    GTEST_SKIP() << "GDI draws the dashed pen itself here";
  }
  ui::MemoryBitmap tested(kWidth, kHeight), expected(kWidth, kHeight);
  ASSERT_TRUE(tested.Valid() && expected.Valid());
  const TPoint farEnds[] = {{-kFar, 50}, {kFar, 50}, {70, kFar}, {70, -kFar}};
  // The same lines from a start of the same phase just off the surface.
  const int right = -kFar + 4 * ((-20 + kFar) / 4), up = kFar - 4 * ((kFar - kHeight - 20) / 4);
  const TCase close{{{right, 50}, {kWidth + 60, 50}, {70, up}, {70, -100}}, true, false};
  {
    ui::GdiCanvas canvas(tested.Dc(), false, Mode::Cosmetic);
    canvas.FillRect({0, 0, kWidth, kHeight}, 0);
    canvas.SetTransparentBackground(true);
    canvas.SetPen({TPenStyle::Dashed, false, 1, kInk});
    for (int i = 0; i < 4; i += 2) {
      canvas.MoveTo(farEnds[i].x, farEnds[i].y);
      canvas.LineTo(farEnds[i + 1].x, farEnds[i + 1].y);
    }
  }
  DrawWithGdi({{close.points[0], close.points[1]}, true, false}, TPenStyle::Dashed, expected);
  ui::MemoryBitmap vertical(kWidth, kHeight);
  ASSERT_TRUE(vertical.Valid());
  DrawWithGdi({{close.points[2], close.points[3]}, true, false}, TPenStyle::Dashed, vertical);
  BitBlt(expected.Dc(), 0, 0, kWidth, kHeight, vertical.Dc(), 0, 0, SRCPAINT);
  const TComparison c = Compare(tested, expected);
  EXPECT_EQ(c.differing, 0);
  EXPECT_GT(c.inked, (kWidth + kHeight) / 2);
}

// The thin way leaves the DC as a geometric line does: the current position at the line's end
// and the pen selected as before.
TEST(GdiThinPen, KeepsThePositionAndThePen) {
  ui::MemoryBitmap bitmap(50, 50);
  ASSERT_TRUE(bitmap.Valid());
  for (TPenStyle style : {TPenStyle::Solid, TPenStyle::Dashed}) {
    ui::GdiCanvas canvas(bitmap.Dc(), false, Mode::Cosmetic);
    canvas.SetTransparentBackground(true);
    canvas.SetPen({style, false, 1, kInk});
    const HGDIOBJ pen = GetCurrentObject(bitmap.Dc(), OBJ_PEN);
    canvas.MoveTo(3, 4);
    canvas.LineTo(3, 40);
    canvas.LineTo(30, 40);
    POINT at{};
    GetCurrentPositionEx(bitmap.Dc(), &at);
    EXPECT_EQ(at.x, 30);
    EXPECT_EQ(at.y, 40);
    const TPoint line[] = {{1, 1}, {20, 9}};
    canvas.Polyline(line, 2);
    GetCurrentPositionEx(bitmap.Dc(), &at);
    EXPECT_EQ(at.x, 30) << "a polyline leaves the position alone";
    EXPECT_EQ(GetCurrentObject(bitmap.Dc(), OBJ_PEN), pen);
  }
}

// Where the thin way is not known to hold, GDI draws: another raster operation, an opaque
// background under dashes, a scaled DC.
TEST(GdiThinPen, LeftToGdiWhereItsPixelsAreNotKnown) {
  // There and back: the thin pen steps over most pixels twice, the geometric pen's region once.
  const TPoint slanted[] = {{5, 5}, {45, 21}, {5, 5}, {12, 40}};
  ui::MemoryBitmap tested(kWidth, kHeight), expected(kWidth, kHeight);
  ASSERT_TRUE(tested.Valid() && expected.Valid());
  auto drawBoth = [&](TPenStyle style, const std::function<void(HDC)>& prepare) {
    for (ui::MemoryBitmap* bitmap : {&tested, &expected}) {
      PatBlt(bitmap->Dc(), 0, 0, kWidth, kHeight, BLACKNESS);
      prepare(bitmap->Dc());
      ui::GdiCanvas canvas(bitmap->Dc(), false,
                           bitmap == &tested ? Mode::Cosmetic : Mode::Geometric);
      canvas.SetPen({style, false, 1, kInk});
      canvas.MoveTo(5, 30);
      canvas.LineTo(150, 30);
      canvas.Polyline(slanted, 4);
    }
    return Compare(tested, expected);
  };
  const TComparison xored = drawBoth(TPenStyle::Solid, [](HDC dc) { SetROP2(dc, R2_XORPEN); });
  EXPECT_EQ(xored.differing, 0);
  EXPECT_GT(xored.inked, 100);
  const TComparison opaque = drawBoth(TPenStyle::Dashed, [](HDC dc) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 0, 255));
  });
  EXPECT_EQ(opaque.differing, 0);
  EXPECT_GT(opaque.inked, 100);
}

}  // namespace
