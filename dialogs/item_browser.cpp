#include "dialogs/item_browser.h"

#include <algorithm>

#include "ambrel/ambrel.h"
#include "app_context/main_frame_text.h"
#include "dialogs/browse_dialog_ids.h"
#include "dialogs/core/dialog_layout.h"
#include "dialogs/core/item_filter.h"
#include "dialogs/dialog_text.h"
#include "document/log_entry.h"
#include "document/log_message.h"
#include "strings/string_ids.h"
#include "win/stopwatch.h"

namespace dialogs {

namespace {

constexpr int kMinWidth = 250;
constexpr int kMinHeight = 300;
constexpr UINT_PTR kFilterTimer = 1;
constexpr UINT kFilterTimerMs = 500;
constexpr DWORD kItemIdBytes = 100;

}  // namespace

TBrowseHdaItemDlg::TBrowseHdaItemDlg(HWND owner, const TString& caption,
                                     THdaConnectionList& connections, ConnectionId connection,
                                     ConnectionInfo& info)
    : TDialog(owner, IDD_BROWSE_ITEMS),
      caption_(caption),
      connections_(connections),
      connection_(connection),
      info_(info) {
  SetSizeLimits(kMinWidth, kMinHeight, false);
}

bool TBrowseHdaItemDlg::OnInitDialog() {
  TDialog::OnInitDialog();
  SetWindowTextW(Hwnd(), W(caption_));
  SetItemText(IDC_ITEM_FILTER_GROUP, W(RString(IDS_FILTER)));
  SetButton(IDC_ITEM_ADD, IDS_ADD, IDI_ADD);
  SetButton(IDCANCEL, IDS_CLOSE, IDI_ANSWER_NO);
  SendMessageW(Item(IDC_ITEM_FILTER), EM_LIMITTEXT, kMaxFieldUnits, 0);

  // The filter stretches along the top, the list takes the rest, the buttons stay bottom right.
  const std::int32_t far_edge = LayoutCode(kLayoutKeepFar);
  AddLayout(IDC_ITEM_FILTER_GROUP, 0, 0, far_edge, 0);
  AddLayout(IDC_ITEM_FILTER, 0, 0, far_edge, 0);
  AddLayout(IDC_ITEM_LIST, 0, 0, far_edge, far_edge);
  AddLayout(IDC_ITEM_ADD, far_edge, far_edge, far_edge, far_edge);
  AddLayout(IDCANCEL, far_edge, far_edge, far_edge, far_edge);

  BrowseServer();
  FillList();
  SetTimer(Hwnd(), kFilterTimer, kFilterTimerMs, nullptr);
  SetFocus(Item(IDC_ITEM_FILTER));
  return false;
}

void TBrowseHdaItemDlg::BrowseServer() {
  const win::Stopwatch watch;
  const THdaConnection* connection = LiveConnection();
  const AMBREL_SESSION session = connection ? connection->Session() : AMBREL_NO_SESSION;
  const DWORD count = NumberOfHDAItems(session);
  items_.reserve(count);
  ListExtent extent(Item(IDC_ITEM_LIST));
  for (DWORD i = 0; i < count; ++i) {
    char name[kItemIdBytes] = {};
    if (!GetHDAItemName(session, i, name, kItemIdBytes)) continue;
    extent.Measure(items_.emplace_back(name));
  }
  extent.Apply();
  browse_ms_ = watch.Milliseconds();
}

void TBrowseHdaItemDlg::FillList() {
  const win::Stopwatch watch;
  HWND list = Item(IDC_ITEM_LIST);
  const FilteredItems filtered =
      FilterItems(items_, FieldText(Item(IDC_ITEM_FILTER)), info_.ItemNames);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  SendMessageW(list, LB_INITSTORAGE, filtered.shown.size(), filtered.shown.size() * 32);
  for (std::size_t i : filtered.shown) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(items_[i])));
  }
  shown_ = filtered.shown;
  if (filtered.selectFirst) SendMessageW(list, LB_SETCURSEL, 0, 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  EnableAdd();
  fill_ms_ = watch.Milliseconds();
}

void TBrowseHdaItemDlg::OnFilterTimer() {
  LogMessage(kTypeConfiguration, kLevelInfo, u"OnTimer(()");
  const TString filter = MakeSearchKey(FieldText(Item(IDC_ITEM_FILTER)).Str());
  if (filter == applied_filter_) return;
  FillList();
  applied_filter_ = filter;
}

THdaConnection* TBrowseHdaItemDlg::LiveConnection() const { return connections_.Find(connection_); }

void TBrowseHdaItemDlg::AddSelected() {
  HWND list = Item(IDC_ITEM_LIST);
  const auto selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
  if (selected == LB_ERR || static_cast<std::size_t>(selected) >= shown_.size()) return;
  THdaConnection* connection = LiveConnection();
  if (!connection) return;
  const TString& name = items_[shown_[static_cast<std::size_t>(selected)]];
  {
    // A shutdown notice during the server's calls must not destroy the connection under them.
    THdaConnectionList::CallScope scope(connections_);
    if (connection->AddItem(name, *this)) return;  // refused: told, and the entry stays
  }
  info_.AddItemName(name);
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  shown_.erase(shown_.begin() + selected);
  const auto remaining = static_cast<int>(shown_.size());
  if (remaining > 0) SendMessageW(list, LB_SETCURSEL, std::min(selected, remaining - 1), 0);
  EnableAdd();
  PostMessageW(Owner(), kItemAddedMessage, 0, 0);
}

void TBrowseHdaItemDlg::EnableAdd() {
  const bool selected = SendMessageW(Item(IDC_ITEM_LIST), LB_GETCURSEL, 0, 0) != LB_ERR;
  EnableWindow(Item(IDC_ITEM_ADD), selected ? TRUE : FALSE);
}

void TBrowseHdaItemDlg::ShowMessage(const TString& text, TMessageKind kind) {
  const UINT icon = kind == TMessageKind::Error ? MB_ICONERROR : MB_ICONWARNING;
  MessageBoxW(Hwnd(), W(text), L"Varnel", MB_OK | icon);
}

bool TBrowseHdaItemDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_ITEM_ADD && code == BN_CLICKED) {
    AddSelected();
    return true;
  }
  if (id == IDC_ITEM_LIST && code == LBN_DBLCLK) {
    AddSelected();
    return true;
  }
  if (id == IDC_ITEM_LIST && (code == LBN_SELCHANGE || code == LBN_SELCANCEL)) {
    EnableAdd();
    return true;
  }
  return TDialog::OnCommand(id, code, control);
}

bool TBrowseHdaItemDlg::PreTranslateMessage(MSG& msg) {
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && IsOwnWindow(msg.hwnd)) {
    // Enter in the filter goes on to the list when there is a choice to make there; anywhere
    // else it ends the browser, even on the Add button (which the dialog manager would press).
    if (msg.hwnd == Item(IDC_ITEM_FILTER) &&
        SendMessageW(Item(IDC_ITEM_LIST), LB_GETCOUNT, 0, 0) > 1) {
      SetFocus(Item(IDC_ITEM_LIST));
    } else {
      OnCancel();
    }
    return true;
  }
  return TDialog::PreTranslateMessage(msg);
}

INT_PTR TBrowseHdaItemDlg::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == kFilterTimer) {
    OnFilterTimer();
    return TRUE;
  }
  return TDialog::HandleMessage(message, wparam, lparam);
}

void TBrowseHdaItemDlg::OnDestroy() {
  KillTimer(Hwnd(), kFilterTimer);
  TDialog::OnDestroy();
}

}  // namespace dialogs
