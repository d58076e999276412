#include "dialogs/server_browser.h"

#include "ambrel/ambrel.h"
#include "app_context/main_frame_text.h"
#include "dialogs/browse_dialog_ids.h"
#include "dialogs/core/dialog_layout.h"
#include "dialogs/dialog_text.h"
#include "platform/wide.h"
#include "strings/string_ids.h"

namespace dialogs {

namespace {

constexpr int kMinWidth = 300;
constexpr int kHeight = 232;
constexpr DWORD kProgIdBytes = 100;

}  // namespace

TBrowseHdaServerDlg::TBrowseHdaServerDlg(HWND owner, const TString& caption, HdaServerDef& server,
                                         const std::vector<HdaServerDef>& remembered)
    : TDialog(owner, IDD_BROWSE_SERVER),
      caption_(caption),
      server_(server),
      remembered_(remembered) {
  SetSizeLimits(kMinWidth, kHeight, true);
}

bool TBrowseHdaServerDlg::OnInitDialog() {
  TDialog::OnInitDialog();
  SetWindowTextW(Hwnd(), platform::W(caption_));
  SetItemText(IDC_SERVER_MACHINE_LABEL, platform::W(RString(IDS_MACHINE_NAME)));
  SetItemText(IDC_SERVER_LABEL, platform::W(RString(IDS_SERVER_NAME)));
  SetItemText(IDC_SERVER_GROUP, platform::W(RString(IDS_OPC_HDA_SERVER)));
  SetItemText(IDC_SERVER_RECONNECT, platform::W(RString(IDS_RECONNECT_AT_STARTUP)));
  SetButton(IDOK, IDS_OK, IDI_ANSWER_YES);
  SetButton(IDCANCEL, IDS_CANCEL, IDI_ANSWER_NO);
  SetItemText(IDC_SERVER_MACHINE, platform::W(server_.MachineName));

  const std::int32_t far_edge = LayoutCode(kLayoutKeepFar);
  for (int control : {IDC_SERVER_GROUP, IDC_SERVER_MACHINE_LABEL, IDC_SERVER_MACHINE,
                      IDC_SERVER_LABEL, IDC_SERVER_LIST, IDC_SERVER_RECONNECT}) {
    AddLayout(control, 0, 0, far_edge, 0);
  }
  AddLayout(IDOK, far_edge, 0, far_edge, 0);
  AddLayout(IDCANCEL, far_edge, 0, far_edge, 0);

  FillServerList();
  ShowReconnect();
  return true;
}

void TBrowseHdaServerDlg::FillServerList() {
  HWND list = Item(IDC_SERVER_LIST);
  char machine[257];
  server_.MachineName.ToNarrow(machine);
  // An unreachable machine: the library reports it and lists this machine's servers.
  const DWORD count = NumberOfHDAServers(machine);
  int selected = CB_ERR;
  for (DWORD i = 0; i < count; ++i) {
    char prog_id[kProgIdBytes] = {};
    if (!GetHDAServerName(i, prog_id, kProgIdBytes)) continue;
    TString name;
    name.FromNarrow(prog_id);
    const auto index = static_cast<int>(
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::W(name))));
    if (selected == CB_ERR && !server_.ServerName.IsEmpty() && name == server_.ServerName) {
      selected = index;
    }
  }
  SendMessageW(list, CB_SETCURSEL, selected == CB_ERR ? 0 : selected, 0);
  // No server listed: nothing to connect.
  EnableWindow(Item(IDOK), SendMessageW(list, CB_GETCOUNT, 0, 0) > 0 ? TRUE : FALSE);
}

TString TBrowseHdaServerDlg::SelectedServer() const {
  HWND list = Item(IDC_SERVER_LIST);
  const auto index = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
  if (index == CB_ERR) return TString();
  const auto length = static_cast<int>(SendMessageW(list, CB_GETLBTEXTLEN, index, 0));
  if (length <= 0) return TString();
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return TString(platform::U16(text.c_str()));
}

void TBrowseHdaServerDlg::ShowReconnect() {
  HdaServerDef shown;
  shown.MachineName = FieldText(Item(IDC_SERVER_MACHINE));
  shown.ServerName = SelectedServer();
  bool reconnect = false;
  for (const HdaServerDef& def : remembered_) {
    if (def.SameServer(shown)) reconnect = def.ReconnectAtStartup;
  }
  CheckDlgButton(Hwnd(), IDC_SERVER_RECONNECT, reconnect ? BST_CHECKED : BST_UNCHECKED);
}

bool TBrowseHdaServerDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_SERVER_LIST && code == CBN_SELCHANGE) {
    ShowReconnect();
    return true;
  }
  return TDialog::OnCommand(id, code, control);
}

void TBrowseHdaServerDlg::OnOk() {
  // Without a chosen server (none listed) the dialog ends as cancelled: a definition without a
  // server name is neither connected nor remembered.
  if (SelectedServer().IsEmpty()) {
    OnCancel();
    return;
  }
  TDialog::OnOk();
}

void TBrowseHdaServerDlg::BeforeOk() {
  server_.MachineName = FieldText(Item(IDC_SERVER_MACHINE));
  server_.ServerName = SelectedServer();
  server_.ReconnectAtStartup = IsDlgButtonChecked(Hwnd(), IDC_SERVER_RECONNECT) == BST_CHECKED;
}

}  // namespace dialogs
