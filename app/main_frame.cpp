#include "app/main_frame.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "app/child_frame.h"
#include "app/resource.h"
#include "app_context/start_directory.h"
#include "document/log_entry.h"
#include "document/log_message.h"
#include "platform/wide.h"
#include "strings/resource_text.h"
#include "text/time_base.h"
#include "text/time_fields.h"
#include "ui/doc_manager.h"
#include "ui/dpi.h"
#include "ui/mdi_child.h"
#include "views/graph_view.h"
#include "views/print_job.h"

namespace app {

namespace {

TMainFrame* g_main_frame = nullptr;

constexpr int kPeriodToolbarGap = 20;
constexpr std::size_t kMaxTooltipUnits = 80;
const std::vector<UINT> kFileButtons = {ID_FILE_NEW,   ID_FILE_OPEN, ID_FILE_SAVE,  0,
                                        ID_EDIT_CUT,   ID_EDIT_COPY, ID_EDIT_PASTE, 0,
                                        ID_FILE_PRINT, ID_APP_ABOUT};
const std::vector<UINT> kPeriodButtons = {ID_SERVER_CONNECT_LOCAL,
                                          ID_SERVER_CONNECT_REMOTE,
                                          ID_BROWSE_LAST_CONNECTION,
                                          ID_GRAPH_REMOVE_TAGS,
                                          ID_PERIOD_UNLOCK,
                                          ID_PERIOD_LOCK,
                                          ID_PERIOD_PREVIOUS,
                                          ID_PERIOD_REFRESH,
                                          ID_PERIOD_NEXT,
                                          ID_PERIOD_CURRENT,
                                          0,
                                          ID_GRAPH_TRACE_CURSOR};

// Marks the work of the automatic refresh, which runs with nobody to answer.
class UnattendedScope {
 public:
  explicit UnattendedScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~UnattendedScope() { flag_ = false; }
  UnattendedScope(const UnattendedScope&) = delete;
  UnattendedScope& operator=(const UnattendedScope&) = delete;

 private:
  bool& flag_;
};

// The clock pane: "hh:mm:ss" in local time, "INF" when the time cannot be converted.
std::wstring ClockText(double now) {
  TTimeFields fields;
  TimeToFields(now, fields);
  if (fields.invalid) return L"INF";
  wchar_t text[16];
  swprintf(text, 16, L"%02li:%02li:%02li", static_cast<long>(fields.hour),
           static_cast<long>(fields.minute), static_cast<long>(fields.second));
  return text;
}

}  // namespace

TMainFrame* MainFrame() { return g_main_frame; }

TMainFrame::TMainFrame() : connections_(*this), refresh_(Now()) {
  g_main_frame = this;
  link_.language = config_.Language;
  SetMainFrameLink(&link_);
  views::TVarnelGraphView::SetWaveSource(&connections_);
  // The entries of the connections would act on the ones that moved up into their places.
  connections_.OnShutdownRemoval([this](const std::vector<HdaServerDef>& servers) {
    ServersLost(servers);
    if (Hwnd()) PostMessageW(Hwnd(), kRebuildMenusMessage, 0, 0);
  });
  AddCommands();
}

TMainFrame::~TMainFrame() {
  views::TVarnelGraphView::SetWaveSource(nullptr);
  SetMainFrameLink(nullptr);
  if (g_main_frame == this) g_main_frame = nullptr;
}

bool TMainFrame::LoadFrame() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  ui::RegisterWindowClass(
      {.name = kClassName,
       .style = CS_DBLCLKS,
       .icon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME)),
       .small_icon = static_cast<HICON>(
           LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 16, 16, LR_SHARED)),
       .background = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1)});
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
  const bool made = Create({.class_name = kClassName,
                            .title = L"Varnel",
                            .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            .menu = menu});
  if (!made && menu) DestroyMenu(menu);
  return made;
}

bool TMainFrame::CreateBars() {
  if (!file_bar_.Create({.parent = Hwnd(),
                         .id = IDR_FILE_TOOLBAR,
                         .bitmap_resource = IDR_FILE_TOOLBAR,
                         .buttons = kFileButtons})) {
    return false;
  }
  if (!period_bar_.Create({.parent = Hwnd(),
                           .id = IDR_PERIOD_TOOLBAR,
                           .bitmap_resource = IDR_PERIOD_TOOLBAR,
                           .buttons = kPeriodButtons})) {
    return false;
  }
  if (!status_.Create(Hwnd(), ui::kStatusBarId)) return false;
  status_.SetPaneWidths({ui::ScaleForWindow(Hwnd(), 60), status_.TextWidth(L"88:88:88 ") + 8});
  return true;
}

