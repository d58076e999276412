// Serialising leaves and nodes.
#include "xml/xml_tree.h"

namespace {
constexpr std::size_t kReservedChildren = 8;
constexpr std::size_t kRectChildren = 4;
constexpr std::uint32_t kIndentLineBreak = 2;  // CR LF: the part of the indent never removed
}  // namespace

void TXmlChild::AddAttribute(const char16_t* attrName, const char16_t* attrValue) {
  attributes.emplace_back(TString(attrName ? attrName : u""), TString(attrValue ? attrValue : u""));
}

void TXmlChild::FillOpening(const TString& indent, TString& output, bool pretty) const {
  if (pretty) output.Append(indent);
  output.Append(u'<');
  output.AddXml(name.Str(), true);
  for (const TXmlAttr& attr : attributes) {
    output.Append(u' ');
    output.AddXml(attr.name.Str(), true);
    output.Append(u"=\"");
    output.AddXml(attr.value.Str(), false);
    output.Append(u'"');
  }
}

void TXmlChild::FillString(TString& indent, TString& output, bool pretty) const {
  FillOpening(indent, output, pretty);
  if (value.type == kXmlEmpty) {
    output.Append(u"/>");
    return;
  }
  output.Append(u'>');
  value.FillString(output);
  output.Append(u"</");
  output.AddXml(name.Str(), true);
  output.Append(u'>');
}

TXmlNode::TXmlNode(const TString& elementName) : TXmlChild(elementName) {
  children_.reserve(kReservedChildren);
}

TXmlNode::TXmlNode(const TString& elementName, const TRect& rect) : TXmlChild(elementName) {
  children_.reserve(kRectChildren);
  AddChild(new TXmlChild(u"left", rect.left));
  AddChild(new TXmlChild(u"top", rect.top));
  AddChild(new TXmlChild(u"right", rect.right));
  AddChild(new TXmlChild(u"bottom", rect.bottom));
}

void TXmlNode::AddChild(TXmlChild* child) { AddChild(std::unique_ptr<TXmlChild>(child)); }

void TXmlNode::AddChild(std::unique_ptr<TXmlChild> child) {
  if (child) children_.push_back(std::move(child));
}

void TXmlNode::FillString(TString& indent, TString& output, bool pretty) const {
  FillOpening(indent, output, pretty);
  output.Append(u'>');
  indent.Append(u'\t');
  for (const auto& child : children_) child->FillString(indent, output, pretty);
  if (indent.Length() > kIndentLineBreak) indent.SetLength(indent.Length() - 1);
  if (pretty) output.Append(indent);
  output.Append(u"</");
  output.AddXml(name.Str(), true);
  output.Append(u'>');
}
