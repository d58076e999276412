// UTF-16 text as the Windows API's wide strings, and back: the one place where char16_t and
// wchar_t meet. On Windows both are UTF-16 code units, so these change only the type: nothing is
// copied or converted, a lone surrogate stays as it is and a null pointer stays null. Only code
// built for Windows includes this header.
#pragma once

#include <concepts>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t),
              "platform/wide.h is for code built for Windows, where wchar_t is a UTF-16 unit");

namespace platform {

inline const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* W(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }
inline std::wstring_view W(std::u16string_view text) { return {W(text.data()), text.size()}; }

// Any text whose Str() gives its NUL-terminated units (TString).
template <class Text>
requires requires(const Text& text) {
  { text.Str() } -> std::same_as<const char16_t*>;
}
const wchar_t* W(const Text& text) { return W(text.Str()); }

inline const char16_t* U16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }
inline char16_t* U16(wchar_t* text) { return reinterpret_cast<char16_t*>(text); }
inline std::u16string_view U16(std::wstring_view text) { return {U16(text.data()), text.size()}; }

}  // namespace platform
