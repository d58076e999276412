// Vertical runs of a thin solid pen written straight into a memory bitmap must set GDI's pixels:
// runs both ways, of no length, partly and wholly outside, under clip rectangles and shifted
// origins; and GDI draws wherever that cannot be promised.
#include "ui/dib_surface.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "pixel_compare.h"
#include "ui/gdi_canvas.h"
#include "ui/gdi_select.h"
#include "ui/memory_bitmap.h"

namespace {

constexpr int kWidth = 180, kHeight = 120;
const graph::TColor kInk = graph::Rgb(200, 30, 90);

std::vector<graph::TPoint> RandomRuns() {
  std::mt19937 random(31337);
  auto in = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  std::vector<graph::TPoint> points;
  for (int i = 0; i < 3000; ++i) {
    const int x = in(-10, kWidth + 10), y = in(-20, kHeight + 20);
    const int length = i % 50 == 0 ? in(-100000, 100000) : in(-25, 25);
    points.push_back({x, y});
    points.push_back({x, y + length});
  }
  return points;
}

// Draws the runs through the canvas on one bitmap and with GDI's PolyPolyline on the other, each
// DC prepared alike; returns the comparison.
TComparison DrawBothWays(ui::MemoryBitmap& tested, ui::MemoryBitmap& expected,
                         const std::function<void(HDC)>& prepare) {
  const std::vector<graph::TPoint> points = RandomRuns();
  const std::vector<std::uint32_t> counts(points.size() / 2, 2);
  for (ui::MemoryBitmap* bitmap : {&tested, &expected}) {
    HDC dc = bitmap->Dc();
    SelectClipRgn(dc, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetROP2(dc, R2_COPYPEN);
    PatBlt(dc, 0, 0, kWidth, kHeight, BLACKNESS);
    prepare(dc);
    const graph::TPenSpec thin{graph::TPenStyle::Solid, true, 1, kInk};
    if (bitmap == &tested) {
      ui::GdiCanvas canvas(tested);
      canvas.SetPen(thin);
      canvas.PolyPolyline(points.data(), counts.data(), static_cast<std::uint32_t>(counts.size()));
    } else {
      win::UniqueGdiObject pen(CreatePen(PS_SOLID, 1, kInk));
      ui::SelectGuard selected(dc, pen.Get());
      ::PolyPolyline(dc, reinterpret_cast<const POINT*>(points.data()),
                     reinterpret_cast<const DWORD*>(counts.data()),
                     static_cast<DWORD>(counts.size()));
    }
  }
  return Compare(tested, expected);
}

void ClipTo(HDC dc, int left, int top, int right, int bottom) {
  win::UniqueGdiObject region(CreateRectRgn(left, top, right, bottom));
  SelectClipRgn(dc, static_cast<HRGN>(region.Get()));
}

TEST(DibSurface, VerticalRunsSetGdisPixels) {
  ui::MemoryBitmap tested(kWidth, kHeight), expected(kWidth, kHeight);
  ASSERT_TRUE(tested.Valid() && expected.Valid());
  ASSERT_TRUE(ui::DibSurface::Of(tested)) << "a plain memory bitmap is written directly";
  struct TSetting {
    const char* name;
    std::function<void(HDC)> prepare;
    bool direct;  // written straight into the bitmap
  } settings[] = {
      {"whole bitmap", [](HDC) {}, true},
      {"clip rectangle", [](HDC dc) { ClipTo(dc, 13, 7, 151, 97); }, true},
      {"clip, then a narrower one",
       [](HDC dc) {
         ClipTo(dc, 13, 7, 151, 97);
         IntersectClipRect(dc, 20, 0, 40, 200);
       },
       true},
      {"empty clip", [](HDC dc) { ClipTo(dc, 50, 50, 50, 50); }, true},
      {"viewport origin", [](HDC dc) { SetViewportOrgEx(dc, 17, -9, nullptr); }, true},
      {"window origin and clip",
       [](HDC dc) {
         SetWindowOrgEx(dc, -5, 11, nullptr);
         IntersectClipRect(dc, 0, 0, 100, 80);
       },
       true},
      {"two rectangles",
       [](HDC dc) {
         win::UniqueGdiObject a(CreateRectRgn(10, 10, 60, 60)), b(CreateRectRgn(90, 30, 170, 110));
         CombineRgn(static_cast<HRGN>(a.Get()), static_cast<HRGN>(a.Get()),
                    static_cast<HRGN>(b.Get()), RGN_OR);
         SelectClipRgn(dc, static_cast<HRGN>(a.Get()));
       },
       false},
      {"xor", [](HDC dc) { SetROP2(dc, R2_XORPEN); }, false},
      {"scaled", [](HDC dc) { SetMapMode(dc, MM_LOMETRIC); }, false},
  };
  for (const TSetting& s : settings) {
    const TComparison c = DrawBothWays(tested, expected, s.prepare);
    EXPECT_EQ(c.differing, 0) << s.name;
    if (std::string(s.name) != "empty clip") {
      EXPECT_GT(c.inked, 1000) << s.name;
    }
    s.prepare(tested.Dc());
    EXPECT_EQ(ui::DibSurface::Of(tested).has_value(), s.direct) << s.name;
  }
}

// Lines that are not all vertical, pens other than the thin solid one, and a bitmap other than
// the canvas's own selected into its DC go to GDI.
TEST(DibSurface, OtherLinesAreGdis) {
  ui::MemoryBitmap tested(kWidth, kHeight), expected(kWidth, kHeight);
  ASSERT_TRUE(tested.Valid() && expected.Valid());
  const graph::TPoint points[] = {{10, 10}, {10, 50}, {20, 10}, {60, 30}, {70, 5}, {70, 90}};
  const std::uint32_t counts[] = {2, 2, 2};
  for (const graph::TPenSpec& pen : {graph::TPenSpec{graph::TPenStyle::Solid, true, 1, kInk},
                                     graph::TPenSpec{graph::TPenStyle::Dashed, true, 1, kInk}}) {
    for (ui::MemoryBitmap* bitmap : {&tested, &expected}) {
      PatBlt(bitmap->Dc(), 0, 0, kWidth, kHeight, BLACKNESS);
      ui::GdiCanvas canvas(*bitmap);
      canvas.SetPen(pen);
      if (bitmap == &tested) {
        canvas.PolyPolyline(points, counts, 3);
      } else {
        for (int i = 0; i < 3; ++i) canvas.Polyline(points + 2 * i, 2);
      }
    }
    const TComparison c = Compare(tested, expected);
    EXPECT_EQ(c.differing, 0);
    EXPECT_GT(c.inked, 60);
  }
  ui::MemoryBitmap other(kWidth, kHeight);
  ASSERT_TRUE(other.Valid());
  const HGDIOBJ own = SelectObject(tested.Dc(), CreateCompatibleBitmap(other.Dc(), 8, 8));
  EXPECT_FALSE(ui::DibSurface::Of(tested));
  DeleteObject(SelectObject(tested.Dc(), own));
  EXPECT_TRUE(ui::DibSurface::Of(tested));
}

}  // namespace
