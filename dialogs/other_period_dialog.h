// TOtherPeriodDlg: a start and a stop time typed or picked from a calendar ("..."); OK gives the
// period in order (a stop before the start is swapped, an empty stop is now).
#pragma once

#include "dialogs/dialog.h"
#include "text/tstring.h"

namespace dialogs {

class TOtherPeriodDlg : public TDialog {
 public:
  // Shows *start and *stop; OK writes the new period through them.
  TOtherPeriodDlg(HWND parent, const TString& caption, double* start, double* stop);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void BeforeOk() override;

 private:
  // Opens the calendar for one end; OK puts the chosen day into the working copy and the field.
  void PickDay(int title_id, int field, double& working);

  TString caption_;
  double* start_;
  double* stop_;
  double working_start_;
  double working_stop_;
};

// Shows the dialog with `title` on the period; true when confirmed (start and stop then hold the
// new period), false when cancelled.
bool AskOtherPeriod(HWND parent, const TString& title, double& start, double& stop);

}  // namespace dialogs
