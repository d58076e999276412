// TDateTimeDlg: a month calendar to pick a day; OK gives local midnight of that day.
#pragma once

#include <cstdint>

#include "dialogs/dialog.h"
#include "text/tstring.h"

namespace dialogs {

class TDateTimeDlg : public TDialog {
 public:
  // `*result` is set to 0 now and to the chosen day's time stamp on OK.
  TDateTimeDlg(const TString& caption, HWND parent, double* result);

  // Closes the dialog as Cancel does this many milliseconds after it opened; 0 never.
  void SetAutoClose(std::uint32_t ms) { auto_close_ms_ = ms; }

 protected:
  bool OnInitDialog() override;
  void BeforeOk() override;
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void FitCalendar();

  TString caption_;
  double* result_;
  std::uint32_t auto_close_ms_ = 0;
};

}  // namespace dialogs
