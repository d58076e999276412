// The about box: the program's version text and the maker's address.
#pragma once

#include "dialogs/dialog.h"

namespace app {

class TAboutBox : public dialogs::TDialog {
 public:
  explicit TAboutBox(HWND owner);

 protected:
  bool OnInitDialog() override;
};

}  // namespace app
