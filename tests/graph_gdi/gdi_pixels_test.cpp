// Real GDI into memory bitmaps: the select guards, the canvas's clean-up, and the proof that the
// per-column reduction leaves every pixel of a graph as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "graph/graph.h"
#include "graph/plot_run.h"
#include "ui/gdi_canvas.h"
#include "ui/memory_bitmap.h"
#include "pixel_compare.h"

namespace {

using graph::TGraph;
using graph::TPlotSettings;

TEST(GdiSelectGuard, RestoresTheDcsObjectWhenItEnds) {
  ui::MemoryBitmap bitmap(10, 10);
  ASSERT_TRUE(bitmap.Valid());
  HGDIOBJ before = GetCurrentObject(bitmap.Dc(), OBJ_PEN);
  win::UniqueGdiObject pen(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
  {
    ui::SelectGuard guard(bitmap.Dc(), pen.Get());
    EXPECT_EQ(GetCurrentObject(bitmap.Dc(), OBJ_PEN), pen.Get());
    ui::SelectGuard moved(std::move(guard));  // only one of the two restores
    EXPECT_EQ(GetCurrentObject(bitmap.Dc(), OBJ_PEN), pen.Get());
  }
  EXPECT_EQ(GetCurrentObject(bitmap.Dc(), OBJ_PEN), before);
}

TEST(GdiCanvas, PutsTheDcsObjectsBackAndKeepsItsTools) {
  ui::MemoryBitmap bitmap(50, 50);
  HDC dc = bitmap.Dc();
  HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH),
          font = GetCurrentObject(dc, OBJ_FONT);
  {
    ui::GdiCanvas canvas(dc);
    EXPECT_FALSE(canvas.IsPrinter());
    for (int i = 0; i < 3; ++i) {
      canvas.SetPen({graph::TPenStyle::Solid, false, 2, graph::Rgb(255, 0, 0)});
      canvas.SetBrush(graph::Rgb(0, 255, 0));
      canvas.SetFont(graph::TFontSpec::Make(u"Arial", 80, 0, 0));
    }
    EXPECT_EQ(canvas.CreatedObjects(), 3u);
    canvas.SaveState();
    canvas.Rectangle({10, 10, 20, 20}, true);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  EXPECT_EQ(bitmap.Pixel(15, 15), 0x00FF00u);  // the fill, 0x00RRGGBB
  EXPECT_EQ(bitmap.Pixel(10, 15), 0xFF0000u);  // the outline
}

TEST(GdiCanvas, LinesLeaveTheirEndPixel) {
  ui::MemoryBitmap bitmap(20, 20);
  ui::GdiCanvas canvas(bitmap.Dc());
  canvas.FillRect({0, 0, 20, 20}, 0);
  canvas.SetPen({graph::TPenStyle::Solid, true, 1, graph::Rgb(255, 255, 255)});
  canvas.MoveTo(2, 5);
  canvas.LineTo(10, 5);
  EXPECT_EQ(bitmap.Pixel(2, 5), 0xFFFFFFu);
  EXPECT_EQ(bitmap.Pixel(9, 5), 0xFFFFFFu);
  EXPECT_EQ(bitmap.Pixel(10, 5), 0u);
}

// Long polylines with a solid geometric pen go to GDI in pieces; the pixels must be those of one
// call: random points, runs of repeated points, vertical and horizontal stretches, points off the
// bitmap, every width a plot may have, and piece boundaries on every kind of point.
TEST(GdiCanvas, LongPolylineInPiecesLeavesThePixelsOfOneCall) {
  std::mt19937 random(4242);
  auto coordinate = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  for (int pattern = 0; pattern < 4; ++pattern) {
    std::vector<graph::TPoint> points;
    graph::TPoint at{100, 60};
    while (points.size() < 3 * ui::GdiCanvas::kPolylineChunk + 7) {
      switch (pattern) {
        case 0:
          at = {coordinate(-10, 210), coordinate(-10, 130)};
          break;  // anywhere
        case 1:
          at.y = coordinate(0, 120);
          break;  // one column
        case 2:
          if (coordinate(0, 2) != 0) at = {coordinate(0, 200), coordinate(0, 120)};
          break;
        default:
          at = {at.x + coordinate(0, 1), at.y + coordinate(-3, 3)};
          break;  // a dense walk
      }
      points.push_back(at);
    }
    for (int width = 1; width <= 3; ++width) {
      const graph::TColor ink = graph::Rgb(255, 255, 255);
      ui::MemoryBitmap pieces(200, 120), whole(200, 120);
      ASSERT_TRUE(pieces.Valid() && whole.Valid());
      {
        ui::GdiCanvas canvas(pieces.Dc(), false);
        canvas.FillRect({0, 0, 200, 120}, 0);
        canvas.SetPen({graph::TPenStyle::Solid, false, width, ink});
        canvas.Polyline(points.data(), static_cast<std::uint32_t>(points.size()));
      }
      {
        LOGBRUSH brush{BS_SOLID, ink, 0};
        win::UniqueGdiObject pen(
            ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_ROUND | PS_JOIN_ROUND | PS_SOLID,
                         static_cast<DWORD>(width), &brush, 0, nullptr));
        PatBlt(whole.Dc(), 0, 0, 200, 120, BLACKNESS);
        ui::SelectGuard selected(whole.Dc(), pen.Get());
        ::Polyline(whole.Dc(), reinterpret_cast<const POINT*>(points.data()),
                   static_cast<int>(points.size()));
      }
      const TComparison c = Compare(pieces, whole);
      EXPECT_EQ(c.differing, 0) << "pattern " << pattern << " width " << width;
      EXPECT_GT(c.inked, 100) << "pattern " << pattern << " width " << width;
    }
  }
}

// Hollow squares and triangles go to GDI as one call per run; the pixels must be those of one
// call per marker.
TEST(GdiMarkers, OneCallLeavesThePixelsOfOneCallPerMarker) {
  std::mt19937 random(77);
  std::vector<graph::TPoint> points(3000);
  for (auto& p : points) {
    p = {std::uniform_int_distribution<int>(-8, 208)(random),
         std::uniform_int_distribution<int>(-8, 128)(random)};
  }
  graph::TMarkerBatch batch;
  for (int shape : {graph::cSquareMarker, graph::cUpTriangleMarker, graph::cDownTriangleMarker}) {
    for (int size : {1, 3, 6}) {
      TPlotSettings look;
      look.MarkerShape = shape;
      look.MarkerSize = size;
      ui::MemoryBitmap batched(200, 120), single(200, 120);
      ASSERT_TRUE(batched.Valid() && single.Valid());
      for (auto* bitmap : {&batched, &single}) {
        ui::GdiCanvas canvas(bitmap->Dc(), false);
        canvas.FillRect({0, 0, 200, 120}, 0);
        canvas.IntersectClip({5, 5, 190, 110});
        graph::DrawRunMarkers(canvas, look, points.data(),
                              static_cast<std::uint32_t>(points.size()), nullptr,
                              bitmap == &batched ? &batch : nullptr);
      }
      const TComparison c = Compare(batched, single);
      EXPECT_EQ(c.differing, 0) << "shape " << shape << " size " << size;
      EXPECT_GT(c.inked, 1000) << "shape " << shape << " size " << size;
    }
  }
  EXPECT_GT(batch.counts.size(), 2000u);  // the batch was used
}

// Every marker shape and size, drawn as the union of its marks (one mask per shape and size,
// stamped once per position), must leave the pixels of drawing every marker with its own calls:
// crowded centres as a dense wave puts them and scattered ones, cut by the clip on every side.
TEST(GdiMarkers, MarksLeaveThePixelsOfEveryMarkerDrawnAlone) {
  std::mt19937 random(1789);
  std::vector<graph::TPoint> dense, sparse;
  for (int i = 0; i < 4000; ++i) {
    const int x = -12 + i * 224 / 4000;
    dense.push_back({x, 60 + static_cast<int>(30 * std::sin(i * 0.01)) +
                            std::uniform_int_distribution<int>(-6, 6)(random)});
  }
  for (int i = 0; i < 60; ++i) {
    sparse.push_back({std::uniform_int_distribution<int>(-12, 212)(random),
                      std::uniform_int_distribution<int>(-12, 132)(random)});
  }
  const TRect clip{5, 5, 190, 110};
  int compared = 0;
  for (int shape = graph::cStarMarker; shape <= graph::cDownTriangleFilledMarker; ++shape) {
    graph::TMarkerBatch batch;
    for (int size = 1; size <= 10; ++size) {
      for (const auto* points : {&dense, &sparse}) {
        TPlotSettings look;
        look.MarkerShape = shape;
        look.MarkerSize = size;
        look.MarkerColor = graph::Rgb(200, 30, 90);
        ui::MemoryBitmap marked(200, 120), alone(200, 120);
        ASSERT_TRUE(marked.Valid() && alone.Valid());
        for (auto* bitmap : {&marked, &alone}) {
          ui::GdiCanvas canvas(bitmap->Dc(), false);
          canvas.FillRect({0, 0, 200, 120}, graph::Rgb(250, 250, 240));
          canvas.IntersectClip(clip);
          const auto n = static_cast<std::uint32_t>(points->size());
          if (bitmap == &marked) {
            graph::TMarkerFilter filter;
            filter.Reset(clip.top - 64, clip.bottom + 64);
            const int reach = graph::TPlot::kClipMargin + size + 2;
            filter.SetSight(
                {clip.left - reach, clip.top - reach, clip.right + reach, clip.bottom + reach});
            graph::DrawRunMarkers(canvas, look, points->data(), n, &filter, &batch);
          } else {
            for (const graph::TPoint& p : *points) {
              graph::DrawRunMarkers(canvas, look, &p, 1, nullptr, nullptr);
            }
          }
        }
        const TComparison c = Compare(marked, alone);
        EXPECT_EQ(c.differing, 0) << "shape " << shape << " size " << size
                                  << (points == &dense ? " dense" : " sparse");
        EXPECT_EQ(batch.maskShape, shape) << "the marks were used";
        ++compared;
      }
    }
  }
  EXPECT_EQ(compared, 11 * 10 * 2);
}

// Where a canvas cannot tell its pixels (a metafile, a scaled mapping mode), the markers other
// than hollow squares are drawn one by one: no mask is taken from it.
TEST(GdiMarkers, NoMarksWhereTheCanvasCannotTellItsPixels) {
  HDC metafile = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(metafile, nullptr);
  ui::MemoryBitmap scaled(50, 50), plain(50, 50);
  ASSERT_TRUE(scaled.Valid() && plain.Valid());
  SetMapMode(scaled.Dc(), MM_LOMETRIC);
  {
    ui::GdiCanvas onMetafile(metafile, false), onScaled(scaled.Dc(), false),
        onPlain(plain.Dc(), true);
    EXPECT_FALSE(onMetafile.CapturesPixels());
    EXPECT_FALSE(onScaled.CapturesPixels());
    EXPECT_TRUE(onPlain.CapturesPixels()) << "printer colours on a screen surface";
    for (graph::TCanvas* canvas :
         {static_cast<graph::TCanvas*>(&onMetafile), static_cast<graph::TCanvas*>(&onScaled)}) {
      graph::TMarkerBatch batch;
      EXPECT_EQ(graph::MarkerMask(*canvas, graph::cCircleMarker, 3, batch), nullptr);
      EXPECT_NE(graph::MarkerMask(*canvas, graph::cSquareMarker, 3, batch), nullptr)
          << "a hollow square is the same outline everywhere";
    }
    graph::TMarkerBatch batch;
    EXPECT_EQ(graph::MarkerMask(onPlain, graph::cCircleMarker, 30, batch), nullptr)
        << "too large for a mask";
    const graph::TMarkMask* star = graph::MarkerMask(onPlain, graph::cStarMarker, 2, batch);
    ASSERT_NE(star, nullptr);
    // The star of half size 2: its diagonals, row and column meet at the centre.
    const int centreColumn = -star->left, centreRow = -star->top;
    EXPECT_TRUE(star->columns[centreColumn] >> centreRow & 1);
    EXPECT_TRUE(star->columns[centreColumn - 2] >> (centreRow - 2) & 1);
    EXPECT_FALSE(star->columns[centreColumn - 3] >> centreRow & 1);
  }
  DeleteEnhMetaFile(CloseEnhMetaFile(metafile));
}

// Whole graphs with a dense and a sparse wave, every marker shape and size, in screen and print
// colours: the reduced drawing (marks stamped) against every point drawn.
TEST(GdiReduction, EveryMarkerShapeAndSizeAsWithoutReduction) {
  int compared = 0;
  for (bool printer : {false, true}) {
    for (int marker = graph::cNoMarker; marker <= graph::cDownTriangleFilledMarker; ++marker) {
      for (int size = 1; size <= 10; ++size) {
        TGraph g;
        TPlotSettings::SetDefaultCountForTesting(0);
        for (int w = 0; w < 2; ++w) {
          TPlotSettings look;
          look.Name = w == 0 ? u"dense" : u"sparse";
          look.MarkerShape = marker;
          look.MarkerSize = size;
          const int n = w == 0 ? 2500 : 30;
          std::vector<double> x, y;
          for (int i = 0; i < n; ++i) {
            x.push_back(1.7e12 + i * 3.6e6 * 2500 / n);
            y.push_back(w * 20 + 30 * std::sin(i * 0.7) + 5 * std::sin(i * 0.013));
          }
          g.AddOrUpdateWave(look, std::move(x), std::move(y));
        }
        ui::MemoryBitmap reduced(400, 260), full(400, 260);
        ASSERT_TRUE(reduced.Valid() && full.Valid());
        for (auto* bitmap : {&reduced, &full}) {
          ui::GdiCanvas canvas(bitmap->Dc(), printer);
          g.Draw(canvas, {0, 0, 400, 260}, bitmap == &reduced);
        }
        EXPECT_EQ(Compare(reduced, full).differing, 0)
            << (printer ? "printer" : "screen") << " marker " << marker << " size " << size;
        ++compared;
      }
    }
  }
  EXPECT_EQ(compared, 2 * 12 * 10);
}

enum class Shape { Dense, Sparse, Gaps, Flat, Steep, Walk };

void MakeWave(Shape shape, int index, std::vector<double>& x, std::vector<double>& y) {
  std::mt19937 random(static_cast<unsigned>(index * 7919 + static_cast<int>(shape)));
  int n = shape == Shape::Sparse ? 40 : 20000;
  double level = 0;
  for (int i = 0; i < n; ++i) {
    double t = 1.7e12 + i * (shape == Shape::Sparse ? 90000.0 : 180.0);
    double v;
    switch (shape) {
      case Shape::Flat:
        v = 3.0 + (i % 500 == 0 ? 0.01 : 0);
        break;
      case Shape::Steep:
        v = (i / 37) % 2 ? 95 + index : -20 - index;
        break;
      case Shape::Walk:
        level += std::uniform_real_distribution<double>(-1, 1)(random);
        v = level;
        break;
      default:
        v = 40 * std::sin(i * 0.0023 * (index + 1)) + 10 * index;
        break;
    }
    if (shape == Shape::Gaps && i % 997 < 40) v = NAN;
    x.push_back(t);
    y.push_back(v);
  }
}

void BuildGraph(TGraph& g, Shape shape, int lineType, int width, int marker, int waves) {
  TPlotSettings::SetDefaultCountForTesting(0);
  for (int w = 0; w < waves; ++w) {
    TPlotSettings look;
    const char16_t name[] = {u'w', u'a', u'v', u'e', u' ', static_cast<char16_t>(u'A' + w), 0};
    look.Name = name;
    look.LineType = lineType;
    look.LineWidth = width;
    look.MarkerShape = marker;
    std::vector<double> x, y;
    MakeWave(shape, w, x, y);
    g.AddOrUpdateWave(look, std::move(x), std::move(y));
  }
}

void Render(TGraph& g, ui::MemoryBitmap& bitmap, bool reduce) {
  ui::GdiCanvas canvas(bitmap.Dc(), false);
  g.Draw(canvas, {0, 0, bitmap.Width(), bitmap.Height()}, reduce);
  GdiFlush();
}

// Writes a 24-bit BMP for looking at a rendering; `convert` turns it into PNG.
void WriteBmp(const ui::MemoryBitmap& bitmap, const std::string& path) {
  int w = bitmap.Width(), h = bitmap.Height(), row = (w * 3 + 3) & ~3;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + row * h;
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  std::fwrite(&fh, sizeof fh, 1, file);
  std::fwrite(&ih, sizeof ih, 1, file);
  std::vector<unsigned char> line(row, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      std::uint32_t p = bitmap.Pixels()[y * w + x];
      line[x * 3] = p & 0xFF;
      line[x * 3 + 1] = (p >> 8) & 0xFF;
      line[x * 3 + 2] = (p >> 16) & 0xFF;
    }
    std::fwrite(line.data(), 1, row, file);
  }
  std::fclose(file);
}

