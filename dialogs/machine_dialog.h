// TMachineDlg: asks for the machine of a remote server. The edit box offers the name typed last;
// OK keeps what is typed (at most 256 characters) as that name.
#pragma once

#include "dialogs/dialog.h"
#include "text/tstring.h"

namespace dialogs {

class TMachineDlg : public TDialog {
 public:
  // `machine_name` is the remembered name, read when the dialog opens and replaced on OK.
  TMachineDlg(HWND owner, TString& machine_name);

 protected:
  bool OnInitDialog() override;
  void BeforeOk() override;

 private:
  TString& machine_name_;
};

}  // namespace dialogs
