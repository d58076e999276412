// Text on the clipboard in the Unicode text format, and back.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

// Empties the clipboard and puts the text on it, closed by a NUL; false when the clipboard could
// not be opened or the memory not allocated.
bool PutClipboardText(HWND owner, std::wstring_view text);

// The clipboard's Unicode text up to its NUL, or empty when it holds none.
std::wstring ClipboardText(HWND owner);

}  // namespace ui
