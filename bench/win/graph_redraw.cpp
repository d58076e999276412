// Full redraw of a 1600 x 900 graph with 10 waves of 32000 points into a memory DC, with and
// without the per-column reduction, where a reduced redraw spends its time, a checksum of its
// pixels (equal between two builds when a change leaves every pixel alone) and the tick
// computation of each axis. Under Wine:
//   scripts/wine-run <prefix> build/win64/bin/graph_redraw_bench.exe
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <vector>

#include "graph/graph.h"
#include "ui/gdi_canvas.h"
#include "ui/memory_bitmap.h"
#include "win/stopwatch.h"

namespace {

template <typename F>
double MedianMs(int runs, F f) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const win::Stopwatch watch;
    f();
    times.push_back(watch.Milliseconds());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Does no drawing: a redraw on it is the graph's own work (point conversion, reduction, marker
// union) without GDI's.
class NullCanvas final : public graph::TCanvas {
 public:
  bool IsPrinter() const override { return false; }
  void SaveState() override {}
  void RestoreState() override {}
  void SetPen(const graph::TPenSpec&) override {}
  void SetBrush(graph::TColor) override {}
  void SetFont(const graph::TFontSpec&) override {}
  void SetTextAlign(graph::THAlign, graph::TVAlign) override {}
  void SetTransparentBackground(bool) override {}
  void MoveTo(std::int32_t, std::int32_t) override {}
  void LineTo(std::int32_t, std::int32_t) override {}
  void Polyline(const graph::TPoint*, std::uint32_t) override {}
  void PolyPolyline(const graph::TPoint*, const std::uint32_t*, std::uint32_t) override {}
  void Polygon(const graph::TPoint*, std::uint32_t, bool) override {}
  void Rectangle(const TRect&, bool) override {}
  void Ellipse(const TRect&, bool) override {}
  void FillRect(const TRect&, graph::TColor) override {}
  void PutText(std::int32_t, std::int32_t, const char16_t*, std::uint32_t) override {}
  graph::TSize TextExtent(const char16_t*, std::uint32_t length) override {
    return {static_cast<std::int32_t>(7 * length), 13};
  }
  void IntersectClip(const TRect&) override {}
  void SelectClip(const TRect&) override {}
  void ResetClip() override {}
};

// Passes every call to a GDI canvas and adds the time each kind of call takes, GDI's flush
// included: where the GDI part of a redraw goes.
class TimingCanvas final : public graph::TCanvas {
 public:
  enum Kind { kState, kLines, kPolyline, kPolyPolyline, kShapes, kFills, kTexts, kClips, kKinds };
  static constexpr const char* kNames[kKinds] = {
      "pens, brushes, fonts, state",    "MoveTo/LineTo", "Polyline",          "PolyPolyline",
      "polygons, rectangles, ellipses", "FillRect",      "texts and extents", "clips"};

  explicit TimingCanvas(ui::GdiCanvas& target) : target_(target) {}
  double ms[kKinds] = {};
  int calls[kKinds] = {};

