// The two steps the searches over XML text take: on to the next tag, and on to the next place
// that holds a given name.
#pragma once

#include <cstddef>

// The next '<' at or after p, or the terminating NUL. Tags lie a few characters apart, so this
// step is a plain loop, inlined in the walks that take it tag by tag.
inline const char16_t* XmlNextTag(const char16_t* p) {
  while (*p != u'<' && *p != 0) ++p;
  return p;
}

// The next place at or after p where the text holds name (length characters, none of them a
// NUL, length at least 1), or the terminating NUL.
const char16_t* XmlFindText(const char16_t* p, const char16_t* name, std::size_t length);
