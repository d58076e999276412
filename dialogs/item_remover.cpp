#include "dialogs/item_remover.h"

#include <algorithm>

#include "dialogs/browse_dialog_ids.h"
#include "dialogs/core/dialog_layout.h"
#include "dialogs/dialog_text.h"
#include "strings/resource_text.h"
#include "strings/string_ids.h"

namespace dialogs {

namespace {

constexpr int kMinWidth = 250;
constexpr int kMinHeight = 300;

}  // namespace

TRemoveHdaItemDlg::TRemoveHdaItemDlg(HWND owner, const TString& caption, TVarnelDoc& document)
    : TDialog(owner, IDD_REMOVE_ITEMS), caption_(caption), document_(document) {
  SetSizeLimits(kMinWidth, kMinHeight, false);
}

TString TRemoveHdaItemDlg::EntryText(const ConnectionInfo& info, const TString& item_name) {
  TString text(u"<");
  text.Append(info.MachineName);
  text.Append(u"><");
  text.Append(info.ServerName);
  text.Append(u">");
  text.Append(item_name);
  return text;
}

bool TRemoveHdaItemDlg::OnInitDialog() {
  TDialog::OnInitDialog();
  SetWindowTextW(Hwnd(), W(caption_));
  SetButton(IDC_REMOVE_DELETE, IDS_DELETE, IDI_DELETE);
  SetButton(IDCANCEL, IDS_CLOSE, IDI_ANSWER_NO);

  const std::int32_t far_edge = LayoutCode(kLayoutKeepFar);
  AddLayout(IDC_REMOVE_LIST, 0, 0, far_edge, far_edge);
  AddLayout(IDC_REMOVE_DELETE, far_edge, far_edge, far_edge, far_edge);
  AddLayout(IDCANCEL, far_edge, far_edge, far_edge, far_edge);

  HWND list = Item(IDC_REMOVE_LIST);
  ListExtent extent(list);
  for (std::size_t c = 0; c < document_.Connections.size(); ++c) {
    const ConnectionInfo& info = document_.Connections[c];
    for (const TString& name : info.ItemNames) {
      const TString text = EntryText(info, name);
      const auto index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(text)));
      SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(c));
      entries_.push_back({c, name});
      extent.Measure(text);
    }
  }
  extent.Apply();
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  EnableDelete();
  return true;
}

void TRemoveHdaItemDlg::DeleteSelected() {
  HWND list = Item(IDC_REMOVE_LIST);
  const auto selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
  if (selected == LB_ERR || static_cast<std::size_t>(selected) >= entries_.size()) return;
  // The name is kept with the entry: the text after the entry's last ">" would cut an item ID
  // that holds a ">" and remove another item of that server.
  const Entry entry = entries_[static_cast<std::size_t>(selected)];
  document_.RemoveItem(entry.connection, entry.item_name);
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  entries_.erase(entries_.begin() + selected);
  const auto remaining = static_cast<int>(entries_.size());
  if (remaining > 0) SendMessageW(list, LB_SETCURSEL, std::min(selected, remaining - 1), 0);
  EnableDelete();
}

void TRemoveHdaItemDlg::EnableDelete() {
  const bool selected = SendMessageW(Item(IDC_REMOVE_LIST), LB_GETCURSEL, 0, 0) != LB_ERR;
  EnableWindow(Item(IDC_REMOVE_DELETE), selected ? TRUE : FALSE);
}

bool TRemoveHdaItemDlg::OnCommand(UINT id, UINT code, HWND control) {
  if ((id == IDC_REMOVE_DELETE && code == BN_CLICKED) ||
      (id == IDC_REMOVE_LIST && code == LBN_DBLCLK)) {
    DeleteSelected();
    return true;
  }
  if (id == IDC_REMOVE_LIST && (code == LBN_SELCHANGE || code == LBN_SELCANCEL)) {
    EnableDelete();
    return true;
  }
  return TDialog::OnCommand(id, code, control);
}

}  // namespace dialogs