  bool IsPrinter() const override { return false; }
  void SaveState() override {
    Time(kState, [&] { target_.SaveState(); });
  }
  void RestoreState() override {
    Time(kState, [&] { target_.RestoreState(); });
  }
  void SetPen(const graph::TPenSpec& p) override {
    Time(kState, [&] { target_.SetPen(p); });
  }
  void SetBrush(graph::TColor c) override {
    Time(kState, [&] { target_.SetBrush(c); });
  }
  void SetFont(const graph::TFontSpec& f) override {
    Time(kState, [&] { target_.SetFont(f); });
  }
  void SetTextAlign(graph::THAlign h, graph::TVAlign v) override {
    Time(kState, [&] { target_.SetTextAlign(h, v); });
  }
  void SetTransparentBackground(bool t) override {
    Time(kState, [&] { target_.SetTransparentBackground(t); });
  }
  void MoveTo(std::int32_t x, std::int32_t y) override {
    Time(kLines, [&] { target_.MoveTo(x, y); });
  }
  void LineTo(std::int32_t x, std::int32_t y) override {
    Time(kLines, [&] { target_.LineTo(x, y); });
  }
  void Polyline(const graph::TPoint* p, std::uint32_t n) override {
    Time(kPolyline, [&] { target_.Polyline(p, n); });
  }
  void PolyPolyline(const graph::TPoint* p, const std::uint32_t* c, std::uint32_t n) override {
    Time(kPolyPolyline, [&] { target_.PolyPolyline(p, c, n); });
  }
  void Polygon(const graph::TPoint* p, std::uint32_t n, bool fill) override {
    Time(kShapes, [&] { target_.Polygon(p, n, fill); });
  }
  void Rectangle(const TRect& r, bool fill) override {
    Time(kShapes, [&] { target_.Rectangle(r, fill); });
  }
  void Ellipse(const TRect& r, bool fill) override {
    Time(kShapes, [&] { target_.Ellipse(r, fill); });
  }
  void FillRect(const TRect& r, graph::TColor c) override {
    Time(kFills, [&] { target_.FillRect(r, c); });
  }
  void PutText(std::int32_t x, std::int32_t y, const char16_t* t, std::uint32_t n) override {
    Time(kTexts, [&] { target_.PutText(x, y, t, n); });
  }
  graph::TSize TextExtent(const char16_t* t, std::uint32_t n) override {
    graph::TSize size;
    Time(kTexts, [&] { size = target_.TextExtent(t, n); });
    return size;
  }
  void IntersectClip(const TRect& r) override {
    Time(kClips, [&] { target_.IntersectClip(r); });
  }
  void SelectClip(const TRect& r) override {
    Time(kClips, [&] { target_.SelectClip(r); });
  }
  void ResetClip() override {
    Time(kClips, [&] { target_.ResetClip(); });
  }
  bool CapturesPixels() const override { return target_.CapturesPixels(); }
  bool CapturePixels(const TRect& area, const std::function<void(graph::TCanvas&)>& draw,
                     std::vector<std::uint64_t>& columns) override {
    return target_.CapturePixels(area, draw, columns);
  }

 private:
  template <typename F>
  void Time(Kind kind, F f) {
    const win::Stopwatch watch;
    f();
    GdiFlush();
    ms[kind] += watch.Milliseconds();
    ++calls[kind];
  }
  ui::GdiCanvas& target_;
};

// FNV-1a over the pixels: equal between two builds when a change leaves every pixel alone.
unsigned long long Checksum(const ui::MemoryBitmap& bitmap) {
  unsigned long long hash = 1469598103934665603ull;
  const std::uint32_t* p = bitmap.Pixels();
  for (int i = 0; i < bitmap.Width() * bitmap.Height(); ++i) {
    hash = (hash ^ (p[i] & 0xFFFFFF)) * 1099511628211ull;
  }
  return hash;
}

}  // namespace

