#include "dialogs/find_dialog.h"

#include "app_context/main_frame_link.h"
#include "dialogs/dialog_text.h"
#include "dialogs/period_dialog_ids.h"
#include "strings/resource_text.h"
#include "strings/string_ids.h"

namespace dialogs {

namespace {

constexpr int kFrench = 0;

std::uint16_t FindTemplate() {
  const TMainFrameLink* link = MainFrameLink();
  return link && link->language == kFrench ? IDD_FIND_FRENCH : IDD_FIND;
}

}  // namespace

TFindDialog::TFindDialog(HWND parent, FindState& state)
    : TDialog(parent, FindTemplate()), state_(state) {}

bool TFindDialog::OnInitDialog() {
  TDialog::OnInitDialog();
  SetButton(IDOK, IDS_SEARCH, IDI_ANSWER_YES);
  SetButton(IDCANCEL, IDS_CANCEL, IDI_ANSWER_NO);
  if (options_disabled_) {
    EnableWindow(Item(IDC_FIND_WHOLE_WORD), FALSE);
    EnableWindow(Item(IDC_FIND_MATCH_CASE), FALSE);
  }
  HWND combo = Item(IDC_FIND_TEXT);
  SendMessageW(combo, CB_LIMITTEXT, kMaxFieldUnits, 0);
  for (const TString& text : state_.History) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(text)));
  }
  SetWindowTextW(combo, W(state_.Text));
  CheckDlgButton(Hwnd(), IDC_FIND_WHOLE_WORD, state_.WholeWord ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Hwnd(), IDC_FIND_MATCH_CASE, state_.MatchCase ? BST_CHECKED : BST_UNCHECKED);
  CheckRadioButton(Hwnd(), IDC_FIND_UP, IDC_FIND_DOWN,
                   state_.Direction == FindState::kUp ? IDC_FIND_UP : IDC_FIND_DOWN);
  SetFocus(combo);
  return false;
}

void TFindDialog::OnOk() {
  HWND combo = Item(IDC_FIND_TEXT);
  const TString text = FieldText(combo);
  if (text.IsEmpty()) {
    MessageBeep(MB_ICONEXCLAMATION);
    SetFocus(combo);
    return;
  }
  state_.Text = text;
  state_.WholeWord = IsDlgButtonChecked(Hwnd(), IDC_FIND_WHOLE_WORD) == BST_CHECKED;
  state_.MatchCase = IsDlgButtonChecked(Hwnd(), IDC_FIND_MATCH_CASE) == BST_CHECKED;
  state_.Direction =
      IsDlgButtonChecked(Hwnd(), IDC_FIND_UP) == BST_CHECKED ? FindState::kUp : FindState::kDown;
  TDialog::OnOk();
}

bool AskFindText(HWND parent, FindState& state, bool options_disabled) {
  TFindDialog dialog(parent, state);
  if (options_disabled) dialog.DisableOptions();
  if (dialog.DoModal() != IDOK) return false;
  RememberSearch(state, state.Text);
  return true;
}

}  // namespace dialogs
