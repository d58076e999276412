// An element of a large text read where it lies. The reader's getters stop at a NUL, so the
// section ends its element in place: the character just past the element is replaced by a NUL for
// the section's lifetime and put back when it goes. A document's waves are read this way without
// copying each section's text out of the file's (a copy per section, per wave and per point used to
// be most of a load).
//
// Sections nest: one made inside another ends at or before the outer one's end, and goes first.
// While a section lives, nothing may read the text beyond its end.
#pragma once

#include <cstddef>
#include <optional>

#include "xml/xml_reader.h"

// Ends a writable text early while it lives: the character at `at` is a NUL until it goes.
class TXmlTextEnd {
 public:
  explicit TXmlTextEnd(char16_t* at) : at_(at), saved_(*at) { *at_ = 0; }
  ~TXmlTextEnd() { *at_ = saved_; }
  TXmlTextEnd(const TXmlTextEnd&) = delete;
  TXmlTextEnd& operator=(const TXmlTextEnd&) = delete;

 private:
  char16_t* at_;
  char16_t saved_;
};

class TXmlSection {
 public:
  // The first element `name` of the NUL-terminated text, which the section writes to.
  TXmlSection(const char16_t* name, char16_t* text) {
    TXmlSpan span;
    next_ = XmlFindElementSpan(name, text, span);
    if (next_ == 0) return;
    begin_ = text + (span.begin - text);
    length_ = span.length;
    end_.emplace(begin_ + length_);
  }
  TXmlSection(const TXmlSection&) = delete;
  TXmlSection& operator=(const TXmlSection&) = delete;

  bool Found() const { return end_.has_value(); }
  // The element from its "<", NUL-terminated while the section lives; empty when missing.
  char16_t* Str() const { return Found() ? begin_ : empty_; }
  std::size_t Length() const { return length_; }
  // Just past the element, in characters from the start of the text searched; 0 when missing.
  std::size_t Next() const { return next_; }

 private:
  char16_t* begin_ = nullptr;
  std::optional<TXmlTextEnd> end_;
  std::size_t length_ = 0;
  std::size_t next_ = 0;
  mutable char16_t empty_[1] = {0};
};