bool TMainFrame::OnCreate(const CREATESTRUCTW& create) {
  if (!MdiFrame::OnCreate(create)) return false;
  log_ = std::make_unique<TGridDoc>(StartDirectory());
  link_.log = log_.get();
  log_->BackupLogFile();
  if (!CreateBars()) return false;
  LogMessage(kTypeOther, kLevelInfo, u"Application started");
  // A first start has no file and an older one may lack sections: the defaults stand for them.
  static_cast<void>(config_.Load());
  link_.language = config_.Language;
  const TRect& box = config_.MainBox;
  MoveWindow(Hwnd(), box.left, box.top, box.right - box.left, box.bottom - box.top, FALSE);
  LoadLanguageMenu();
  PostMessageW(Hwnd(), kStartupMessage, 0, 0);
  return true;
}

RECT TMainFrame::LayoutBars(RECT client) {
  int top = client.top;
  if (file_bar_.Shown() || period_bar_.Shown()) {
    int x = 0;
    int height = 0;
    if (file_bar_.Shown()) {
      const SIZE size = file_bar_.IdealSize();
      MoveWindow(file_bar_.Hwnd(), x, top, size.cx, size.cy, TRUE);
      x += size.cx + ui::ScaleForWindow(Hwnd(), kPeriodToolbarGap);
      height = size.cy;
    }
    if (period_bar_.Shown()) {
      const SIZE size = period_bar_.IdealSize();
      MoveWindow(period_bar_.Hwnd(), x, top, size.cx, size.cy, TRUE);
      height = std::max<int>(height, size.cy);
    }
    top += height;
  }
  int bottom = client.bottom;
  if (status_.Hwnd() && IsWindowVisible(status_.Hwnd())) {
    status_.Relayout();
    bottom -= status_.Height();
  }
  return {client.left, top, client.right, std::max(top, bottom)};
}

void TMainFrame::OnStartup() {
  for (const HdaServerDef& server : std::vector<HdaServerDef>(config_.Servers)) {
    if (!server.ReconnectAtStartup) continue;
    // The menus hold ten connections; the identifiers after theirs are other commands'.
    if (connections_.Count() >= THdaConnectionList::kMaxConnections) {
      RefuseReconnection(server);
      continue;
    }
    if (connections_.Add(server)) NoteLastConnection();
  }
  RebuildMenus();
  SetTimer(Hwnd(), kOneSecondTimer, 1000, nullptr);
  timer_running_ = true;
}

bool TMainFrame::OnTimer(UINT_PTR id) {
  if (id != kOneSecondTimer) return false;
  Tick();
  return true;
}

void TMainFrame::Tick() {
  const double now = Now();
  if (last_second_mark_ == 0) {  // the first tick only sets the mark
    last_second_mark_ = std::floor(now / 1000.0) * 1000.0;
    return;
  }
  if (now < last_second_mark_ + 1000.0) return;
  WriteLog();
  status_.SetText(2, ClockText(now));
  last_second_mark_ = std::floor(now / 1000.0) * 1000.0;

  // Not while a read is under way (its box, or COM's wait, lets the timer in): the refresh would
  // read the documents again from inside that read, and bring another box with each tick.
  if (connections_.InCall()) return;
  std::vector<views::VarnelDocument*> documents = AllDocuments();
  std::vector<TVarnelDoc*> docs;
  for (views::VarnelDocument* d : documents) docs.push_back(&d->Doc());
  const UnattendedScope unattended(unattended_);
  TryLostServers(now);
  if (refresh_.Tick(now, config_.RefreshRate, docs, connections_)) {
    for (views::VarnelDocument* d : documents) UpdateViews(*d, views::kHintAutomaticRefresh);
    UpdateTitle();
  }
}

void TMainFrame::SaveForExit() {
  KillTimer(Hwnd(), kOneSecondTimer);
  timer_running_ = false;
  // Where the window is restored to, in the screen coordinates it is placed with at the next start.
  const RECT r = restored_.Of(Hwnd());
  config_.MainBox = {r.left, r.top, r.right, r.bottom};
  // A file that cannot be written is logged by Save; nothing more can be done while closing.
  static_cast<void>(config_.Save());
  LogMessage(kTypeOther, kLevelInfo, u"Application closed");
  WriteLog();
}

bool TMainFrame::OnClose() {
  // A print job still draws the views: it stops at its next page, then the close comes again.
  if (views::PrintJobRunning()) {
    views::CloseWhenPrintJobEnds(Hwnd());
    return true;
  }
  SaveForExit();
  if (!Documents().CanCloseAll()) {
    // The user kept the program open: it goes on as before.
    SetTimer(Hwnd(), kOneSecondTimer, 1000, nullptr);
    timer_running_ = true;
    return true;
  }
  DestroyWindow(Hwnd());
  return true;
}

void TMainFrame::WriteLog() {
  if (!log_) return;
  log_->WritePending(config_.TraceSize);
  log_->MovePending();
}

bool TMainFrame::OnQueryEndSession() {
  // Logging off or shutting down: the documents are offered for saving now; Cancel keeps the
  // session (and the program) going. A print job is not cut off by the session's end.
  return !views::PrintJobRunning() && Documents().CanCloseAll();
}

void TMainFrame::OnEndSession() {
  // The session ends once this returns: keep what closing keeps, without asking again.
  SaveForExit();
  DestroyWindow(Hwnd());
}

