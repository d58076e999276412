// Place holders of resource texts filled ("%1", "%2").
#pragma once

#include <string>

#include "text/tstring.h"

namespace ui {

// The first `key` in `text` replaced by `value`.
inline std::wstring ReplaceArgument(std::wstring text, const std::wstring& key,
                                    const std::wstring& value) {
  if (const std::size_t at = text.find(key); at != std::wstring::npos)
    text.replace(at, key.size(), value);
  return text;
}

}  // namespace ui
