// Long waves under Wine on hdasim.exe (registered: the HdaServers fixture or scripts/hda-servers
// setup): ten 1 s items over a week (6.05 million raw values) and over 30 days (25.9 million).
//  1. In this process, in a bitmap the size of the graph window of a maximised document in a
//     1600 x 900 main window: the graph drawn whole from the server as the window draws it
//     (per-column extremes), and drawn from every raw value read by continuation; the time of
//     each and whether the two bitmaps are the same.
//  2. Varnel.exe with the server connected: the same documents opened until every wave is drawn
//     whole and the graph painted, a zoom into one day until repainted, and the private bytes the
//     open document added. Medians of kRuns.
//   scripts/wine-run <prefix> build/win64/bin/long_waves_bench.exe [--no-raw]
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <limits>
#include <string>
#include <vector>

#include "ambrel/ambrel.h"
#include "document/long_wave_drawing.h"
#include "document/wave_name.h"
#include "graph/graph_interaction.h"
#include "hda/connection_list.h"
#include "hda/raw_reader.h"
#include "platform/wide.h"
#include "tests/gui/varnel_driver.h"
#include "ui/gdi_canvas.h"
#include "ui/memory_bitmap.h"
#include "win/stopwatch.h"

namespace {

constexpr int kRuns = 5;
constexpr int kWidth = 1268, kHeight = 535;  // the graph window, as graph_zoom_bench finds it
constexpr double kDayMs = 86400000.0;
constexpr double kMonday = 1623024000000.0;  // 2021-06-07 00:00 UTC, a Monday
constexpr double kJune = 1622505600000.0;    // 2021-06-01 00:00 UTC
const char16_t kServer[] = u"Varnel.HdaSim.1";
const char16_t* const kItems[] = {u"Waves/Sine 1s",   u"Waves/Ramp 1s",     u"Waves/Saw 1s",
                                  u"Waves/Square 1s", u"Waves/Triangle 1s", u"Waves/Random walk 1s",
                                  u"Types/I2",        u"Types/I4",          u"Types/R4",
                                  u"Types/R8"};

struct TSpan {
  const char* name;
  const wchar_t* file;
  double start, days;
};
const TSpan kSpans[] = {{"a week", L"week.xml", kMonday, 7}, {"30 days", L"month.xml", kJune, 30}};

class TQuietMessages final : public IUserMessages {
 public:
  void ShowMessage(const TString& text, TMessageKind) override {
    std::printf("message: %ls\n", platform::W(text.Str()));
  }
};

void __stdcall OnError(HRESULT, const char*) {}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// The document as a read makes it: every item's first 32000 values of the span.
TVarnelDoc MakeDocument(THdaConnectionList& list, const TSpan& span) {
  TVarnelDoc doc;
  doc.Period = kPeriodCustom;
  doc.StartTime = span.start;
  doc.StopTime = span.start + span.days * kDayMs;
  doc.Live = false;
  doc.Locked = true;
  HdaServerDef server;
  server.ServerName = kServer;
  ConnectionInfo& info = doc.FindOrAddConnection(server);
  for (const char16_t* item : kItems) {
    info.AddItemName(item);
    TWave wave;
    wave.ServerName = kServer;
    wave.ItemName = item;
    if (list.ReadWave(list.Id(0), wave, doc.StartTime, doc.StopTime)) {
      std::printf("cannot read %ls\n", platform::W(item));
    }
    doc.Waves.push_back(std::move(wave));
  }
  return doc;
}

void Draw(graph::TGraph& g, ui::MemoryBitmap& bitmap) {
  ui::GdiCanvas canvas(bitmap.Dc(), false);
  g.Draw(canvas, {0, 0, kWidth, kHeight});
  GdiFlush();
}

// Part 1: the long waves drawn as the window draws them, and from every raw value.
void CompareWithEveryRawValue(THdaConnectionList& list, const TVarnelDoc& doc, const TSpan& span,
                              bool withRaw, IUserMessages& messages) {
  ui::MemoryBitmap whole(kWidth, kHeight), raw(kWidth, kHeight);
  // The same palette entries for the plots of both graphs.
  graph::TPlotSettings::SetDefaultCountForTesting(0);
  graph::TGraph g;
  BuildDocumentGraph(doc, g);
  const win::Stopwatch drawing;
  const std::vector<TCutWave> cut = DrawLongWaves(
      doc, g, [&] { Draw(g, whole); }, list);
  const double wholeMs = drawing.Milliseconds();
  std::size_t points = 0;
  for (const TWave& wave : doc.Waves) points += g.FindPlot(WaveFullName(wave))->X().size();
  std::printf("%s, drawn whole from the extremes: %.0f ms (%zu points, %zu waves left cut)\n",
              span.name, wholeMs, points, cut.size());
  if (!withRaw) return;

  graph::TPlotSettings::SetDefaultCountForTesting(0);
  graph::TGraph r;
  BuildDocumentGraph(doc, r);
  const win::Stopwatch reading;
  std::uint64_t values = 0;
  {
    const THdaConnectionList::CallScope scope(list);
    THdaConnection& connection = *list.Find(list.Id(0));
    for (const TWave& wave : doc.Waves) {
      graph::TEnvelope every;
      every.yLower = std::numeric_limits<double>::max();
      every.yUpper = std::numeric_limits<double>::lowest();
      hda::TRawReadRequest request;
      request.serverHandle = static_cast<DWORD>(connection.FindItem(wave.ItemName)->ServerHandle);
      request.start = hda::FileTimeOfStamp(doc.StartTime);
      request.stop = hda::FileTimeOfStamp(doc.StopTime);
      request.limit = std::numeric_limits<std::uint64_t>::max();
      hda::ReadRawByContinuation(
          connection, request,
          [&](const hda::TRawPiece& piece) {
            for (std::uint32_t i = 0; i < piece.count; ++i) {
              const double y = hda::NumberOfVariant(piece.values[i]);
              every.x.push_back(hda::StampOfFileTime(piece.times[i]));
              every.y.push_back(y);
              every.yLower = std::min(every.yLower, y);
              every.yUpper = std::max(every.yUpper, y);
            }
            return true;
          },
          messages);
      values += every.x.size();
      every.xLower = every.x.front();
      every.xUpper = every.x.back();
      const std::uint64_t count = every.x.size();
      r.FindPlot(WaveFullName(wave))->SetEnvelope(std::move(every), count);
    }
  }
  const double readMs = reading.Milliseconds();
  const win::Stopwatch rawDrawing;
  Draw(r, raw);
  const double drawMs = rawDrawing.Milliseconds();
  int differing = 0;
  for (int i = 0; i < kWidth * kHeight; ++i) {
    differing += (whole.Pixels()[i] & 0xFFFFFF) != (raw.Pixels()[i] & 0xFFFFFF);
  }
  std::printf(
      "%s, every raw value: %llu values read in %.0f ms, drawn in %.0f ms; "
      "whole / raw %.4f; bitmaps %s (%d pixels differ)\n",
      span.name, static_cast<unsigned long long>(values), readMs, drawMs,
      wholeMs / (readMs + drawMs), differing == 0 ? "identical" : "DIFFER", differing);
}

// "<name>|a|b|c|d" lines of the graph question: the numbers of the line named so.
std::vector<long long> GraphLine(const std::wstring& answer, const std::wstring& name) {
  std::vector<long long> numbers;
  const std::size_t at = answer.find(name + L"|");
  if (at == std::wstring::npos) return numbers;
  const wchar_t* p = answer.c_str() + at + name.size() + 1;
  while (*p && *p != L'\n') {
    wchar_t* end = nullptr;
    numbers.push_back(std::wcstoll(p, &end, 10));
    p = *end == L'|' ? end + 1 : end;
    if (end == p && *p != L'|') break;
  }
  return numbers;
}

// Waits until the active document's long waves are read and drawn: the milliseconds from the
// timed open or command to the last paint, and the private bytes then; false after 60 s.
bool WaitSettled(const gui::VarnelProcess& program, double& ms, unsigned long long& bytes) {
  std::wstring answer;
  const bool settled = gui::WaitUntil(
      [&] {
        answer = program.Ask(L"settled");
        return std::swscanf(answer.c_str(), L"%lf %llu", &ms, &bytes) == 2;
      },
      60000);
  if (!settled) std::printf("not settled: \"%ls\"\n", answer.c_str());
  return settled;
}

std::wstring FirstLine(const std::wstring& text) { return text.substr(0, text.find(L'\n')); }

void Mouse(HWND window, UINT message, WPARAM keys, int x, int y) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, keys, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &result);
}

