// Property sheets and their pages over the common-controls sheet: each page is a dialog
// object; OK asks every page to apply, Cancel asks whether it may close.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "ui/dialog_window.h"

namespace ui {

class PropertyPage : public DialogWindow {
 public:
  // `icon_id`: an icon resource shown on the page's tab, 0 for none.
  PropertyPage(UINT template_id, std::wstring title, UINT icon_id = 0)
      : template_id_(template_id), icon_id_(icon_id), title_(std::move(title)) {}
  PROPSHEETPAGEW Describe();
  // Whether the page is the one the sheet shows.
  bool IsActivePage() const;

 protected:
  // OK (or Apply): false keeps the sheet open.
  virtual bool OnApply() { return true; }
  // Cancel: false keeps the sheet open.
  virtual bool OnQueryCancel() { return true; }
  virtual void OnSetActive() {}
  // The page is left for another (or the sheet is about to apply): false keeps it.
  virtual bool OnKillActive() { return true; }
  // Enables the sheet's Apply button after a change on the page.
  void MarkChanged();
  bool OnNotify(const NMHDR& header, LRESULT& result) override;

 private:
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  UINT template_id_;
  UINT icon_id_;
  std::wstring title_;
};

struct PropertySheetArgs {
  HWND owner = nullptr;
  std::wstring caption;
  std::vector<PropertyPage*> pages;
  const RECT* place = nullptr;  // top-left corner of the sheet on the screen, or centred
  UINT start_page = 0;
  bool apply_button = false;
};

class PropertySheet {
 public:
  virtual ~PropertySheet() = default;
  // IDOK or IDCANCEL (or -1 when the sheet could not be made).
  INT_PTR RunModal(const PropertySheetArgs& args);
  HWND Hwnd() const { return hwnd_; }

 protected:
  // The sheet window exists, before it is shown.
  virtual void OnInitialized() {}

 private:
  static int CALLBACK Callback(HWND hwnd, UINT message, LPARAM lparam);
  HWND hwnd_ = nullptr;
  RECT place_{};
  bool has_place_ = false;
};

}  // namespace ui
