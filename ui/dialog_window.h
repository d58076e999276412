// The dialog base: a dialog made from a template, modal or modeless, whose object is found at
// WM_INITDIALOG and whose messages go through one switch, with control notifications reflected
// to the controls' wrappers as for other windows.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

class DialogWindow {
 public:
  DialogWindow() = default;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;
  virtual ~DialogWindow();

  // Runs the dialog modally in a loop of its own (the owner is disabled meanwhile, and every
  // message passes PreTranslateMessage first); the value given to EndModal, or -1 when the
  // dialog could not be made.
  INT_PTR RunModal(HWND owner, UINT template_id);
  // Creates the dialog modelessly; false when it could not be made.
  bool CreateModeless(HWND owner, UINT template_id);
  void EndModal(INT_PTR result);

  HWND Hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  bool IsModal() const { return modal_; }
  std::wstring ItemText(int id) const;
  void SetItemText(int id, const std::wstring& text);
  static DialogWindow* FromHandle(HWND hwnd);

 protected:
  // The message switch; returns what the dialog procedure returns (TRUE: handled).
  virtual INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Returns whether the focus is left to the system (TRUE) as WM_INITDIALOG does.
  virtual bool OnInitDialog() { return true; }
  virtual bool OnCommand(UINT /*id*/, UINT /*code*/, HWND /*control*/) { return false; }
  virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  virtual void OnOk() { EndModal(IDOK); }
  virtual void OnCancel() { EndModal(IDCANCEL); }
  virtual void OnDestroy() {}
  // A message of the dialog's loop before the dialog manager sees it; true swallows it. The
  // program's loop calls it for modeless dialogs too.
  virtual bool PreTranslateMessage(MSG& /*msg*/) { return false; }

 protected:
  // Binds the window to this object (pages of a property sheet are made by the sheet).
  void AttachHandle(HWND hwnd);
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  HWND hwnd_ = nullptr;
  bool modal_ = false;
  bool ended_ = false;
  INT_PTR result_ = -1;
};

}  // namespace ui
