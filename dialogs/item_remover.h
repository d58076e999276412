// TRemoveHdaItemDlg: every item of the active document, "<machine><server>item", to remove some
// of them with their waves. The items keep their handles in the server connections.
#pragma once

#include <cstddef>
#include <vector>

#include "dialogs/dialog.h"
#include "document/varnel_doc.h"
#include "text/tstring.h"

namespace dialogs {

class TRemoveHdaItemDlg : public TDialog {
 public:
  TRemoveHdaItemDlg(HWND owner, const TString& caption, TVarnelDoc& document);

  // "<" machine "><" server ">" item, the first brackets empty for the local machine.
  static TString EntryText(const ConnectionInfo& info, const TString& item_name);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  struct Entry {
    std::size_t connection;  // position of the item's connection info in the document
    TString item_name;
  };

  void DeleteSelected();
  void EnableDelete();

  TString caption_;
  TVarnelDoc& document_;
  std::vector<Entry> entries_;  // one per list entry, in list order
};

}  // namespace dialogs
