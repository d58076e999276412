// Varnel.exe under Wine: the time from starting the program to its main window shown and idle
// (the prefix already booted), and the time to open a document of 10 waves x 32000 points until
// its graph is painted, with the process's private bytes. Medians of five runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/win/big_document.h"
#include "tests/gui/varnel_driver.h"
#include "win/handle.h"
#include "win/stopwatch.h"

namespace {

constexpr int kRuns = 5;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double Fastest(const std::vector<double>& v) {
  return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

// The file read whole into fresh memory, every page of it touched: what any reading of it costs
// at the least.
double ReadWhole(const std::wstring& path) {
  const win::Stopwatch watch;
  const win::UniqueHandle<win::FileHandleTraits> file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.Get(), &size)) return 0;
  std::vector<char> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD got = 0;
  if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
    return 0;
  return watch.Milliseconds();
}

// TVarnelDoc::Load of the document in this process against the plain read of its file, the
// fastest of seven each, interleaved: the load reads the file where it lies and walks it once,
// so it costs about what the read does.
double LoadRatio(const std::wstring& path) {
  std::vector<double> loads, reads;
  for (int i = 0; i < 7; ++i) {
    reads.push_back(ReadWhole(path));
    TVarnelDoc doc;
    const win::Stopwatch watch;
    if (doc.Load(platform::U16(path.c_str()))) return 0;
    loads.push_back(watch.Milliseconds());
  }
  std::printf("document load / plain read of its file: %.1f / %.1f ms (fastest of 7)\n",
              Fastest(loads), Fastest(reads));
  return Fastest(reads) > 0 ? Fastest(loads) / Fastest(reads) : 0;
}

}  // namespace

int main() {
  const std::wstring dir = gui::MakeRunDirectory(L"bench");
  const std::wstring document = bench::WriteBigDocument(dir, L"bench.xml");
  if (document.empty()) {
    std::printf("the benchmark document could not be written\n");
    return 1;
  }
  const double loadRatio = LoadRatio(document);
  std::vector<double> startup, open;
  unsigned long long before = 0, after = 0;
  for (int run = 0; run < kRuns; ++run) {
    gui::VarnelProcess program(dir);
    const win::Stopwatch watch;
    if (!program.Start()) {
      std::printf("Varnel.exe could not be started (error %lu)\n", program.StartError());
      return 1;
    }
    if (!program.WaitMainWindow()) {
      std::printf("Varnel.exe showed no main window within 30 s\n");
      return 1;
    }
    startup.push_back(watch.Milliseconds());
    const std::wstring answer = program.Ask(L"open-timed " + document);
    double ms = 0;
    if (std::swscanf(answer.c_str(), L"%lf %llu %llu", &ms, &before, &after) == 3)
      open.push_back(ms);
    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    if (HWND ask = program.WaitWindow(L"Varnel", 5000)) gui::Click(GetDlgItem(ask, IDNO));
    program.WaitExit();
  }
  std::printf("start-up to main window shown and idle: median %.0f ms of %d runs\n",
              Median(startup), kRuns);
  std::printf("open %d x %d points until painted:      median %.0f ms of %zu runs\n",
              bench::kBigWaves, bench::kBigPoints, Median(open), open.size());
  std::printf("private bytes before / after opening:  %.1f / %.1f MB\n", before / 1e6, after / 1e6);
  std::printf("load ratio %.3f\n", loadRatio);
  gui::RemoveRunDirectory(dir);
  return 0;
}
