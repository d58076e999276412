// The grid view with a document of 10 waves x 32000 points: the rebuild on a document update,
// the heap it keeps per cell, and the repaint after scrolling by a page, in a pane of the size
// of the lower third of a 1600 x 900 window and in one of the whole window. For reference, in the
// same run, the same table given to the grid as stored texts (one string per cell, as a grid
// without a cell source keeps them). Under Wine:
//   scripts/wine-run <prefix> build/win64/bin/grid_view_bench.exe
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "platform/wide.h"
#include "ui/grid_ctrl.h"
#include "views/core/grid_table.h"
#include "views/grid_view.h"
#include "win/stopwatch.h"

// Every heap block carries its size in front, so the live bytes of the program can be counted.
namespace {
std::atomic<long long> g_live_bytes{0};
constexpr std::size_t kHeader = 16;
}  // namespace

void* operator new(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (!block) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  g_live_bytes += static_cast<long long>(size);
  return block + kHeader;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  auto* block = static_cast<unsigned char*>(p) - kHeader;
  g_live_bytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(block));
  std::free(block);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

constexpr int kWaves = 10;
constexpr int kPoints = 32000;

struct Times {
  double median = 0;
  double max = 0;
};

template <typename F>
Times TimeRuns(int runs, F f) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const win::Stopwatch watch;
    f(i);
    times.push_back(watch.Milliseconds());
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.back()};
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

HWND MakeHost(int width, int height) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"GridBenchHost";
  RegisterClassW(&wc);
  HWND host =
      CreateWindowExW(0, wc.lpszClassName, L"grid bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                      0, 0, width, height, nullptr, nullptr, wc.hInstance, nullptr);
  UpdateWindow(host);
  return host;
}

void FillDocument(TVarnelDoc& doc) {
  for (int w = 0; w < kWaves; ++w) {
    TWave wave;
    wave.ServerName = u"Sim";
    const char16_t name[] = {u'W', u'a', u'v', u'e', static_cast<char16_t>(u'0' + w), 0};
    wave.ItemName = name;
    wave.T.reserve(kPoints);
    wave.Y.reserve(kPoints);
    for (int i = 0; i < kPoints; ++i) {
      wave.T.push_back(1735134310000.0 + 100.0 * i);
      wave.Y.push_back(1000.0 * std::sin(0.001 * i * (w + 1)));
    }
    doc.Waves.push_back(std::move(wave));
  }
}

// Rebuild and page scrolling of the grid view in a pane of that size.
void MeasureView(views::VarnelDocument& document, int width, int height) {
  HWND host = MakeHost(width, height);
  views::TVarnelGridView view;
  view.SetDocument(&document);
  view.Create(host, 1);
  MoveWindow(view.Hwnd(), 0, 0, width, height, TRUE);
  view.Grid().SetSmoothScrolling(false);
  Pump();

  const long long before = g_live_bytes;
  const win::Stopwatch first_watch;
  view.OnUpdate(nullptr, views::kHintFull);
  const double first_ms = first_watch.Milliseconds();
  const long long kept = g_live_bytes - before;
  const double cells =
      static_cast<double>(view.Grid().GetRowCount()) * view.Grid().GetColumnCount();
  UpdateWindow(view.Grid().Hwnd());
  const Times rebuild = TimeRuns(21, [&](int) { view.OnUpdate(nullptr, views::kHintRefresh); });
  UpdateWindow(view.Grid().Hwnd());

  HWND grid = view.Grid().Hwnd();
  // The cells are repainted before the message returns; the scroll bar follows when the queue is
  // handled, which the second measurement includes.
  const Times page = TimeRuns(200, [&](int) { SendMessageW(grid, WM_VSCROLL, SB_PAGEDOWN, 0); });
  SendMessageW(grid, WM_VSCROLL, SB_TOP, 0);
  Pump();
  const Times page_and_bar = TimeRuns(200, [&](int) {
    SendMessageW(grid, WM_VSCROLL, SB_PAGEDOWN, 0);
    Pump();
  });
  const Times full = TimeRuns(50, [&](int) {
    InvalidateRect(grid, nullptr, FALSE);
    UpdateWindow(grid);
  });
  RECT client;
  GetClientRect(grid, &client);
  std::printf(
      "pane %dx%d (grid client %ldx%ld, %d rows per page)\n", width, height, client.right,
      client.bottom,
      static_cast<int>((client.bottom - 2 * view.Grid().RowHeight()) / view.Grid().RowHeight()));
  std::printf("  rebuild: first %.2f ms, then median %.2f ms, max %.2f ms (21 runs)\n", first_ms,
              rebuild.median, rebuild.max);
  std::printf(
      "  heap kept by the table and grid: %lld bytes for %.0f cells = %.4f bytes per cell\n", kept,
      cells, static_cast<double>(kept) / cells);
  std::printf(
      "  page down: median %.2f ms, max %.2f ms per scroll and repaint of the cells (200 pages)\n",
      page.median, page.max);
  std::printf("  page down with the scroll bar drawn: median %.2f ms, max %.2f ms (200 pages)\n",
              page_and_bar.median, page_and_bar.max);
  std::printf("  whole repaint: median %.2f ms, max %.2f ms (50 runs)\n", full.median, full.max);
  view.SetDocument(nullptr);
  DestroyWindow(host);
}

// The same table kept as one stored text per cell, for comparison.
void MeasureStoredTexts(const TVarnelDoc& doc) {
  HWND host = MakeHost(1600, 300);
  ui::TGridCtrl grid;
  grid.Create(host, 1, {0, 0, 1600, 300});
  views::GridTable table;
  table.Build(doc, false, 1);
  views::CellScratch scratch;
  const long long before = g_live_bytes;
  const win::Stopwatch watch;
  grid.SetRedraw(false);
  grid.SetFixedRowCount(2);
  grid.SetRowCount(table.RowCount());
  for (int c = 0; c < table.ColumnCount(); ++c) grid.InsertColumn({}, c == 0 ? 32 : 130);
  for (int r = 0; r < table.RowCount(); ++r) {
    for (int c = 0; c < table.ColumnCount(); ++c) {
      const std::u16string_view text = table.CellText(r, c, scratch);
      grid.SetItemText(r, c, {platform::W(text.data()), text.size()});
    }
  }
  grid.SetRedraw(true);
  const double ms = watch.Milliseconds();
  const double cells = static_cast<double>(table.RowCount()) * table.ColumnCount();
  std::printf(
      "stored texts, for reference: filling %.1f ms, heap %lld bytes = %.1f bytes per cell\n", ms,
      g_live_bytes - before, static_cast<double>(g_live_bytes - before) / cells);
  DestroyWindow(host);
}

}  // namespace

int main() {
  SetProcessDPIAware();
  views::VarnelDocument document;
  FillDocument(document.Doc());
  MeasureView(document, 1600, 300);
  MeasureView(document, 1600, 860);
  MeasureStoredTexts(document.Doc());
  return 0;
}
