// TXmlDoc: one XML file being written. Build the tree under the root, then SaveAs or WriteTo.
#pragma once

#include <cstdint>
#include <memory>

#include "text/tstring.h"
#include "xml/xml_tree.h"

namespace platform {
class File;
}

inline constexpr char16_t kXmlHeader[] = u"<?xml version=\"1.0\" standalone=\"yes\"?>";

class TXmlDoc {
 public:
  TXmlDoc();
  virtual ~TXmlDoc();
  TXmlDoc(const TXmlDoc&) = delete;
  TXmlDoc& operator=(const TXmlDoc&) = delete;

  virtual void SetHeader(const char16_t* text);
  // Writes the byte-order mark and the text (UTF-16LE, no final line break) at the file's
  // position. `initialCapacity` is the room in characters the text starts with. Returns true when
  // a write did not complete; the file position is then set back to where that write began.
  virtual bool WriteTo(platform::File& file, std::uint32_t initialCapacity);
  // Creates or truncates the file and writes to it. Returns true on failure.
  virtual bool SaveAs(const char16_t* fileName, std::uint32_t initialCapacity);
  // Replaces the output by the header and the serialised root. Returns false.
  virtual bool FillString(TString& output, bool pretty);

  // Takes ownership. A second root is reported and replaces the first.
  void SetRoot(TXmlNode* node);
  TXmlNode* Root() const { return root_.get(); }

  const TString& Header() const { return header_; }
  const TString& Indent() const { return indent_; }

 private:
  std::unique_ptr<TXmlNode> root_;
  TString header_;
  TString indent_;
};
