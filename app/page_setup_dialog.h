// CPageSetupDlg: the program's own page set-up dialog, for when the system's cannot be shown (no
// printer installed): the four margins of a configuration copy, shown in the configured unit and
// typed in any of the measurement units. A text that is not a measurement, or a margin beyond 22
// inches, keeps the dialog open with the field focused.
#pragma once

#include <string>

#include "config/config.h"
#include "dialogs/dialog.h"

namespace app {

class CPageSetupDlg : public dialogs::TDialog {
 public:
  CPageSetupDlg(HWND owner, TConfig& config);

 protected:
  bool OnInitDialog() override;
  void OnOk() override;

 private:
  // Reads the field into `value` (unchanged when empty); false, with the message shown and the
  // field focused, when it is not a measurement in range.
  bool ReadMargin(int id, std::int32_t& value);
  void ShowMargin(int id, std::int32_t value);

  TConfig& config_;
  int unit_;
  // Per margin field: the text last shown and the twips it stands for. A value shown again in
  // the dialog's unit is rounded to hundredths; confirming the field unchanged keeps the twips
  // it came from instead of reading the rounded text back.
  struct Shown {
    std::wstring text;
    std::int32_t twips = 0;
  };
  Shown shown_[4];
};

}  // namespace app
