// Resource texts with their place holders filled ("%1", "%2"), as wide strings for the API.
#pragma once

#include <string>

namespace ui {

// The first `key` in `text` replaced by `value`.
inline std::wstring ReplaceArgument(std::wstring text, const std::wstring& key, const std::wstring& value) {
  if (const std::size_t at = text.find(key); at != std::wstring::npos) text.replace(at, key.size(), value);
  return text;
}

// A resource text (UTF-16) as the API's wide string.
inline std::wstring WideText(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

}  // namespace ui
