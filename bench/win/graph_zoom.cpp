// Varnel.exe under Wine with a document of 10 waves x 32000 points in a 1600 x 900 main window:
// an "Expand" of a selection dragged on the graph until the graph is repainted (the zoom, the
// reduced drawing into the off-screen bitmap and its blit), and the whole update after a refresh
// of the document without its read (the graph view's plots rebuilt and the period applied, the
// grid view rebuilt, the document window painted). Each measured inside the program through its
// test channel; medians of 21 runs, the expands each from the automatic range, whose repaint by
// the Autoscale command is timed in the same run as the reference. Then the graph window
// repainted with nothing changed (an exposure), which puts the kept bitmap on the screen.
//   scripts/wine-run <prefix> build/win64/bin/graph_zoom_bench.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "strings/command_ids.h"
#include "bench/win/big_document.h"
#include "bench/win/maximised_graph.h"
#include "graph/graph_interaction.h"
#include "tests/gui/varnel_driver.h"
#include "views/varnel_document.h"

namespace {

constexpr int kRuns = 21;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void Mouse(HWND window, UINT message, WPARAM keys, int x, int y) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, keys, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &result);
}

}  // namespace

// One document in the program: the expand and the update, printed under the shape's name.
int Measure(bench::WaveShape shape, const char* shape_name) {
  const std::wstring dir = gui::MakeRunDirectory(L"graph-zoom-bench");
  const std::wstring document = bench::WriteBigDocument(dir, L"bench.xml", shape);
  if (document.empty()) {
    std::printf("the benchmark document could not be written\n");
    return 1;
  }
  gui::VarnelProcess program(dir, L"\"" + document + L"\"");
  if (!program.Start() || !program.WaitMainWindow()) {
    std::printf("Varnel.exe did not start\n");
    return 1;
  }
  HWND graph = bench::MaximisedGraph(program);
  RECT client{};
  GetClientRect(graph, &client);

  std::vector<double> zoom, update, redraw, whole, kept;
  int drawn_exposures = 0;
  for (int run = 0; run < kRuns; ++run) {
    // Every axis automatic again, the whole range repainted: the reference of the same run.
    whole.push_back(
        std::stod(program.Ask(L"command-timed " + std::to_wstring(ID_GRAPH_AUTOSCALE))));
    // A selection over the middle of the plot area.
    const int x0 = client.right / 3, x1 = 2 * client.right / 3;
    const int y0 = client.bottom / 4, y1 = client.bottom / 2;
    Mouse(graph, WM_LBUTTONDOWN, MK_LBUTTON, x0, y0);
    Mouse(graph, WM_MOUSEMOVE, MK_LBUTTON, x1, y1);
    Mouse(graph, WM_LBUTTONUP, 0, x1, y1);
    zoom.push_back(std::stod(program.Ask(L"command-timed " + std::to_wstring(graph::kZoomExpand))));
    redraw.push_back(std::stod(program.Ask(L"draw-ms")));
  }
  program.Ask(L"command-timed " + std::to_wstring(ID_GRAPH_AUTOSCALE));
  for (int run = 0; run < kRuns; ++run) {
    const std::wstring answer = program.Ask(L"paint-timed");
    kept.push_back(std::stod(answer + L"0"));
    if (answer.find(L"kept") == std::wstring::npos) ++drawn_exposures;
  }
  for (int run = 0; run < kRuns; ++run) {
    update.push_back(
        std::stod(program.Ask(L"update-timed " + std::to_wstring(views::kHintRefresh))));
  }
  std::printf("%s: graph window %ld x %ld pixels, %d waves x %d points\n", shape_name, client.right,
              client.bottom, bench::kBigWaves, bench::kBigPoints);
  std::printf("expand until repainted:          median %.1f ms (min %.1f, max %.1f) of %d\n",
              Median(zoom), *std::min_element(zoom.begin(), zoom.end()),
              *std::max_element(zoom.begin(), zoom.end()), kRuns);
  std::printf("  of which the drawing and blit: median %.1f ms\n", Median(redraw));
  std::printf("autoscale (whole range) repainted: median %.1f ms; expand / autoscale %.2f\n",
              Median(whole), Median(zoom) / Median(whole));
  std::printf(
      "exposure, kept bitmap painted:   median %.2f ms (min %.2f, max %.2f) of %d, %d drawn\n",
      Median(kept), *std::min_element(kept.begin(), kept.end()),
      *std::max_element(kept.begin(), kept.end()), kRuns, drawn_exposures);
  std::printf("update after a refresh, painted: median %.1f ms (min %.1f, max %.1f) of %d\n",
              Median(update), *std::min_element(update.begin(), update.end()),
              *std::max_element(update.begin(), update.end()), kRuns);
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  while (HWND ask = program.WaitWindow(L"Varnel", 5000)) gui::Click(GetDlgItem(ask, IDNO));
  program.WaitExit();
  gui::RemoveRunDirectory(dir);
  return 0;
}

int main() {
  if (Measure(bench::WaveShape::RandomWalk, "random walks") != 0) return 1;
  return Measure(bench::WaveShape::Noise, "noise");
}
