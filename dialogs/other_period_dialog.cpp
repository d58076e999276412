#include "dialogs/other_period_dialog.h"

#include "app_context/main_frame_text.h"
#include "dialogs/core/period_entry.h"
#include "dialogs/date_time_dialog.h"
#include "dialogs/dialog_text.h"
#include "dialogs/period_dialog_ids.h"
#include "strings/string_ids.h"
#include "text/time_base.h"

namespace dialogs {

TOtherPeriodDlg::TOtherPeriodDlg(HWND parent, const TString& caption, double* start, double* stop)
    : TDialog(parent, IDD_OTHER_PERIOD),
      caption_(caption),
      start_(start),
      stop_(stop),
      working_start_(start ? *start : 0.0),
      working_stop_(stop ? *stop : 0.0) {}

bool TOtherPeriodDlg::OnInitDialog() {
  TDialog::OnInitDialog();
  SetWindowTextW(Hwnd(), W(caption_));
  SetButton(IDOK, IDS_OK, IDI_ANSWER_YES);
  SetButton(IDCANCEL, IDS_CANCEL, IDI_ANSWER_NO);
  SetItemText(IDC_PERIOD_START_LABEL, W(RString(IDS_START_TIME)));
  SetItemText(IDC_PERIOD_STOP_LABEL, W(RString(IDS_STOP_TIME)));
  for (int field : {IDC_PERIOD_START, IDC_PERIOD_STOP}) {
    SendMessageW(Item(field), EM_LIMITTEXT, kMaxFieldUnits, 0);
  }
  SetItemText(IDC_PERIOD_START, W(PeriodFieldText(working_start_)));
  SetItemText(IDC_PERIOD_STOP, W(PeriodFieldText(working_stop_)));
  return true;
}

void TOtherPeriodDlg::PickDay(int title_id, int field, double& working) {
  double chosen = 0;
  TDateTimeDlg calendar(TString(RString(title_id)), Hwnd(), &chosen);
  if (calendar.DoModal() != IDOK) return;
  working = chosen;
  SetItemText(field, W(PeriodFieldText(working)));
}

bool TOtherPeriodDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (code == BN_CLICKED && id == IDC_PERIOD_PICK_START) {
    PickDay(IDS_CHOOSE_START_TIME, IDC_PERIOD_START, working_start_);
    return true;
  }
  if (code == BN_CLICKED && id == IDC_PERIOD_PICK_STOP) {
    PickDay(IDS_CHOOSE_STOP_TIME, IDC_PERIOD_STOP, working_stop_);
    return true;
  }
  return TDialog::OnCommand(id, code, control);
}

void TOtherPeriodDlg::BeforeOk() {
  const PeriodBounds period =
      ReadPeriodFields(FieldText(Item(IDC_PERIOD_START)), FieldText(Item(IDC_PERIOD_STOP)), Now());
  if (start_) *start_ = period.start;
  if (stop_) *stop_ = period.stop;
}

bool AskOtherPeriod(HWND parent, const TString& title, double& start, double& stop) {
  return TOtherPeriodDlg(parent, title, &start, &stop).DoModal() == IDOK;
}

}  // namespace dialogs
