// Resource texts and TString as the API's wide strings, and their place holders filled ("%1",
// "%2").
#pragma once

#include <string>

#include "text/tstring.h"

namespace ui {

// UTF-16 texts as the API's wide strings (the same units on Windows).
inline const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline const wchar_t* W(const TString& text) { return W(text.Str()); }

// The first `key` in `text` replaced by `value`.
inline std::wstring ReplaceArgument(std::wstring text, const std::wstring& key, const std::wstring& value) {
  if (const std::size_t at = text.find(key); at != std::wstring::npos) text.replace(at, key.size(), value);
  return text;
}

}  // namespace ui
