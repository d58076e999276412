#include "document/doc_graph_settings.h"

#include <cstdint>

#include "xml/xml_reader.h"
#include "xml/xml_tree.h"

namespace {

constexpr char16_t kElementName[] = u"GraphSettings";

// An element written as it was read. Its inner lines carry the indentation they were written
// with, which is the same because the element always sits at the same depth of the file.
class TVerbatimElement : public TXmlChild {
 public:
  explicit TVerbatimElement(const TString& text) : TXmlChild(kElementName), text_(text) {}
  void FillString(TString& indent, TString& output, bool pretty) const override {
    if (pretty) output.Append(indent);
    output.Append(text_);
  }

 private:
  TString text_;
};

}  // namespace

bool TDocGraphSettings::Read(const char16_t* text) {
  TString element;
  if (XmlFindElement(kElementName, text, element) == 0) return true;
  // An element cut short by the end of the file would break the next file it is written into.
  static constexpr char16_t kClosing[] = u"</GraphSettings>";
  constexpr std::uint32_t kClosingLength = sizeof kClosing / sizeof kClosing[0] - 1;
  if (element.Length() < kClosingLength ||
      TString(element.Str() + element.Length() - kClosingLength) != TString(kClosing)) {
    return true;
  }
  elementText_ = std::move(element);
  return false;
}

std::unique_ptr<TXmlChild> TDocGraphSettings::Element() const {
  if (elementText_.IsEmpty()) return std::make_unique<TXmlNode>(kElementName);
  return std::make_unique<TVerbatimElement>(elementText_);
}
