#include "dialogs/export_dialog.h"

#include <commctrl.h>

#include "app_context/main_frame_text.h"
#include "dialogs/export_dialog_ids.h"
#include "platform/wide.h"
#include "strings/string_ids.h"
#include "text/integer_text.h"
#include "ui/text_args.h"

namespace dialogs {

namespace {

constexpr UINT_PTR kStepTimer = 1;
// A timer's message comes after painting and input, so the windows stay answering however long
// the export runs; each one steps for this long at most (a step is one call of a server).
constexpr ULONGLONG kSliceMs = 50;
constexpr int kBarRange = 1000;

}  // namespace

TExportDialog::TExportDialog(HWND owner, TCsvExport& run, const TString& target)
    : TDialog(owner, IDD_EXPORT_PROGRESS), run_(run), target_(target) {}

TCsvExportState TExportDialog::Run() {
  if (DoModal() == -1) {
    // No window: the export runs without one rather than not at all.
    return run_.Run();
  }
  return run_.State();
}

bool TExportDialog::OnInitDialog() {
  TDialog::OnInitDialog();
  SetWindowTextW(Hwnd(), platform::W(RString(IDS_EXPORT_PROGRESS_CAPTION)));
  SetButton(IDCANCEL, IDS_CANCEL, IDI_ANSWER_NO);
  SetItemText(IDC_EXPORT_TARGET, platform::W(target_));
  SendMessageW(Item(IDC_EXPORT_BAR), PBM_SETRANGE32, 0, kBarRange);
  ShowProgress();
  return true;
}

void TExportDialog::OnStartup() { SetTimer(Hwnd(), kStepTimer, USER_TIMER_MINIMUM, nullptr); }

INT_PTR TExportDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == kStepTimer) {
    RunSlice();
    return TRUE;
  }
  return TDialog::HandleMessage(message, wparam, lparam);
}

void TExportDialog::RunSlice() {
  const ULONGLONG end = GetTickCount64() + kSliceMs;
  while (run_.State() == TCsvExportState::Running && GetTickCount64() < end) run_.Step();
  ShowProgress();
  if (run_.State() != TCsvExportState::Running) {
    KillTimer(Hwnd(), kStepTimer);
    Finish(run_.State() == TCsvExportState::Written ? IDOK : IDCANCEL);
  }
}

void TExportDialog::ShowProgress() {
  SendMessageW(Item(IDC_EXPORT_BAR), PBM_SETPOS, run_.Permille(), 0);
  std::wstring counts = platform::W(RString(IDS_EXPORT_COUNTS));
  counts = ui::ReplaceArgument(counts, L"%1",
                               platform::W(IntegerText(static_cast<std::int64_t>(run_.Values()))));
  counts = ui::ReplaceArgument(counts, L"%2",
                               platform::W(IntegerText(static_cast<std::int64_t>(run_.Rows()))));
  SetItemText(IDC_EXPORT_COUNTS, counts);
}

void TExportDialog::OnCancel() {
  KillTimer(Hwnd(), kStepTimer);
  run_.Cancel();
  Finish(IDCANCEL);
}

}  // namespace dialogs
