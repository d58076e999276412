// Varnel.exe under Wine with a document of 10 waves x 32000 points in a 1600 x 900 main window:
// the pointer moved across the graph, each move timed inside the program through its test
// channel ("trace-move-timed": the graph window's whole handling of WM_MOUSEMOVE, the axis
// readout, the nearest point and the readout strip's repaint included), 300 moves of 3 pixels
// from the plot area's left with the trace cursor on, then the same moves with it off as the
// reference of the same run. The cursor's part is the difference.
//   scripts/wine-run <prefix> build/win64/bin/trace_cursor_bench.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "strings/command_ids.h"
#include "bench/win/big_document.h"
#include "bench/win/maximised_graph.h"
#include "tests/gui/varnel_driver.h"

namespace {

constexpr int kMoves = 300;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[static_cast<std::size_t>(p * (v.size() - 1))];
}

// The lines of a test channel's answer whose first field is `kind`, split at '|'.
std::vector<std::vector<std::wstring>> Rows(const std::wstring& answer, const std::wstring& kind) {
  std::vector<std::vector<std::wstring>> rows;
  std::wistringstream lines(answer);
  std::wstring line;
  while (std::getline(lines, line)) {
    std::vector<std::wstring> fields;
    std::wistringstream parts(line);
    std::wstring field;
    while (std::getline(parts, field, L'|')) fields.push_back(field);
    if (!fields.empty() && fields[0] == kind) rows.push_back(fields);
  }
  return rows;
}

// The plot area's left, top, right and bottom from the answer to "graph".
std::vector<int> PlotArea(const gui::VarnelProcess& program) {
  for (const std::vector<std::wstring>& f : Rows(program.Ask(L"graph"), L"area")) {
    if (f.size() == 5) return {std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4])};
  }
  return {};
}

std::vector<double> Sweep(const gui::VarnelProcess& program, const std::vector<int>& area) {
  std::vector<double> times;
  const int y = (area[1] + area[3]) / 2;
  for (int i = 0; i < kMoves; ++i) {
    const int x = area[0] + (i * 3) % (area[2] - area[0]);
    times.push_back(std::stod(
        program.Ask(L"trace-move-timed " + std::to_wstring(x) + L" " + std::to_wstring(y))));
  }
  return times;
}

void Print(const char* what, const std::vector<double>& v) {
  std::printf("%-26s median %.3f ms, 90%% %.3f, 99%% %.3f, max %.3f (of %zu)\n", what, Median(v),
              Percentile(v, 0.9), Percentile(v, 0.99), *std::max_element(v.begin(), v.end()),
              v.size());
}

}  // namespace

int main() {
  const std::wstring dir = gui::MakeRunDirectory(L"trace-cursor-bench");
  const std::wstring document =
      bench::WriteBigDocument(dir, L"bench.xml", bench::WaveShape::RandomWalk);
  gui::VarnelProcess program(dir, L"\"" + document + L"\"");
  if (!program.Start() || !program.WaitMainWindow()) {
    std::printf("Varnel.exe did not start\n");
    return 1;
  }
  HWND graph = bench::MaximisedGraph(program);
  RECT client{};
  GetClientRect(graph, &client);
  const std::vector<int> area = PlotArea(program);
  if (area.size() != 4) {
    std::printf("no plot area\n");
    return 1;
  }

  program.Command(ID_GRAPH_TRACE_CURSOR);
  gui::WaitUntil([&] { return program.Ask(L"trace").rfind(L"trace|on", 0) == 0; }, 10000);
  const std::vector<double> on = Sweep(program, area);
  const std::wstring picture = program.Ask(L"trace");
  program.Command(ID_GRAPH_TRACE_CURSOR);
  gui::WaitUntil([&] { return program.Ask(L"trace").rfind(L"trace|off", 0) == 0; }, 10000);
  const std::vector<double> off = Sweep(program, area);

  long covered = 0;
  int rectangles = 0;
  for (const std::vector<std::wstring>& f : Rows(picture, L"screen")) {
    if (f.size() != 5) continue;
    ++rectangles;
    covered +=
        static_cast<long>(std::stoi(f[3]) - std::stoi(f[1])) * (std::stoi(f[4]) - std::stoi(f[2]));
  }
  std::printf("graph window %ld x %ld pixels, %d waves x %d points (random walks)\n", client.right,
              client.bottom, bench::kBigWaves, bench::kBigPoints);
  Print("move, trace cursor on:", on);
  Print("move, trace cursor off:", off);
  std::printf("the cursor's part: median %.3f ms; it covers %d rectangles, %ld pixels\n",
              Median(on) - Median(off), rectangles, covered);
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  while (HWND ask = program.WaitWindow(L"Varnel", 5000)) gui::Click(GetDlgItem(ask, IDNO));
  program.WaitExit();
  gui::RemoveRunDirectory(dir);
  return 0;
}
