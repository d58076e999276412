#include "app/test_channel.h"

#include <psapi.h>
#include <winternl.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/test_channel_graph.h"
#include "dialogs/item_browser.h"
#include "platform/wide.h"
#include "text/time_base.h"
#include "ui/doc_manager.h"
#include "views/printing_dialog.h"
#include "win/private_bytes.h"
#include "win/stopwatch.h"

namespace app {

namespace {

bool ChannelOpen() {
  static const bool open = [] {
    wchar_t value[8] = {};
    return GetEnvironmentVariableW(L"VARNEL_TEST_CHANNEL", value, 8) > 0 && value[0] == L'1';
  }();
  return open;
}

void DescribeMenu(HMENU menu, int depth, std::wstring& out) {
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    if (!GetMenuItemInfoW(menu, i, TRUE, &info)) continue;
    std::wstring flags;
    if (info.fState & MFS_GRAYED) flags += L'g';
    if (info.fState & MFS_CHECKED) flags += L'c';
    if (info.hSubMenu) flags += L'p';
    if (info.fType & MFT_SEPARATOR) flags += L's';
    out += std::to_wstring(depth) + L"|" + std::to_wstring(info.wID) + L"|" + flags + L"|" + text +
           L"\n";
    if (info.hSubMenu) DescribeMenu(info.hSubMenu, depth + 1, out);
  }
}

// GDI objects of this process. Wine answers GetGuiResources with 0; its GDI handle table is the
// process's own, laid out as Windows lays out the shared one (24-byte entries behind the PEB's
// GdiSharedHandleTable, the object type in the entry's byte 14), so the live entries are counted.
DWORD GdiObjects() {
  if (const DWORD total = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return total;
  constexpr std::size_t kEntryBytes = 24, kTypeByte = 14, kEntries = 65536, kTableInPeb = 0xF8;
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic,
                                nullptr) != 0) {
    return 0;
  }
  const auto* peb = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
  const auto* table = *reinterpret_cast<const unsigned char* const*>(peb + kTableInPeb);
  if (table == nullptr) return 0;
  DWORD live = 0;
  for (std::size_t i = 0; i < kEntries; ++i) live += table[i * kEntryBytes + kTypeByte] != 0;
  return live;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

BOOL CALLBACK CountWindowAndDescendants(HWND window, LPARAM count) {
  CountWindow(window, count);
  EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

// USER objects of this process; where the system gives no total (Wine), its windows.
DWORD UserObjects() {
  if (const DWORD total = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return total;
  DWORD windows = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindowAndDescendants,
                    reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::wstring Wide(const TString& text) { return platform::W(text); }

// A time stamp as whole milliseconds, "INF" when it is not finite.
std::wstring Milliseconds(double t) {
  return std::isfinite(t) ? std::to_wstring(static_cast<long long>(t)) : L"INF";
}

// The grid and the plots of the active document window (see the questions in the header).
std::wstring GridAnswer(TChildFrame* child, const std::wstring& question) {
  if (!child) return L"none";
  ui::TGridCtrl& grid = child->GridView().Grid();
  std::wstring out;
  if (question == L"grid") {
    const ui::GridCellRange s = grid.GetSelectedCellRange();
    for (int n : {grid.GetRowCount(), grid.GetColumnCount(), grid.GetFixedRowCount(),
                  grid.GetFixedColumnCount(), s.min_row, s.min_column, s.max_row, s.max_column}) {
      out += std::to_wstring(n) + L" ";
    }
  } else if (question == L"grid-find") {
    const FindState& find = child->GridView().Find();
    out = platform::W(find.Text.Str()) + std::wstring(L"|");
    for (const TString& earlier : find.History) {
      out += platform::W(earlier.Str()) + std::wstring(L";");
    }
    out += std::wstring(L"|") + (find.WholeWord ? L"1" : L"0") + (find.MatchCase ? L"1" : L"0") +
           std::to_wstring(find.Direction);
  } else if (question.rfind(L"grid-cell ", 0) == 0) {
    int row = -1, column = -1;
    swscanf(question.c_str() + 10, L"%d %d", &row, &column);
    const RECT r = grid.GetCellRect({row, column});
    for (LONG n : {r.left, r.top, r.right, r.bottom}) out += std::to_wstring(n) + L" ";
  } else {  // plots
    const auto& document = child->GraphView().Document()->Doc().GraphSettings.Plots;
    for (const auto& [name, plot] : child->GraphView().GraphPane().Graph().Settings().Plots) {
      const auto stored = document.find(name);
      const std::wstring plot_name = platform::W(name.Str());
      out += plot_name + L"|" + (plot.Hide ? L"1" : L"0") + L"|" +
             (stored == document.end() ? L"-"
              : stored->second.Hide    ? L"1"
                                       : L"0") +
             L"\n";
    }
  }
  return out;
}

}  // namespace

class TTestChannel {
 public:
  // Opens the document and paints its graph at once: "<milliseconds> <private bytes before>
  // <private bytes after>", or "failed".
  static std::wstring OpenTimed(TMainFrame& frame, const std::wstring& path) {
    const std::uint64_t before = win::PrivateBytes();
    MarkTimedStart();
    const win::Stopwatch watch;
    if (!frame.Documents().OpenDocument(path)) return L"failed";
    TChildFrame* child = frame.ActiveChildFrame();
    if (!child) return L"failed";
    RedrawWindow(child->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double ms = watch.Milliseconds();
    return std::to_wstring(ms) + L" " + std::to_wstring(before) + L" " +
           std::to_wstring(win::PrivateBytes());
  }

  // Whether the active document's long waves are all read and drawn: "busy", or the
  // milliseconds from the start of the last timed open or command to the end of the graph
  // window's last paint, and the process's private bytes.
  static std::wstring Settled(TMainFrame& frame) {
    TChildFrame* child = frame.ActiveChildFrame();
    if (!child) return L"none";
    const views::TVarnelGraphView& view = child->GraphView();
    if (view.LongWavesBusy()) return L"busy";
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double ms = 1000.0 * static_cast<double>(view.GraphPane().LastPaintEnd() - TimedStart()) /
                      static_cast<double>(frequency.QuadPart);
    return std::to_wstring(ms) + L" " + std::to_wstring(win::PrivateBytes());
  }

  static std::wstring Answer(TMainFrame& frame, const std::wstring& question) {
    std::wstring out;
    if (question == L"menu") {
      // Bring the greyed and checked states up to date, as a menu about to drop down would be.
      HMENU bar = GetMenu(frame.Hwnd());
      for (int i = 0, n = bar ? GetMenuItemCount(bar) : 0; i < n; ++i) {
        if (HMENU sub = GetSubMenu(bar, i)) {
          frame.OnMenuPopup(sub);
          frame.UpdateMenuItems(sub);
        }
      }
      if (bar) DescribeMenu(bar, 0, out);
    } else if (question == L"status") {
      for (int pane = 0; pane < 3; ++pane) out += frame.status_.Text(pane) + L"\n";
    } else if (question == L"status-tips") {
      for (int pane = 0; pane < 3; ++pane) out += frame.status_.Tip(pane) + L"\n";
    } else if (question == L"documents") {
      for (const auto& d : frame.Documents().Documents()) {
        auto* doc = static_cast<views::VarnelDocument*>(d.get());
        out += doc->Title() + L"|" + doc->PathName() + L"|" + (doc->IsModified() ? L"1" : L"0") +
               L"|" + std::to_wstring(doc->Doc().Waves.size()) + L"|" +
               std::to_wstring(doc->Doc().ItemCount()) + L"\n";
      }
    } else if (question == L"printing") {
      out = views::PrintingDialogRecord();
    } else if (question == L"draw-ms") {
      TChildFrame* child = frame.ActiveChildFrame();
      out = child ? std::to_wstring(child->GraphView().GraphPane().LastDrawMilliseconds()) : L"-1";
    } else if (question == L"connections") {
      out = std::to_wstring(frame.LastConnection()) + L"\n";
      for (std::size_t k = 0; k < frame.connections_.Count(); ++k) {
        const THdaConnection& c = frame.connections_.At(k);
        out += Wide(c.DisplayName()) + L"|" + std::to_wstring(c.Session()) + L"|" +
               std::to_wstring(c.Items().size()) + L"\n";
      }
    } else if (question == L"resources") {
      out = std::to_wstring(win::PrivateBytes()) + L" " + std::to_wstring(GdiObjects()) + L" " +
            std::to_wstring(UserObjects()) + L" " +
            std::to_wstring(frame.Log() ? frame.Log()->Shown().size() : 0);
    } else if (question == L"reconnecting") {
      // name|tries|milliseconds to the next try, per lost server.
      const double now = Now();
      for (const TReconnectSchedule::Entry& e : frame.reconnect_.Entries()) {
        out += Wide(ServerDisplayName(e.server)) + L"|" + std::to_wstring(e.tries) + L"|" +
               Milliseconds(e.nextTry - now) + L"\n";
      }
    } else if (question == L"periods") {
      for (const auto& d : frame.Documents().Documents()) {
        const TVarnelDoc& doc = static_cast<views::VarnelDocument*>(d.get())->Doc();
        std::size_t points = 0;
        for (const TWave& wave : doc.Waves) points += wave.T.size();
        out += d->Title() + L"|" + std::to_wstring(doc.Period) + L"|" +
               Milliseconds(doc.StartTime) + L"|" + Milliseconds(doc.StopTime) + L"|" +
               (doc.Live ? L"1" : L"0") + L"|" + (doc.Locked ? L"1" : L"0") + L"|" +
               std::to_wstring(points) + L"\n";
      }
    } else if (question == L"item-browser") {
      const dialogs::TBrowseHdaItemDlg* browser = frame.item_browser_;
      out = browser ? std::to_wstring(browser->BrowseMilliseconds()) + L" " +
                          std::to_wstring(browser->LastFillMilliseconds())
                    : L"none";
    } else if (question.rfind(L"grid", 0) == 0 || question == L"plots") {
      out = GridAnswer(frame.ActiveChildFrame(), question);
    } else if (question.rfind(L"open-timed ", 0) == 0) {
      out = OpenTimed(frame, question.substr(11));
    } else if (question == L"settled") {
      out = Settled(frame);
    } else if (std::optional<std::wstring> graph = GraphTestAnswer(frame, question)) {
      out = *graph;
    } else {
      out = L"?";
    }
    return out;
  }
};

bool TestChannel(TMainFrame& frame, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (message != WM_COPYDATA || !ChannelOpen()) return false;
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
  if (!data || data->dwData != kTestChannelKind) return false;
  const std::wstring question(static_cast<const wchar_t*>(data->lpData),
                              data->cbData / sizeof(wchar_t));
  const std::wstring answer = TTestChannel::Answer(frame, question);
  COPYDATASTRUCT reply{kTestChannelKind, static_cast<DWORD>((answer.size() + 1) * sizeof(wchar_t)),
                       const_cast<wchar_t*>(answer.c_str())};
  SendMessageW(reinterpret_cast<HWND>(wparam), WM_COPYDATA, reinterpret_cast<WPARAM>(frame.Hwnd()),
               reinterpret_cast<LPARAM>(&reply));
  result = TRUE;
  return true;
}

}  // namespace app
