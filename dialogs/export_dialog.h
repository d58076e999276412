// TExportDialog: the modal dialog of a CSV export under way. The export runs a step (at most one
// call of a server) at a time from a timer of the dialog, so the program's windows keep painting
// and Cancel is answered between two calls; the bar shows how far every wave has been read
// through the period, the line below the values read and the rows written.
#pragma once

#include <windows.h>

#include "dialogs/dialog.h"
#include "document/csv_export.h"
#include "text/tstring.h"

namespace dialogs {

class TExportDialog final : public TDialog {
 public:
  TExportDialog(HWND owner, TCsvExport& run, const TString& target);

  // Runs the export to its end, or until the user cancels it; the export's state tells which.
  TCsvExportState Run();

 protected:
  bool OnInitDialog() override;
  void OnStartup() override;
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnOk() override {}  // Enter does not end an export
  void OnCancel() override;

 private:
  // Steps for a slice of time, shows the progress, and ends the dialog when the export is over.
  void RunSlice();
  void ShowProgress();

  TCsvExport& run_;
  TString target_;
};

}  // namespace dialogs
