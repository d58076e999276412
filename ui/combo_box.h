// Items of a standard combo box or list box that carry a number beside their text, found and
// read by that number.
#pragma once

#include <windows.h>

namespace ui {

// Appends an item; returns its index (or a negative error).
inline LRESULT AddComboItem(HWND combo, const wchar_t* text, LPARAM data) {
  const LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  if (index >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
  return index;
}

// Selects the first item carrying `data`; nothing is selected when none does. Returns whether
// one was found.
inline bool SelectComboData(HWND combo, LPARAM data) {
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
      SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return true;
    }
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  return false;
}

// The number of the selected item, or `none` without a selection.
inline LPARAM SelectedComboData(HWND combo, LPARAM none) {
  const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index < 0) return none;
  return SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

}  // namespace ui