TEST(GdiReduction, EveryPixelAsWithoutReduction) {
  const Shape shapes[] = {Shape::Dense, Shape::Sparse, Shape::Gaps,
                          Shape::Flat,  Shape::Steep,  Shape::Walk};
  const char* names[] = {"dense", "sparse", "gaps", "flat", "steep", "walk"};
  int compared = 0;
  for (int s = 0; s < 6; ++s) {
    for (int lineType = 0; lineType <= 7; ++lineType) {
      for (int width = 1; width <= 3; ++width) {
        int marker = (lineType + width) % 13;  // every shape, and 12 which draws none
        TGraph g;
        BuildGraph(g, shapes[s], lineType, width, marker, 3);
        ui::MemoryBitmap reduced(640, 400), full(640, 400);
        ASSERT_TRUE(reduced.Valid() && full.Valid());
        Render(g, reduced, true);
        Render(g, full, false);
        EXPECT_EQ(Compare(reduced, full).differing, 0)
            << names[s] << " type " << lineType << " width " << width;
        ++compared;
      }
    }
  }
  EXPECT_EQ(compared, 6 * 8 * 3);
}

TEST(GdiReduction, ZoomedInEveryPixelAsWithoutReduction) {
  // After a zoom most points lie beyond the plot's clip: the reduced drawing leaves them out.
  const Shape shapes[] = {Shape::Dense, Shape::Gaps, Shape::Steep, Shape::Walk};
  int compared = 0;
  for (Shape shape : shapes) {
    for (int lineType :
         {graph::kNoLine, graph::kLines, graph::kHorizontalLines, graph::kCityShadow}) {
      for (int width = 1; width <= 3; ++width) {
        TGraph g;
        const int marker = width == 2 ? graph::cCircleFilledMarker : graph::cSquareMarker;
        BuildGraph(g, shape, lineType, width, marker, 3);
        double x_low = 1e300, x_high = -1e300, y_low = 1e300, y_high = -1e300;
        for (const auto& [name, plot] : g.Plots()) {
          x_low = std::min(x_low, plot->XLower());
          x_high = std::max(x_high, plot->XUpper());
          y_low = std::min(y_low, plot->YLower());
          y_high = std::max(y_high, plot->YUpper());
        }
        graph::TAxisSettings& time = g.Settings().Axes.at(2);
        time.AutoScale = false;
        time.MinValue = x_low + (x_high - x_low) * 0.4;
        time.MaxValue = x_low + (x_high - x_low) * 0.55;
        graph::TAxisSettings& value = g.Settings().Axes.at(1);
        value.AutoScale = false;
        value.MinValue = y_low + (y_high - y_low) * 0.3;
        value.MaxValue = y_high - (y_high - y_low) * 0.3;
        ui::MemoryBitmap reduced(640, 400), full(640, 400);
        ASSERT_TRUE(reduced.Valid() && full.Valid());
        Render(g, reduced, true);
        Render(g, full, false);
        const TComparison c = Compare(reduced, full);
        EXPECT_EQ(c.differing, 0) << static_cast<int>(shape) << " type " << lineType << " width "
                                  << width;
        EXPECT_GT(c.inked, 5000);
        ++compared;
      }
    }
  }
  EXPECT_EQ(compared, 4 * 4 * 3);
}

