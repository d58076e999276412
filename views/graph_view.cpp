#include "views/graph_view.h"

#include "app_core/command_ids.h"
#include "document/wave_name.h"
#include "ui/clipboard_open.h"
#include "ui/gdi_select.h"
#include "ui/memory_bitmap.h"
#include "views/graph_view_messages.h"

namespace views {

TVarnelGraphView::TVarnelGraphView() {
  Commands().Add(ID_EDIT_COPY, [this](UINT) { CopyToClipboard(); });
  Commands().Add(ID_GRAPH_LEGEND, [this](UINT) { ShowLegend(); },
                 [this](ui::CommandState& s) { s.enabled = Document() != nullptr; });
  Commands().Add(
      ID_GRAPH_AUTOSCALE, [this](UINT) { graph_window_.Graph().SetAllAxesAutomatic(); },
      [this](ui::CommandState& s) { s.checked = graph_window_.Graph().AreAllAxesAutomatic(); });
  Commands().Add(ID_GRAPH_REPAINT, [this](UINT) { graph_window_.RepaintNow(); });
}

bool TVarnelGraphView::Create(HWND parent, UINT id) {
  ui::RegisterWindowClass({.name = kClassName, .style = CS_DBLCLKS});
  return Window::Create({.class_name = kClassName,
                         .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP,
                         .x = 0, .y = 0, .width = 0, .height = 0, .parent = parent,
                         .menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))});
}

bool TVarnelGraphView::OnCreate(const CREATESTRUCTW&) {
  RECT client;
  GetClientRect(Hwnd(), &client);
  return graph_window_.Create(Hwnd(), client);
}

void TVarnelGraphView::OnSize(UINT, int cx, int cy) {
  if (graph_window_.Hwnd()) MoveWindow(graph_window_.Hwnd(), 0, 0, cx, cy, TRUE);
}

void TVarnelGraphView::ApplyPeriod() {
  const TVarnelDoc& doc = Document()->Doc();
  graph::TGraph& graph = graph_window_.Graph();
  graph.SetTimeLimits(doc.StartTime, doc.StopTime);
  graph.SetTimeAxesAutomatic();
}

void TVarnelGraphView::OnUpdate(ui::View*, LPARAM hint) {
  VarnelDocument* document = Document();
  if (!document) return;
  TVarnelDoc& doc = document->Doc();
  graph::TGraph& graph = graph_window_.Graph();
  // Settings, period and plots change here; a paint that comes before the posted repaint must
  // draw them.
  graph_window_.MarkStale();

  // The graph is named after its document window.
  HWND frame = GetParent(GetParent(Hwnd()));
  wchar_t title[512] = {};
  if (frame) GetWindowTextW(frame, title, 512);
  graph.Name = TString(reinterpret_cast<const char16_t*>(title));

  switch (hint) {
    case kHintFull:
      graph.LoadSettings(doc.GraphSettings);
      break;
    case kHintAutomaticRefresh:
      if (!graph.IsTimeAxisManual()) ApplyPeriod();
      break;
    case kHintPeriodKind:
    case kHintPreviousPeriod:
    case kHintNextPeriod:
    case kHintCurrentPeriod:
      ApplyPeriod();
      break;
    default:
      break;
  }

  graph.DeleteAllPlots();
  bool store = false;
  bool added = false;
  for (const TWave& wave : doc.Waves) {
    if (!wave.S.empty()) continue;  // text waves are for the grid only
    const TString name = WaveFullName(wave);
    const auto found = doc.GraphSettings.Plots.find(name);
    if (hint == kHintFull && found != doc.GraphSettings.Plots.end()) {
      graph.AddOrUpdateWave(found->second, wave.T, wave.Y);
    } else {
      graph::TPlotSettings look;
      look.Name = name;
      graph.AddOrUpdateWave(look, wave.T, wave.Y);
      store = true;
    }
    added = true;
  }
  // The first showing also applies the period, so the time axes show the document's span.
  if (hint == kHintFull) ApplyPeriod();
  PostMessageW(graph_window_.Hwnd(), kGraphRepaintMessage, 0, 0);
  if (store || (hint != kHintFull && added)) StoreSettings();
}

void TVarnelGraphView::ApplyDocumentPlotVisibility() {
  VarnelDocument* document = Document();
  if (!document) return;
  const graph::TPlotSettingsMap& wanted = document->Doc().GraphSettings.Plots;
  graph::TGraph& graph = graph_window_.Graph();
  bool changed = false;
  for (auto& [name, record] : graph.Settings().Plots) {
    const auto found = wanted.find(name);
    if (found == wanted.end() || found->second.Hide == record.Hide) continue;
    record.Hide = found->second.Hide;
    changed = true;
  }
  // The plots take their records again and the window repaints; the zoom stays.
  if (changed) graph.Rebuild();
}

void TVarnelGraphView::ShowLegend() {
  if (Document()) graph_window_.ShowLegend();
}

void TVarnelGraphView::MarkPoint(const TString& wave_name, std::size_t index) {
  graph_window_.MarkPoint(wave_name, static_cast<std::int64_t>(index));
}

void TVarnelGraphView::StoreSettings() {
  VarnelDocument* document = Document();
  if (!document) return;
  document->Doc().GraphSettings = graph_window_.Graph().Settings();
  document->Doc().SetModified(true);
}

void TVarnelGraphView::CopyToClipboard() {
  RECT client;
  GetClientRect(Hwnd(), &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  ui::WindowDc screen(Hwnd());
  HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), client.right, client.bottom);
  if (!bitmap) return;
  {
    ui::UniqueDc memory(CreateCompatibleDC(screen.Get()));
    ui::SelectGuard select(memory.Get(), bitmap);
    FillRect(memory.Get(), &client, GetSysColorBrush(COLOR_WINDOW));
    graph_window_.DrawInto(memory.Get(), client, false);
  }
  {
    const ui::ClipboardOpen clipboard(Hwnd());
    if (clipboard.IsOpen() && EmptyClipboard() && SetClipboardData(CF_BITMAP, bitmap)) {
      bitmap = nullptr;  // the clipboard owns it now
    }
  }
  if (bitmap) DeleteObject(bitmap);
}

LRESULT TVarnelGraphView::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kStoreGraphSettingsMessage:
      if (wparam == 1) StoreSettings();
      return 0;
    case WM_KEYDOWN:
      graph_window_.KeyDown();
      return 0;
    case WM_KEYUP:
      graph_window_.KeyUp();
      return 0;
    case WM_KILLFOCUS:
      graph_window_.FocusLost();
      break;
    default:
      break;
  }
  return TVarnelView::HandleMessage(message, wparam, lparam);
}

}  // namespace views
