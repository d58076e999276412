#include "document/plain_point.h"

#include "text/numbers.h"
#include "xml/xml_scan.h"

namespace {

// p at a '<'; returns just past the tag when it is exactly `tag`, else nullptr. A NUL differs
// from every character of the tag, so the comparison never reads past it.
const char16_t* Tag(const char16_t* p, const char16_t* tag) {
  for (; *tag != 0; ++p, ++tag) {
    if (*p != *tag) return nullptr;
  }
  return p;
}

// "<n>" text "</n>" at the next tag: the number it holds, and just past it; nullptr when the
// next tag is not "<n>" or the one after it not "</n>".
const char16_t* Leaf(const char16_t* p, char16_t n, double& value) {
  p = XmlNextTag(p);
  if (p[0] != u'<' || p[1] != n || p[2] != u'>') return nullptr;
  const char16_t* content = p + 3;
  const char16_t* end = XmlNextTag(content);
  if (end[0] != u'<' || end[1] != u'/' || end[2] != n || end[3] != u'>') return nullptr;
  // Files hold numbers with a '.', whatever the user's settings.
  value = ParseNumber(content, u'.');
  return end + 4;
}

}  // namespace

std::size_t ReadPlainPoint(const char16_t* text, double& t, double& y) {
  const char16_t* p = Tag(XmlNextTag(text), u"<Point>");
  double tValue = 0, yValue = 0;
  if (p) p = Leaf(p, u'T', tValue);
  if (p) p = Leaf(p, u'Y', yValue);
  if (p) p = Tag(XmlNextTag(p), u"</Point>");
  if (!p) return 0;
  t = tValue;
  y = yValue;
  return static_cast<std::size_t>(p - text);
}
