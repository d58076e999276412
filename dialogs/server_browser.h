// TBrowseHdaServerDlg: the OPC HDA servers of one machine, as the server browser of that machine
// lists them, to pick one and say whether it is reconnected at start-up.
#pragma once

#include <vector>

#include "document/connection_info.h"
#include "dialogs/dialog.h"
#include "text/tstring.h"

namespace dialogs {

class TBrowseHdaServerDlg : public TDialog {
 public:
  // `server` comes with its MachineName; OK fills it from the dialog. `remembered` is the
  // configuration's server list, which sets the check box for the server selected.
  TBrowseHdaServerDlg(HWND owner, const TString& caption, HdaServerDef& server,
                      const std::vector<HdaServerDef>& remembered);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnOk() override;
  void BeforeOk() override;

 private:
  void FillServerList();
  TString SelectedServer() const;
  void ShowReconnect();

  TString caption_;
  HdaServerDef& server_;
  const std::vector<HdaServerDef>& remembered_;
};

}  // namespace dialogs
