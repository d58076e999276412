// The File menu of a property sheet: the dialogs' menu bar on the sheet's window, its commands
// (page set-up, print the sheet's picture, close as Cancel) and the keys Ctrl+P and Ctrl+F4, which
// the sheet's own message loop would otherwise hand to the focused control.
#pragma once

#include <windows.h>

#include "ui/window.h"
#include "win/handle.h"

namespace dialogs {

class TSheetFileMenu : public ui::Window {
 public:
  TSheetFileMenu() = default;
  ~TSheetFileMenu() override;

  // Called once the sheet's window exists (the sheet's OnInitialized); `owner` is the window the
  // sheet was opened over, which leads to the main window; `accelerators`, when given, are the
  // sheet's own keys, tried first.
  void AttachTo(HWND sheet, HWND owner, HACCEL accelerators = nullptr);

 protected:
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnDestroy() override;

 private:
  static LRESULT CALLBACK KeyHook(int code, WPARAM wparam, LPARAM lparam);
  void StopKeys();

  HWND owner_ = nullptr;
  HACCEL accelerators_ = nullptr;
  win::UniqueWindowsHook hook_;
  TSheetFileMenu* outer_ = nullptr;  // the sheet whose keys were watched before this one
};

}  // namespace dialogs