void TMainFrame::OnDestroy() {
  if (timer_running_) KillTimer(Hwnd(), kOneSecondTimer);
  // Lines logged after the close wrote the log (during its save questions, while the windows
  // go) are written too.
  WriteLog();
  link_.log = nullptr;
  log_.reset();
  PostQuitMessage(0);
}

bool TMainFrame::OnGetMinMaxInfo(MINMAXINFO& info) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  info.ptMaxSize = {width, height};
  info.ptMaxPosition = {0, 0};
  info.ptMaxTrackSize = {width, height};
  info.ptMinTrackSize = {240, 240};
  return true;
}

bool TMainFrame::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.code == TTN_GETDISPINFOW) {
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    static wchar_t tip[kMaxTooltipUnits + 1];
    const TString text(RString(PromptTextId(static_cast<int>(header.idFrom)), config_.Language));
    const std::size_t n = std::min<std::size_t>(text.Length(), kMaxTooltipUnits);
    std::copy_n(platform::W(text), n, tip);
    tip[n] = L'\0';
    info.lpszText = tip;
    result = 0;
    return true;
  }
  return false;
}

void TMainFrame::ShowPrompt(UINT id) {
  if (!status_.Hwnd()) return;
  status_.SetText(
      0, id ? platform::W(RString(PromptTextId(static_cast<int>(id)), config_.Language)) : L"");
}

void TMainFrame::OnIdle() {
  const ui::CommandChain chain = Chain();
  file_bar_.UpdateButtons(chain);
  period_bar_.UpdateButtons(chain);
}

void TMainFrame::OnChildActivated() { UpdateTitle(); }

void TMainFrame::ShowMessage(const TString& text, TMessageKind kind) {
  if (unattended_) {
    // Nobody may be there to answer a box, and the next refresh would bring another one.
    const int level = kind == TMessageKind::Error     ? kLevelError
                      : kind == TMessageKind::Warning ? kLevelWarning
                                                      : kLevelInfo;
    LogMessage(kTypeOpc, level, text.Str());
    if (status_.Hwnd()) status_.SetText(0, platform::W(text));
    return;
  }
  const UINT icon = kind == TMessageKind::Error     ? MB_ICONERROR
                    : kind == TMessageKind::Warning ? MB_ICONWARNING
                                                    : MB_ICONINFORMATION;
  MessageBoxW(Hwnd(), platform::W(text), L"Varnel", MB_OK | icon);
}

views::VarnelDocument* TMainFrame::ActiveDocument() const {
  ui::MdiChild* child = ActiveChild();
  return child ? static_cast<views::VarnelDocument*>(child->GetDocument()) : nullptr;
}

TChildFrame* TMainFrame::ActiveChildFrame() const {
  return dynamic_cast<TChildFrame*>(ActiveChild());
}

std::vector<views::VarnelDocument*> TMainFrame::AllDocuments() const {
  std::vector<views::VarnelDocument*> all;
  for (const auto& d : Documents().Documents()) {
    all.push_back(static_cast<views::VarnelDocument*>(d.get()));
  }
  return all;
}

void TMainFrame::CopyConfigToViews(views::VarnelDocument& document) {
  for (ui::View* v : document.Views()) {
    if (auto* view = dynamic_cast<views::TVarnelView*>(v)) view->SetConfig(config_);
  }
}

void TMainFrame::UpdateViews(views::VarnelDocument& document, LPARAM hint) {
  document.UpdateAllViews(nullptr, hint);
}

void TMainFrame::UpdateTitle() {
  TChildFrame* child = ActiveChildFrame();
  views::VarnelDocument* document = ActiveDocument();
  if (!child || !document) return;
  wchar_t caption[512] = {};
  GetWindowTextW(child->Hwnd(), caption, 512);
  const TString title = MainWindowTitle(&document->Doc(), IsZoomed(child->Hwnd()) != FALSE,
                                        TString(platform::U16(caption)));
  SetWindowTextW(Hwnd(), platform::W(title));
}

LRESULT TMainFrame::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kStartupMessage:
      OnStartup();
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wparam) OnEndSession();
      return 0;
    case WM_WINDOWPOSCHANGED:
      restored_.Note(Hwnd());
      break;  // the frame sizes its client from it
    case kRebuildMenusMessage:
      RebuildMenus();
      UpdateTitle();
      return 0;
    case kNewDocumentMessage:
    case kOpenedDocumentMessage:
      // The document may have been closed since the message was posted.
      for (views::VarnelDocument* document : AllDocuments()) {
        if (reinterpret_cast<LPARAM>(document) == lparam) CopyConfigToViews(*document);
      }
      PostMessageW(Hwnd(), kRebuildMenusMessage, 0, 0);
      return 0;
    default:
      break;
  }
  if (LRESULT answer = 0; filter_ && filter_(message, wparam, lparam, answer)) return answer;
  return MdiFrame::HandleMessage(message, wparam, lparam);
}

}  // namespace app
