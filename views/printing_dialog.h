// TPrintingDialog: the modeless dialog shown while a job prints: the document, the printer, the
// port or file, and the page being printed; its Cancel stops the job before the next page.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialog_window.h"

namespace views {

class TPrintingDialog : public ui::DialogWindow {
 public:
  // Creates and shows the dialog centred on the owner.
  bool Open(HWND owner, const std::wstring& document, const std::wstring& printer,
            const std::wstring& port);
  void ShowPage(const std::wstring& text);
  bool Cancelled() const { return cancelled_; }
  void Close();

 protected:
  bool OnInitDialog() override;
  void OnCancel() override;

 private:
  HWND owner_ = nullptr;
  bool cancelled_ = false;
};

// Every text the printing dialogs of this process showed, one per line ("document: ...",
// "printer: ...", "port: ...", then "page: ..." per page), for the GUI tests.
const std::wstring& PrintingDialogRecord();
void ClearPrintingDialogRecord();

}  // namespace views