struct TInk {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  int Width() const { return right < left ? 0 : right - left + 1; }
  int Height() const { return bottom < top ? 0 : bottom - top + 1; }
};

// The box around the pixels of the area that differ from its top left pixel.
TInk InkIn(const ui::MemoryBitmap& bitmap, const TRect& area) {
  TInk ink;
  const std::uint32_t background = bitmap.Pixel(area.left, area.top);
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (bitmap.Pixel(x, y) == background) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

// The outer strip of the left axis's band holds its title and nothing else.
TInk LeftTitleInk(const TGraph& g, const ui::MemoryBitmap& bitmap) {
  for (const graph::TAxisSlot& slot : g.Slots()) {
    if (slot.axis == g.LeftAxes().begin()->second.get()) {
      const TRect& band = slot.band;
      return InkIn(bitmap, {band.left + 1, band.top + 1, band.left + 30, band.bottom - 1});
    }
  }
  ADD_FAILURE() << "no left axis drawn";
  return {};
}

TEST(GdiAxisTitle, VerticalTitlesAreTurned) {
  struct Case {
    const char* name;
    int waves;
    bool printer;
  };
  const Case cases[] = {{"empty", 0, false}, {"waves", 3, false}, {"printer", 3, true}};
  for (const Case& c : cases) {
    TGraph g;
    BuildGraph(g, Shape::Sparse, 1, 1, 0, c.waves);
    g.Readout = u"(\u25BC 01/03 12:00)  (\u25C4 12.5)  ";
    ui::MemoryBitmap bitmap(800, 500);
    ASSERT_TRUE(bitmap.Valid());
    ui::GdiCanvas canvas(bitmap.Dc(), c.printer);
    for (int round = 0; round < 2; ++round) {  // a second drawing with the canvas's kept tools
      g.Draw(canvas, {0, 0, 800, 500});
      GdiFlush();
      const TInk ink = LeftTitleInk(g, bitmap);
      EXPECT_GT(ink.Height(), 0) << c.name << " round " << round;
      EXPECT_GT(ink.Height(), 2 * ink.Width())
          << c.name << " round " << round << ": " << ink.Width() << " wide, " << ink.Height()
          << " high";
    }
  }
}

// Renderings to look at, written when VARNEL_GRAPH_IMAGES names a directory.
TEST(GdiReduction, WritesSampleImages) {
  const char* dir = std::getenv("VARNEL_GRAPH_IMAGES");
  if (!dir) GTEST_SKIP() << "VARNEL_GRAPH_IMAGES not set";
  struct Sample {
    const char* name;
    Shape shape;
    int lineType, width, marker;
    bool printer;
  };
  const Sample samples[] = {
      {"lines_dense", Shape::Dense, 1, 1, 0, false},
      {"steps_sparse", Shape::Sparse, 2, 2, 4, false},
      {"bars_sparse", Shape::Sparse, 3, 1, 7, false},
      {"shadow_gaps", Shape::Gaps, 6, 1, 0, false},
      {"print_walk", Shape::Walk, 1, 2, 0, true},
  };
  for (const auto& s : samples) {
    TGraph g;
    BuildGraph(g, s.shape, s.lineType, s.width, s.marker, 3);
    g.Readout = u"(\u25BC 01/03 12:00)  (\u25C4 12.5)  ";
    ui::MemoryBitmap bitmap(800, 500);
    ui::GdiCanvas canvas(bitmap.Dc(), s.printer);
    g.Draw(canvas, {0, 0, 800, 500});
    GdiFlush();
    WriteBmp(bitmap, std::string(dir) + "/" + s.name + ".bmp");
  }
}

}  // namespace
