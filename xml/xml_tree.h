// The tree the XML writer serialises: leaf elements (TXmlChild) with typed values and attributes,
// and elements with children (TXmlNode). Each node owns its children.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rect.h"
#include "text/tstring.h"
#include "xml/xml_variant.h"

class TXmlAttr {
 public:
  TXmlAttr(const TString& attrName, const TString& attrValue) : name(attrName), value(attrValue) {}
  virtual ~TXmlAttr() = default;
  TXmlAttr(const TXmlAttr&) = default;
  TXmlAttr& operator=(const TXmlAttr&) = default;
  TXmlAttr(TXmlAttr&&) = default;
  TXmlAttr& operator=(TXmlAttr&&) = default;

  TString name;
  TString value;
};

// A leaf element. The constructor picks the value's type: none (empty element), double, unsigned,
// signed 32-bit or string.
class TXmlChild {
 public:
  explicit TXmlChild(const TString& elementName) : name(elementName) {}
  TXmlChild(const TString& elementName, double v) : name(elementName), value(v) {}
  TXmlChild(const TString& elementName, std::uint32_t v) : name(elementName), value(v) {}
  TXmlChild(const TString& elementName, std::int32_t v) : name(elementName), value(v) {}
  TXmlChild(const TString& elementName, const TString& v) : name(elementName), value(v) {}
  TXmlChild(const TString& elementName, const char16_t* v)
      : name(elementName), value(TString(v ? v : u"")) {}
  virtual ~TXmlChild() = default;
  TXmlChild(const TXmlChild&) = delete;
  TXmlChild& operator=(const TXmlChild&) = delete;

  // Appended after the attributes already present; written in that order.
  virtual void AddAttribute(const char16_t* attrName, const char16_t* attrValue);
  // Appends the element. With `pretty`, it starts on a new line: `indent` is the line break
  // followed by one tab per depth.
  virtual void FillString(TString& indent, TString& output, bool pretty) const;

  TString name;
  TXmlVariant value;
  std::vector<TXmlAttr> attributes;

 protected:
  // "<" + name + attributes, after the indent when pretty; no closing ">".
  void FillOpening(const TString& indent, TString& output, bool pretty) const;
};

// An element with children; its own value is never written.
class TXmlNode : public TXmlChild {
 public:
  explicit TXmlNode(const TString& elementName);
  // Four children "left", "top", "right", "bottom" holding the coordinates as 32-bit integers.
  TXmlNode(const TString& elementName, const TRect& rect);

  // Takes ownership; children are written in the order they were added. A null child is ignored.
  void AddChild(TXmlChild* child);
  void AddChild(std::unique_ptr<TXmlChild> child);

  void FillString(TString& indent, TString& output, bool pretty) const override;

  const std::vector<std::unique_ptr<TXmlChild>>& Children() const { return children_; }

 private:
  std::vector<std::unique_ptr<TXmlChild>> children_;
};
