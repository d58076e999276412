#include "ui/clipboard_text.h"

#include <cstring>

#include "ui/clipboard_open.h"
#include "win/handle.h"

namespace ui {

bool PutClipboardText(HWND owner, std::wstring_view text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  win::UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  auto* destination = static_cast<wchar_t*>(GlobalLock(memory.Get()));
  if (!destination) return false;
  std::memcpy(destination, text.data(), text.size() * sizeof(wchar_t));
  destination[text.size()] = L'\0';
  GlobalUnlock(memory.Get());
  ClipboardOpen clipboard(owner);
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  if (!SetClipboardData(CF_UNICODETEXT, memory.Get())) return false;
  memory.Release();  // the clipboard owns it now
  return true;
}

std::wstring ClipboardText(HWND owner) {
  ClipboardOpen clipboard(owner);
  if (!clipboard.IsOpen()) return {};
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return {};
  const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
  if (!text) return {};
  const std::size_t units = GlobalSize(data) / sizeof(wchar_t);
  std::wstring result(text, wcsnlen(text, units));
  GlobalUnlock(data);
  return result;
}

}  // namespace ui