int main(int argc, char** argv) {
  int marker = argc > 1 ? std::atoi(argv[1]) : graph::cSquareMarker;
  graph::TGraph g;
  for (int w = 0; w < 10; ++w) {
    graph::TPlotSettings look;
    const char16_t name[] = {u'w', static_cast<char16_t>(u'0' + w), 0};
    look.Name = name;
    look.MarkerShape = marker;
    std::vector<double> x(32000), y(32000);
    double level = 10.0 * w;
    unsigned seed = 12345u + w;
    for (int i = 0; i < 32000; ++i) {
      seed = seed * 1103515245u + 12345u;
      // A step of -1..1 both ways: the remainder goes signed before the offset is taken off.
      level += static_cast<double>(static_cast<int>((seed >> 16) % 2001) - 1000) / 1000.0;
      x[i] = 1.7e12 + i * 112.5;  // one hour
      y[i] = level + 20 * std::sin(i * 0.001 * (w + 1));
    }
    g.AddOrUpdateWave(look, std::move(x), std::move(y));
  }
  ui::MemoryBitmap reduced(1600, 900), full(1600, 900);
  ui::GdiCanvas reducedCanvas(reduced), fullCanvas(full);
  const TRect all{0, 0, 1600, 900};
  g.Draw(reducedCanvas, all, true);  // warm-up: buffers and GDI objects
  g.Draw(fullCanvas, all, false);
  double fullMs = MedianMs(7, [&] {
    g.Draw(fullCanvas, all, false);
    GdiFlush();
  });
  double reducedMs = MedianMs(21, [&] {
    g.Draw(reducedCanvas, all, true);
    GdiFlush();
  });
  bool same = std::memcmp(reduced.Pixels(), full.Pixels(), 1600u * 900u * 4u) == 0;

  // Where a reduced redraw spends its time: without the plots (fills, axes, ticks, grid, texts),
  // the lines alone and the markers alone.
  // Each also on a canvas that draws nothing: the part that is not GDI's.
  NullCanvas nothing;
  double ownMs = 0;
  auto reducedWith = [&](bool lines, bool markers, bool shown) {
    for (const auto& entry : g.Plots()) {
      graph::TPlot& plot = *entry.second;
      plot.LineType = lines ? graph::kLines : graph::kNoLine;
      plot.MarkerShape = markers ? marker : graph::cNoMarker;
      plot.Hide = !shown;
    }
    g.Draw(reducedCanvas, all, true);
    ownMs = MedianMs(21, [&] { g.Draw(nothing, all, true); });
    return MedianMs(21, [&] {
      g.Draw(reducedCanvas, all, true);
      GdiFlush();
    });
  };
  const unsigned long long checksum = Checksum(reduced);
  double allMs = reducedWith(true, true, true);
  const double allOwnMs = ownMs;
  double framingMs = reducedWith(true, true, false);
  const double framingOwnMs = ownMs;
  double linesMs = reducedWith(true, false, true);
  const double linesOwnMs = ownMs;
  double markersMs = reducedWith(false, true, true);
  const double markersOwnMs = ownMs;
  double conversionMs = reducedWith(false, false, true);
  const double conversionOwnMs = ownMs;

  graph::TAxis& time = *g.BottomAxes().begin()->second;
  graph::TAxis& value = *g.LeftAxes().begin()->second;
  double timeTicksUs = MedianMs(2001, [&] { time.ComputeTimeTicks(reducedCanvas); }) * 1000;
  double numTicksUs = MedianMs(2001, [&] { value.ComputeNumTicks(reducedCanvas); }) * 1000;

  std::printf("marker shape %d\n", marker);
  std::printf("full redraw, every point      %8.2f ms\n", fullMs);
  std::printf("full redraw, reduced          %8.2f ms\n", reducedMs);
  std::printf("                                  redraw   without GDI\n");
  std::printf("  again, in this sequence      %8.2f ms %8.2f ms\n", allMs, allOwnMs);
  std::printf("  plots hidden (axes, texts)   %8.2f ms %8.2f ms\n", framingMs, framingOwnMs);
  std::printf("  plots of neither line nor marker %4.2f ms %8.2f ms\n", conversionMs,
              conversionOwnMs);
  std::printf("  lines only                   %8.2f ms %8.2f ms\n", linesMs, linesOwnMs);
  std::printf("  markers only                 %8.2f ms %8.2f ms\n", markersMs, markersOwnMs);
  std::printf("ratio                         %8.1fx\n", fullMs / reducedMs);
  std::printf("pixels identical              %s\n", same ? "yes" : "NO");
  std::printf("pixel checksum                %016llx\n", checksum);
  std::printf("time axis ticks (1600 px)     %8.1f us\n", timeTicksUs);
  std::printf("numeric axis ticks (758 px)   %8.1f us\n", numTicksUs);
  // One profiled reduced redraw of the whole graph, lines and markers on.
  for (const auto& entry : g.Plots()) {
    entry.second->LineType = graph::kLines;
    entry.second->MarkerShape = marker;
    entry.second->Hide = false;
  }
  TimingCanvas timing(reducedCanvas);
  g.Draw(timing, all, true);
  std::printf("GDI calls of one reduced redraw (each flushed):\n");
  for (int k = 0; k < TimingCanvas::kKinds; ++k) {
    std::printf("  %-32s %6d calls %8.2f ms\n", TimingCanvas::kNames[k], timing.calls[k],
                timing.ms[k]);
  }
  return same ? 0 : 1;
}