// Part 2: Varnel.exe opens each document until it is painted whole, then zooms into a day.
int MeasureProgram(const std::wstring& dir) {
  gui::WriteUtf16(
      dir + L"\\Varnel_Config.xml",
      L"<Varnel_Configuration><HdaOpcServers><HdaServerDef><MachineName></MachineName>"
      L"<ServerName>Varnel.HdaSim.1</ServerName><ReconnectAtStartup>1</ReconnectAtStartup>"
      L"</HdaServerDef></HdaOpcServers></Varnel_Configuration>");
  // A document without items, maximised: the documents opened after it open maximised too.
  TVarnelDoc empty;
  const std::wstring anchor = dir + L"\\empty.xml";
  if (empty.Save(platform::U16(anchor.c_str()))) return 1;
  gui::VarnelProcess program(dir, L"\"" + anchor + L"\"");
  if (!program.Start() || !program.WaitMainWindow()) {
    std::printf("Varnel.exe did not start\n");
    return 1;
  }
  SetWindowPos(program.MainWindow(), nullptr, 0, 0, 1600, 900, SWP_NOZORDER);
  HWND child = nullptr;
  gui::WaitUntil(
      [&] {
        return (child = gui::FindDescendant(program.MainWindow(), L"VarnelMdiChild")) != nullptr;
      },
      30000);
  if (child) PostMessageW(child, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  Sleep(1500);  // maximised and repainted
  if (!gui::WaitUntil(
          [&] {
            return program.Ask(L"connections").find(L"Varnel.HdaSim.1") != std::wstring::npos;
          },
          30000)) {
    std::printf("Varnel.exe did not connect the server\n");
    return 1;
  }
  for (const TSpan& span : kSpans) {
    std::vector<double> open, first, zoom, added;
    for (int run = 0; run < kRuns; ++run) {
      const std::wstring path = dir + L"\\" + span.file;
      double openMs = 0, settledMs = 0;
      unsigned long long before = 0, after = 0, settled = 0;
      const std::wstring opened = program.Ask(L"open-timed " + path);
      if (std::swscanf(opened.c_str(), L"%lf %llu %llu", &openMs, &before, &after) != 3) {
        std::printf("%s: the document did not open (\"%ls\")\n", span.name, opened.c_str());
        return 1;
      }
      if (!WaitSettled(program, settledMs, settled)) return 1;
      open.push_back(settledMs);
      first.push_back(openMs);
      added.push_back(static_cast<double>(settled) - static_cast<double>(before));
      if (run == 0)
        std::printf("%s: status \"%ls\"\n", span.name, FirstLine(program.Ask(L"status")).c_str());

      // A selection over one day of the plot area, then Expand horizontally, until repainted.
      const std::wstring graph = program.Ask(L"graph");
      const std::vector<long long> window = GraphLine(graph, L"window");
      const std::vector<long long> area = GraphLine(graph, L"area");
      if (window.size() != 1 || area.size() != 4) {
        std::printf("no graph: %ls\n", graph.c_str());
        return 1;
      }
      HWND graphWindow = reinterpret_cast<HWND>(static_cast<UINT_PTR>(window[0]));
      const double dayPixels = static_cast<double>(area[2] - area[0]) / span.days;
      const int x0 = static_cast<int>(area[0] + 3 * dayPixels),
                x1 = static_cast<int>(x0 + dayPixels);
      const int y0 = static_cast<int>(area[1] + 20), y1 = static_cast<int>(area[3] - 20);
      Mouse(graphWindow, WM_LBUTTONDOWN, MK_LBUTTON, x0, y0);
      Mouse(graphWindow, WM_MOUSEMOVE, MK_LBUTTON, x1, y1);
      Mouse(graphWindow, WM_LBUTTONUP, 0, x1, y1);
      program.Ask(L"command-timed " + std::to_wstring(graph::kZoomExpandHorizontal));
      double zoomMs = 0;
      if (!WaitSettled(program, zoomMs, settled)) return 1;
      zoom.push_back(zoomMs);

      // Closed again without saving, so that no earlier document repaints in the background.
      const auto documents = [&] {
        const std::wstring answer = program.Ask(L"documents");
        return std::count(answer.begin(), answer.end(), L'\n');
      };
      const auto open_documents = documents();
      HWND client = gui::FindDescendant(program.MainWindow(), L"MDIClient");
      PostMessageW(reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)), WM_CLOSE, 0,
                   0);
      gui::WaitUntil(
          [&] {
            if (HWND ask = program.WaitWindow(L"Varnel", 100)) gui::Click(GetDlgItem(ask, IDNO));
            return documents() < open_documents;
          },
          10000);
      if (run == 0)
        std::printf("%s zoomed: status \"%ls\"\n", span.name,
                    FirstLine(program.Ask(L"status")).c_str());
    }
    std::printf("%s: opened until painted whole: median %.0f ms (min %.0f, max %.0f) of %d\n",
                span.name, Median(open), *std::min_element(open.begin(), open.end()),
                *std::max_element(open.begin(), open.end()), kRuns);
    std::printf("%s:   of which the open and its first paint (cut waves): median %.0f ms\n",
                span.name, Median(first));
    std::printf("%s: zoom into one day until repainted: median %.0f ms (min %.0f, max %.0f)\n",
                span.name, Median(zoom), *std::min_element(zoom.begin(), zoom.end()),
                *std::max_element(zoom.begin(), zoom.end()));
    std::printf("%s: private bytes added by the open document: median %.1f MB\n", span.name,
                Median(added) / 1e6);
  }
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  while (HWND ask = program.WaitWindow(L"Varnel", 3000)) gui::Click(GetDlgItem(ask, IDNO));
  program.WaitExit();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool withRaw = !(argc > 1 && std::strcmp(argv[1], "--no-raw") == 0);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE,
                       RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_NONE, nullptr);
  EnableHDAErrorNotification(&OnError);
  const std::wstring dir = gui::MakeRunDirectory(L"long-waves-bench");
  int status = 0;
  {
    TQuietMessages messages;
    THdaConnectionList list(messages);
    HdaServerDef server;
    server.ServerName = kServer;
    if (!list.Add(server)) {
      std::printf("cannot connect %ls\n", platform::W(kServer));
      return 1;
    }
    for (const TSpan& span : kSpans) {
      TVarnelDoc doc = MakeDocument(list, span);
      const std::wstring path = dir + L"\\" + span.file;
      if (doc.Save(platform::U16(path.c_str()))) status = 1;
      CompareWithEveryRawValue(list, doc, span, withRaw, messages);
    }
  }
  if (status == 0) status = MeasureProgram(dir);
  if (status == 0)
    gui::RemoveRunDirectory(dir);
  else
    std::printf("the run's files are kept in %ls\n", dir.c_str());
  CoUninitialize();
  return status;
}
