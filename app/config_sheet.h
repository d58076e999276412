// The configuration sheet: one page, the refresh rate and the millisecond display, edited on a
// copy of the live configuration. OK saves at once; Cancel asks before it drops changes.
#pragma once

#include "config/config.h"
#include "dialogs/sheet_file_menu.h"
#include "ui/property_sheet.h"

namespace app {

class TConfigServerSheet;

class TGeneralConfigPage : public ui::PropertyPage {
 public:
  TGeneralConfigPage();
  void SetPtrs(TConfigServerSheet* sheet, TConfig* edited);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnApply() override;
  bool OnQueryCancel() override;

 private:
  void Fill();
  void Read();

  TConfigServerSheet* sheet_ = nullptr;
  TConfig* edited_ = nullptr;
  HICON defaults_icon_ = nullptr;
};

class TConfigServerSheet : public ui::PropertySheet {
 public:
  TConfigServerSheet(TConfig& live, HWND owner);
  // Runs the sheet modally; the live configuration is changed and saved when OK is chosen.
  INT_PTR Run();

  TConfig& Live() { return live_; }
  TConfig& Edited() { return edited_; }
  // OK: the page was read into the copy; its values go into the live configuration, which is
  // saved at once.
  void Confirm();
  // Cancel: true when the sheet may close (nothing changed, or the user drops the changes).
  bool MayCancel();

 protected:
  void OnInitialized() override;

 private:
  // The live configuration with the values the page edits taken from the copy.
  TConfig LiveWithPageValues() const;

  TConfig& live_;
  TConfig edited_;
  HWND owner_;
  TGeneralConfigPage page_;
  HACCEL accelerators_ = nullptr;
  dialogs::TSheetFileMenu file_menu_;
};

}  // namespace app
