#include "dialogs/machine_dialog.h"

#include "app_context/main_frame_text.h"
#include "dialogs/browse_dialog_ids.h"
#include "dialogs/core/dialog_layout.h"
#include "dialogs/dialog_text.h"
#include "strings/string_ids.h"

namespace dialogs {

namespace {

constexpr int kMinWidth = 300;
constexpr int kHeight = 140;

}  // namespace

TMachineDlg::TMachineDlg(HWND owner, TString& machine_name)
    : TDialog(owner, IDD_MACHINE), machine_name_(machine_name) {
  SetSizeLimits(kMinWidth, kHeight, true);
}

bool TMachineDlg::OnInitDialog() {
  TDialog::OnInitDialog();
  SetItemText(IDC_MACHINE_PROMPT, W(RString(IDS_ENTER_MACHINE_NAME)));
  SetButton(IDOK, IDS_OK, IDI_ANSWER_YES);
  SetButton(IDCANCEL, IDS_CANCEL, IDI_ANSWER_NO);
  HWND edit = Item(IDC_MACHINE_EDIT);
  SendMessageW(edit, EM_LIMITTEXT, kMaxFieldUnits, 0);
  SetWindowTextW(edit, W(machine_name_));
  SendMessageW(edit, EM_SETSEL, 0, -1);
  const std::int32_t stretch = LayoutCode(kLayoutKeepFar);
  AddLayout(IDC_MACHINE_PROMPT, 0, 0, stretch, 0);
  AddLayout(IDC_MACHINE_EDIT, 0, 0, stretch, 0);
  AddLayout(IDOK, stretch, 0, stretch, 0);
  AddLayout(IDCANCEL, stretch, 0, stretch, 0);
  SetFocus(edit);
  return false;
}

void TMachineDlg::BeforeOk() { machine_name_ = FieldText(Item(IDC_MACHINE_EDIT)); }

}  // namespace dialogs
