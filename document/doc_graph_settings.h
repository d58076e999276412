// The document's graph settings as the "GraphSettings" element text of its file. The document
// keeps the element as it was read and writes it back unchanged, so a document round-trips the
// look of its graph until the graph engine's settings record takes this place.
#pragma once

#include <memory>

#include "text/tstring.h"

class TXmlChild;

class TDocGraphSettings {
 public:
  // Keeps the first "GraphSettings" element of the text. Returns true (and keeps what it held)
  // when there is none.
  bool Read(const char16_t* text);
  // The element to append to the document's root: the kept element, or an empty one.
  std::unique_ptr<TXmlChild> Element() const;

  // The whole element, "<GraphSettings>" to "</GraphSettings>"; empty for the defaults.
  const TString& ElementText() const { return elementText_; }

  bool operator==(const TDocGraphSettings& other) const {
    return elementText_ == other.elementText_;
  }

 private:
  TString elementText_;
};
