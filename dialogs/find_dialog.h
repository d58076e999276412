// TFindDialog: asks for a search text (with the earlier ones to choose from) and the search
// options. The grid view keeps the find state and calls AskFindText.
#pragma once

#include "dialogs/core/find_state.h"
#include "dialogs/dialog.h"

namespace dialogs {

class TFindDialog : public TDialog {
 public:
  // The French template when the program speaks French, the other one otherwise.
  TFindDialog(HWND parent, FindState& state);

  // Greys both check boxes (whole word, match case).
  void DisableOptions() { options_disabled_ = true; }

 protected:
  bool OnInitDialog() override;
  void OnOk() override;

 private:
  FindState& state_;
  bool options_disabled_ = false;
};

// Runs the find dialog on the state. OK (possible only with a text) leaves the text and the
// options in the state, puts the text in front of the history and returns true; Cancel leaves the
// state as it was and returns false.
bool AskFindText(HWND parent, FindState& state, bool options_disabled = false);

}  // namespace dialogs
