#include "views/graph_view.h"

#include <commctrl.h>

#include <cmath>
#include <limits>
#include <string>

#include "strings/command_ids.h"
#include "app_context/main_frame_text.h"
#include "document/long_wave_drawing.h"
#include "document/wave_name.h"
#include "platform/wide.h"
#include "strings/string_ids.h"
#include "text/time_fields.h"
#include "text/time_format.h"
#include "ui/bars.h"
#include "ui/clipboard_open.h"
#include "ui/gdi_select.h"
#include "ui/memory_bitmap.h"
#include "ui/text_args.h"
#include "views/graph_view_messages.h"
#include "win/stopwatch.h"

namespace views {

namespace {

IOpenConnections* wave_source = nullptr;

// The text with the wave's item for %1 and, for %2, `until` or else the time of its last value.
std::wstring WaveText(int id, const TWave& wave,
                      double until = std::numeric_limits<double>::quiet_NaN()) {
  std::wstring text =
      ui::ReplaceArgument(platform::W(RString(id)), L"%1", platform::W(wave.ItemName));
  if (std::isnan(until) && !wave.T.empty()) until = wave.T.back();
  if (!std::isnan(until)) {
    TTimeFields fields;
    TimeToFields(until, fields);
    text = ui::ReplaceArgument(text, L"%2", platform::W(FormatDateTime(fields, false)));
  }
  return text;
}

}  // namespace

void TVarnelGraphView::SetWaveSource(IOpenConnections* source) { wave_source = source; }

TVarnelGraphView::TVarnelGraphView() {
  Commands().Add(ID_EDIT_COPY, [this](UINT) { CopyToClipboard(); });
  Commands().Add(
      ID_GRAPH_LEGEND, [this](UINT) { ShowLegend(); },
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
                         .x = 0,
                         .y = 0,
                         .width = 0,
                         .height = 0,
                         .parent = parent,
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
  graph.Name = TString(platform::U16(title));

  switch (hint) {
    case kHintFull:
      graph.LoadSettings(doc.GraphSettings);
      break;
    case kHintAutomaticRefresh:
    // The refresh command and a browse move a live period to the present as the automatic
    // refresh does, and the title and the grid show it: an automatic time axis follows.
    case kHintRefresh:
    case kHintItemsBrowsed:
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
  // The first showing puts automatic time axes on the document's period (its axes may be new);
  // a time axis the document was saved zoomed keeps its zoom.
  if (hint == kHintFull && !graph.IsTimeAxisManual()) ApplyPeriod();
  NoteLongWaves();
  PostMessageW(graph_window_.Hwnd(), kGraphRepaintMessage, 0, 0);
  if (hint == kHintFull) {
    // Looks filled in for waves the file had none for: the document holds them from now on, but
    // opening it has not changed it.
    if (store) CopySettingsToDocument();
  } else if (store || added) {
    StoreSettings();
  }
}

void TVarnelGraphView::NoteLongWaves() {
  ++generation_;
  long_waves_.clear();
  const TVarnelDoc& doc = Document()->Doc();
  for (std::size_t i = 0; i < doc.Waves.size(); ++i) {
    const TWave& wave = doc.Waves[i];
    if (!wave.Cut || !wave.S.empty() || wave.T.empty()) continue;
    const TString name = WaveFullName(wave);
    graph::TPlot* plot = graph_window_.Graph().FindPlot(name);
    if (!plot) continue;
    plot->SetCutAfter(wave.T.back());
    if (wave_source) WidenToPeriodBounds(doc, wave, *plot, *wave_source);
    long_waves_.push_back({i, name, std::nullopt});
  }
  // The status bar names the last of them (the others' reads follow and say more).
  if (!long_waves_.empty()) {
    ShowStatus(WaveText(IDS_WAVE_CUT_STATUS, doc.Waves[long_waves_.back().wave]), false);
  }
}

void TVarnelGraphView::CheckLongWaves() {
  bool stale = false;
  for (TLongWave& entry : long_waves_) {
    const graph::TPlot* plot = graph_window_.Graph().FindPlot(entry.name);
    if (!plot || !plot->XAxis() || plot->Hide) continue;
    const auto grid = graph::AxisColumns(*plot->XAxis());
    if (grid && grid != entry.grid) stale = true;
  }
  if (stale) PostRead();
}

void TVarnelGraphView::ReadNextLongWave(WPARAM generation) {
  VarnelDocument* document = Document();
  // A newer update or drawing asked again; its own message follows.
  if (!document || generation != generation_ || !wave_source) return;
  const TVarnelDoc& doc = document->Doc();
  // Waves are read one after the other for a slice of time, then the window repaints and answers
  // before the next slice.
  constexpr double kSliceMs = 100;
  const win::Stopwatch slice;
  bool read = false;
  for (TLongWave& entry : long_waves_) {
    if (read && slice.Milliseconds() >= kSliceMs) break;
    graph::TPlot* plot = graph_window_.Graph().FindPlot(entry.name);
    if (!plot || !plot->XAxis() || plot->Hide || entry.wave >= doc.Waves.size()) continue;
    const auto grid = graph::AxisColumns(*plot->XAxis());
    if (!grid || grid == entry.grid) continue;
    const TWave& wave = doc.Waves[entry.wave];
    // Not connected: tried again at a drawing after the server is.
    const std::optional<ConnectionId> open = OpenConnectionOf(wave, *wave_source);
    if (!open) continue;
    entry.grid = grid;
    // Busy until the waves are in their plots: a read's calls let sent messages in.
    reading_ = read = true;
    ShowStatus(WaveText(IDS_READING_WAVE, wave), true);
    graph::TEnvelope envelope;
    auto progress = [&](std::uint64_t count) {
      ShowStatus(ui::ReplaceArgument(WaveText(IDS_READING_WAVE_COUNT, wave), L"%3",
                                     std::to_wstring(count)),
                 true);
    };
    if (wave_source->ReadEnvelope(*open, wave, *grid, doc.StartTime, doc.StopTime, envelope,
                                  progress)) {
      const double cutAfter = envelope.cutAfter;
      const bool allRaw = envelope.allRaw;
      plot->SetEnvelope(std::move(envelope), wave.T.size() + 1);
      plot->SetCutAfter(cutAfter);
      if (!std::isnan(cutAfter)) {
        ShowStatus(WaveText(IDS_WAVE_BUDGET_STATUS, wave, cutAfter), false);
      } else {
        ShowStatus(allRaw ? std::wstring() : WaveText(IDS_WAVE_ENVELOPE_STATUS, wave), false);
      }
    } else {
      ShowStatus(WaveText(IDS_WAVE_CUT_STATUS, wave), false);
    }
  }
  if (!read) return;
  graph_window_.MarkStale();
  InvalidateRect(graph_window_.Hwnd(), nullptr, FALSE);
  reading_ = false;
  PostRead();
}

void TVarnelGraphView::PostRead() {
  if (PostMessageW(Hwnd(), kReadExtremesMessage, generation_, 0)) ++posted_reads_;
}

bool TVarnelGraphView::LongWavesBusy() const {
  return reading_ || posted_reads_ > 0 || graph_window_.UntakenDrawnNotices() > 0 ||
         GetUpdateRect(graph_window_.Hwnd(), nullptr, FALSE);
}

void TVarnelGraphView::ShowStatus(const std::wstring& text, bool now) {
  HWND frame = GetAncestor(Hwnd(), GA_ROOT);
  HWND bar = frame ? FindWindowExW(frame, nullptr, STATUSCLASSNAMEW, nullptr) : nullptr;
  if (!bar) return;
  ui::SetStatusText(bar, 0, text);
  // Shown at once before a read, which keeps the message loop away.
  if (now) UpdateWindow(bar);
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

void TVarnelGraphView::CopySettingsToDocument() {
  if (VarnelDocument* document = Document()) {
    document->Doc().GraphSettings = graph_window_.Graph().Settings();
  }
}

void TVarnelGraphView::StoreSettings() {
  VarnelDocument* document = Document();
  if (!document) return;
  CopySettingsToDocument();
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
    win::UniqueDc memory(CreateCompatibleDC(screen.Get()));
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
    case kGraphDrawnMessage:
      graph_window_.TakeDrawnNotice();
      CheckLongWaves();
      return 0;
    case kReadExtremesMessage:
      posted_reads_ = posted_reads_ > 0 ? posted_reads_ - 1 : 0;
      ReadNextLongWave(wparam);
      return 0;
    case WM_KEYDOWN:
      graph_window_.KeyDown(static_cast<UINT>(wparam));
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
