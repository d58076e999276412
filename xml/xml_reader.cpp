// Element search over raw text. Every scan moves forward from '<' to '<' and stops at the text's
// terminator, so a call never reads past the NUL and never passes a character twice.
#include "xml/xml_reader.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/locale.h"
#include "text/numbers.h"
#include "xml/xml_scan.h"

namespace {

struct Name {
  const char16_t* text;
  std::size_t length;
};

Name MakeName(const char16_t* name) {
  std::size_t length = 0;
  while (name[length] != 0) ++length;
  return {name, length};
}

// Stops at the first difference; the name holds no NUL, so a NUL in the text ends the comparison.
bool HasName(const char16_t* p, Name name) {
  for (std::size_t i = 0; i < name.length; ++i) {
    if (p[i] != name.text[i]) return false;
  }
  return true;
}

// p points at a '<'.
bool IsClosing(const char16_t* p, Name name) {
  return p[1] == u'/' && HasName(p + 2, name) && p[2 + name.length] == u'>';
}

std::size_t ClosingLength(Name name) { return name.length + 3; }

struct Opening {
  const char16_t* tag = nullptr;      // its '<'
  const char16_t* content = nullptr;  // just past its '>'
  char16_t after = 0;                 // '>' or ' ': what follows the name
};

// The first element opened as "<name>" or "<name " whose opening tag has a '>'. The earlier of
// the two forms, in one pass: looking for "<name>" through the whole text before trying
// "<name " would make every step of a walk over elements with attributes scan the rest of the
// text, so a list of them would take quadratic time. Files we write carry no attributes; for
// them both orders find the same element.
bool FindOpening(const char16_t* text, Name name, Opening& found) {
  for (const char16_t* p = XmlNextTag(text); *p != 0; p = XmlNextTag(p + 1)) {
    if (!HasName(p + 1, name)) continue;
    const char16_t after = p[1 + name.length];
    if (after != u'>' && after != u' ') continue;
    const char16_t* close = p + 1 + name.length;
    while (*close != u'>' && *close != 0) ++close;
    if (*close == 0) return false;  // no '>' anywhere after: nothing later can open either
    found = {p, close + 1, after};
    return true;
  }
  return false;
}

const char16_t* FindClosing(const char16_t* from, Name name) {
  for (const char16_t* p = XmlNextTag(from); *p != 0; p = XmlNextTag(p + 1)) {
    if (IsClosing(p, name)) return p;
  }
  return nullptr;
}

struct Leaf {
  const char16_t* content = nullptr;
  const char16_t* contentEnd = nullptr;  // the '<' of the closing tag
  std::size_t position = 0;              // just past the closing tag
};

bool FindLeaf(const char16_t* name, const char16_t* text, Leaf& leaf) {
  if (name == nullptr || text == nullptr) return false;
  const Name n = MakeName(name);
  Opening opening;
  if (!FindOpening(text, n, opening)) return false;
  const char16_t* closing = FindClosing(opening.content, n);
  if (closing == nullptr) return false;
  leaf = {opening.content, closing, static_cast<std::size_t>(closing - text) + ClosingLength(n)};
  return true;
}

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// Saturates at the limits of the type instead of overflowing.
std::int64_t ParseInt64(const char16_t* p) {
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == u'+' || *p == u'-') negative = *p++ == u'-';
  const std::uint64_t limit =
      static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
  std::uint64_t magnitude = 0;
  for (; *p >= u'0' && *p <= u'9'; ++p) {
    const std::uint64_t digit = static_cast<std::uint64_t>(*p - u'0');
    magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
  }
  return static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
}

template <typename Integer>
std::size_t GetNarrowed(const char16_t* name, const char16_t* text, Integer& output) {
  std::int64_t value = 0;
  const std::size_t position = XmlGetInt64(name, text, value);
  if (position != 0) output = static_cast<Integer>(value);
  return position;
}

}  // namespace

std::size_t XmlFindElementSpan(const char16_t* name, const char16_t* text, TXmlSpan& span) {
  span = {};
  if (name == nullptr || text == nullptr) return 0;
  const Name n = MakeName(name);
  Opening opening;
  if (n.length == 0 || !FindOpening(text, n, opening)) return 0;
  // Only tags that hold the name count, so the walk goes from one place of the name to the next:
  // a tag "<name" or "</name" is such a place with '<' or "</" before it. The opening tag ends
  // in '>', so what precedes a place inside the content can always be read.
  std::size_t depth = 1;
  const char16_t* p = XmlFindText(opening.content, n.text, n.length);
  for (; *p != 0; p = XmlFindText(p + 1, n.text, n.length)) {
    if (p[-1] == u'<' && p[n.length] == opening.after) {
      ++depth;
    } else if (p[-1] == u'/' && p[-2] == u'<' && p[n.length] == u'>' && --depth == 0) {
      p += n.length + 1;
      break;
    }
  }
  // p is now just past the matching closing tag, or at the end of the text.
  span = {opening.tag, static_cast<std::size_t>(p - opening.tag)};
  return static_cast<std::size_t>(p - text);
}

std::size_t XmlFindElement(const char16_t* name, const char16_t* text, TString& output) {
  output.Clear();
  TXmlSpan span;
  const std::size_t position = XmlFindElementSpan(name, text, span);
  if (position == 0) return 0;
  output.Append(static_cast<std::uint32_t>(std::min<std::size_t>(span.length, TString::kMaxLength)),
                span.begin);
  return position;
}

std::size_t XmlGetString(const char16_t* name, const char16_t* text, TString& output) {
  output.Clear();
  Leaf leaf;
  if (!FindLeaf(name, text, leaf)) return 0;
  output.Append(static_cast<std::uint32_t>(
                    std::min<std::size_t>(leaf.contentEnd - leaf.content, TString::kMaxLength)),
                leaf.content);
  output.FromXml();
  return leaf.position;
}

std::size_t XmlGetDouble(const char16_t* name, const char16_t* text, double& output) {
  Leaf leaf;
  if (!FindLeaf(name, text, leaf)) return 0;
  // The number ends at the latest at the '<' of the closing tag, so the content needs no copy.
  platform::ScopedFileNumerics numerics;
  output = ParseNumber(leaf.content);
  return leaf.position;
}

std::size_t XmlGetInt64(const char16_t* name, const char16_t* text, std::int64_t& output) {
  Leaf leaf;
  if (!FindLeaf(name, text, leaf)) return 0;
  output = ParseInt64(leaf.content);
  return leaf.position;
}

std::size_t XmlGetLong(const char16_t* name, const char16_t* text, std::int32_t& output) {
  return GetNarrowed(name, text, output);
}

std::size_t XmlGetShort(const char16_t* name, const char16_t* text, std::int16_t& output) {
  return GetNarrowed(name, text, output);
}

std::size_t XmlGetBool(const char16_t* name, const char16_t* text, bool& output) {
  std::int64_t value = 0;
  const std::size_t position = XmlGetInt64(name, text, value);
  if (position != 0) output = value != 0;
  return position;
}

bool XmlGetRect(TRect& rect, const char16_t* text, const char16_t* name) {
  TString element;
  if (XmlFindElement(name, text, element) == 0) return true;
  TRect read = rect;
  XmlGetLong(u"left", element.Str(), read.left);
  XmlGetLong(u"top", element.Str(), read.top);
  XmlGetLong(u"right", element.Str(), read.right);
  XmlGetLong(u"bottom", element.Str(), read.bottom);
  if (read.right < read.left) std::swap(read.left, read.right);
  if (read.bottom < read.top) std::swap(read.top, read.bottom);
  rect = read;
  return false;
}
