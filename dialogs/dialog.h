// TDialog: the base of every dialog of the program. It opens at its remembered screen rectangle
// (kept on the screen) or centred, carries the dialogs' File menu, an optional status line and
// progress bar, moves its controls by their layout codes when it is resized, filters the keyboard
// (accelerators, Tab, Esc, Ctrl+F4), and ends either modally (1 OK, 2 Cancel) or by telling its
// owner (message 1025 with the template id and the user data).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "dialogs/core/dialog_layout.h"
#include "dialogs/dialog_ids.h"
#include "platform/rect.h"
#include "text/tstring.h"
#include "ui/dialog_window.h"
#include "win/handle.h"

namespace dialogs {

inline constexpr UINT kDialogEndedMessage = WM_USER + 1;     // 1025, to the owner
inline constexpr UINT kDialogCtrlTabMessage = WM_USER + 6;   // 1030, to the owner
inline constexpr UINT kDialogStartupMessage = WM_USER + 90;  // 1114, to itself
inline constexpr int kStatusLineId = IDC_STATUS_LINE;
inline constexpr int kProgressBarId = IDC_PROGRESS;
inline constexpr UINT kDialogMenuBase = IDR_DIALOG_MENU_BASE;

class TDialog : public ui::DialogWindow {
 public:
  TDialog(HWND owner, std::uint16_t template_id, TRect* remembered = nullptr);
  ~TDialog() override;

  // 1 for OK, 2 for Cancel (or the answer of a question box); -1 when it could not be made.
  INT_PTR DoModal();
  // Opens the dialog modelessly; it reports its end to the owner.
  bool Open();

  void SetStatusText(const TString& text);
  void SetProgressRange(int low, int high);
  void SetProgressPosition(int position);
  // Manages the control's position by four edge codes (left, top, right, bottom).
  void AddLayout(HWND control, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom);

  // How far the user may resize the dialog, in pixels at 96 DPI (scaled to the dialog's DPI): at
  // least min_width by min_height; with fixed_height, no taller than min_height either (or than
  // the template made it, if that is more).
  void SetSizeLimits(int min_width, int min_height, bool fixed_height);

  void SetUserData(std::int32_t data) { user_data_ = data; }
  void SetSelfPointer(TDialog** self) { self_pointer_ = self; }
  void SetAccelerators(HACCEL accelerators) { accelerators_ = accelerators; }
  std::uint16_t TemplateId() const { return template_id_; }
  const std::vector<TLayoutEntry>& Layout() const { return layout_; }

 protected:
  // Hooks of derived dialogs: when confirmed BeforeOk then StoreControls; when cancelled
  // StoreControls only.
  virtual void BeforeOk() {}
  virtual void StoreControls() {}
  // The dialog is shown: finish what needs the window on the screen.
  virtual void OnStartup() {}

  bool OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool PreTranslateMessage(MSG& msg) override;
  void OnOk() override;
  void OnCancel() override;
  void OnDestroy() override;

  // Ends the dialog with a value: stores the rectangle, then ends modally or tells the owner.
  void Finish(INT_PTR result);
  // The dialog's window or one of its controls.
  bool IsOwnWindow(HWND window) const;
  // Puts the program's icon resource on the button, beside its text.
  void SetButtonIcon(int control, int icon_id);
  // The button's text (a resource text of the interface language) and its icon.
  void SetButton(int control, int text_id, int icon_id);
  // Manages a control of the dialog by its identifier.
  void AddLayout(int control, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom) {
    AddLayout(Item(control), left, top, right, bottom);
  }
  HWND Owner() const { return owner_; }
  bool HasToolbar() const { return toolbar_ != nullptr; }

 private:
  void Place();
  void AttachMenu();
  void SetListBoxFonts();
  void Relayout(bool final_pass);
  void StoreRectangle();
  void Paint();
  void LimitSize(MINMAXINFO& info) const;

  HWND owner_;
  std::uint16_t template_id_;
  std::int32_t user_data_ = 0;
  TRect* remembered_;
  TDialog** self_pointer_ = nullptr;
  HACCEL accelerators_ = nullptr;
  std::vector<TLayoutEntry> layout_;
  HWND status_line_ = nullptr;
  HWND progress_bar_ = nullptr;
  HWND toolbar_ = nullptr;
  HMENU menu_ = nullptr;
  SIZE min_size_{};  // 96-DPI pixels; 0: no limit
  bool fixed_height_ = false;
  int opening_height_ = 0;
  win::UniqueGdiObject list_font_;
  win::UniqueGdiObject fixed_font_;
  win::UniqueGdiObject fixed_font_large_;
};

}  // namespace dialogs
