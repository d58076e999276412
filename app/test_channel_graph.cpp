#include "app/test_channel_graph.h"

#include <windows.h>

#include <cwchar>

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "graph/graph_interaction.h"
#include "graph/legend_item.h"
#include "graph/trace_cursor.h"
#include "platform/wide.h"
#include "ui/gdi_select.h"
#include "views/legend_window.h"
#include "win/handle.h"
#include "win/stopwatch.h"

namespace app {

namespace {

std::wstring Number(double value) {
  wchar_t text[64];
  swprintf(text, 64, L"%.6f", value);
  return text;
}

std::wstring Wide(const TString& text) { return platform::W(text); }

std::wstring Rect(const TRect& r) {
  return std::to_wstring(r.left) + L"|" + std::to_wstring(r.top) + L"|" + std::to_wstring(r.right) +
         L"|" + std::to_wstring(r.bottom);
}

std::wstring DescribeGraph(views::GraphWindow& window) {
  const graph::TGraph& graph = window.Graph();
  std::wstring out =
      L"window|" + std::to_wstring(reinterpret_cast<UINT_PTR>(window.Hwnd())) + L"\n";
  out += L"area|" + Rect(graph.PlotAreaRect()) + L"\n";
  for (const graph::TAxisMap* side :
       {&graph.LeftAxes(), &graph.TopAxes(), &graph.RightAxes(), &graph.BottomAxes()}) {
    for (const auto& [id, axis] : *side) {
      const graph::TAxisSettings* s = axis->Settings();
      if (!s) continue;
      out += L"axis|" + std::to_wstring(id) + L"|" + std::to_wstring(axis->GetLocation()) + L"|" +
             (s->AutoScale ? L"1" : L"0") + L"|" + Number(s->MinValue) + L"|" +
             Number(s->MaxValue) + L"|" + Number(axis->Min()) + L"|" + Number(axis->Max()) + L"|" +
             Rect(axis->Band()) + L"|" + (s->Hide ? L"1" : L"0") + L"\n";
    }
  }
  out += L"selection|" + std::wstring(window.HasSelection() ? L"1" : L"0") + L"|" +
         Rect(window.Selection()) + L"\n";
  out += L"readout|" + Wide(graph.Readout) + L"\n";
  out += L"drawings|" + std::to_wstring(window.Drawings()) + L"\n";
  const views::TGraphLegendDialog* legend = window.Legend();
  if (!legend || !legend->Hwnd()) return out + L"legend|-\n";
  wchar_t caption[256] = {};
  GetWindowTextW(legend->Hwnd(), caption, 256);
  out += L"legend|" + std::wstring(caption) + L"\n";
  const views::TLegendDropList& list = legend->List();
  for (std::size_t i = 0; i < list.Count(); ++i) {
    TString prefix;
    graph::LegendPrefix(list.Record(i), prefix);
    out += L"item|" + Wide(prefix) + L" " + Wide(list.Record(i).Name) + L"\n";
  }
  return out;
}

std::wstring TraceLabel(const wchar_t* kind, const graph::TTraceLabel& label) {
  return std::wstring(kind) + L"|" + Wide(label.text) + L"|" + Rect(label.box) + L"|" +
         std::to_wstring(label.color) + L"\n";
}

std::wstring DescribeTrace(const views::GraphWindow& window) {
  if (!window.TraceCursorOn()) return L"trace|off\n";
  const graph::TTracePicture& picture = window.TracePicture();
  std::wstring out = L"trace|on|" + Number(window.TraceCursor()->time) + L"|" +
                     std::to_wstring(window.TraceCursor()->axisId) + L"\n";
  if (picture.shown) {
    out += L"line|" + Rect(picture.line) + L"|" + std::to_wstring(picture.lineColor) + L"\n";
    for (const graph::TTraceLabel& label : picture.labels) out += TraceLabel(L"label", label);
    out += TraceLabel(L"time", picture.time);
  }
  for (const TRect& r : window.TraceOnScreen()) out += L"screen|" + Rect(r) + L"\n";
  return out;
}

}  // namespace

namespace {
LONGLONG timed_start = 0;
}  // namespace

void MarkTimedStart() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  timed_start = now.QuadPart;
}

LONGLONG TimedStart() { return timed_start; }

std::optional<std::wstring> GraphTestAnswer(TMainFrame& frame, const std::wstring& question) {
  const bool graph = question == L"graph";
  const bool command = question.rfind(L"command-timed ", 0) == 0;
  const bool update = question.rfind(L"update-timed ", 0) == 0;
  const bool paint = question == L"paint-timed";
  const bool trace = question == L"trace";
  const bool move = question.rfind(L"trace-move-timed ", 0) == 0;
  const bool mark = question.rfind(L"screen-mark ", 0) == 0;
  if (!graph && !command && !update && !paint && !trace && !move && !mark) return std::nullopt;
  TChildFrame* child = frame.ActiveChildFrame();
  if (!child) return L"none";
  views::GraphWindow& window = child->GraphView().GraphPane();
  if (graph) return DescribeGraph(window);
  if (trace) return DescribeTrace(window);
  if (mark) {
    RECT r{};
    if (swscanf(question.c_str() + 12, L"%ld %ld %ld %ld", &r.left, &r.top, &r.right, &r.bottom) !=
        4) {
      return L"bad rectangle";
    }
    const ui::WindowDc screen(window.Hwnd());
    const win::UniqueGdiObject brush(CreateSolidBrush(RGB(255, 0, 255)));
    FillRect(screen.Get(), &r, static_cast<HBRUSH>(brush.Get()));
    return L"done";
  }
  if (move) {
    wchar_t* end = nullptr;
    const long x = std::wcstol(question.c_str() + 17, &end, 10);
    const long y = std::wcstol(end, nullptr, 10);
    const win::Stopwatch watch;
    SendMessageW(window.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    return Number(watch.Milliseconds());
  }
  if (paint) {
    // An exposure: the graph window painted again with nothing it shows changed. The paint's own
    // figure, and whether it only put the kept bitmap on the screen.
    RedrawWindow(window.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return Number(window.LastPaintMilliseconds()) + (window.LastPaintKept() ? L" kept" : L" drawn");
  }
  MarkTimedStart();
  const win::Stopwatch watch;
  if (command) {
    // The zoom commands are the graph window's; the others go the way of the menu's.
    const auto id = static_cast<UINT>(std::wcstoul(question.c_str() + 14, nullptr, 10));
    const bool zoom = id >= graph::kZoomExpand && id <= graph::kZoomShrinkVertical;
    SendMessageW(zoom ? window.Hwnd() : frame.Hwnd(), WM_COMMAND, id, 0);
  } else {
    views::VarnelDocument* document = child->GraphView().Document();
    if (!document) return L"none";
    document->UpdateAllViews(nullptr,
                             static_cast<LPARAM>(std::wcstol(question.c_str() + 13, nullptr, 10)));
    RedrawWindow(child->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Whether that paint drew the graph or put the kept bitmap on the screen.
    return Number(watch.Milliseconds()) + (window.LastPaintKept() ? L" kept" : L" drawn");
  }
  return Number(watch.Milliseconds());
}

}  // namespace app
