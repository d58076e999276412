// The element-search reader: free functions that find an element by name in a NUL-terminated
// UTF-16 text and extract its content, without building a tree. Names match exactly and
// case-sensitively; "<name>" and "<name " (an element with attributes) both open an element.
//
// Every getter returns the position, in characters from the start of `text`, just past the
// element's closing tag, or 0 when the element is missing. To walk several elements of one name,
// search again in the text that begins at the returned position. A call costs time in proportion
// to the characters it passes over, never to the rest of the text, so such walks stay linear.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/rect.h"
#include "text/tstring.h"

// Where an element lies in the text searched: from its "<" for `length` characters.
struct TXmlSpan {
  const char16_t* begin = nullptr;
  std::size_t length = 0;
};

// The whole first element of that name, from its "<" to its matching closing tag (nested
// elements of the same name are counted). An element never closed runs to the end of the text,
// which is then the returned position. Missing (or an empty name): output empty.
std::size_t XmlFindElement(const char16_t* name, const char16_t* text, TString& output);
// The same element left in place; missing: an empty span.
std::size_t XmlFindElementSpan(const char16_t* name, const char16_t* text, TXmlSpan& span);

// The leaf getters take the content up to the first "</name>", without regard to nesting.
// XmlGetString unescapes the five XML entities; missing: output empty.
std::size_t XmlGetString(const char16_t* name, const char16_t* text, TString& output);
// The numeric getters write their output only when the element is found.
std::size_t XmlGetDouble(const char16_t* name, const char16_t* text, double& output);
// Decimal digits after optional white space and sign; stops at the first other character.
std::size_t XmlGetInt64(const char16_t* name, const char16_t* text, std::int64_t& output);
std::size_t XmlGetLong(const char16_t* name, const char16_t* text, std::int32_t& output);
std::size_t XmlGetShort(const char16_t* name, const char16_t* text, std::int16_t& output);
// True when the integer is not zero.
std::size_t XmlGetBool(const char16_t* name, const char16_t* text, bool& output);

// Reads the children "left", "top", "right" and "bottom" of the element, then orders each pair so
// that left <= right and top <= bottom. A missing coordinate keeps the rectangle's value. Returns
// true when the element is missing; the rectangle is then untouched.
bool XmlGetRect(TRect& rect, const char16_t* text, const char16_t* name);
