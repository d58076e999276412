// Reading an XML file written by the program: the whole file as text, accepted only when it
// starts with the byte-order mark. Writing one so that a failure never costs the previous file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/file.h"
#include "text/tstring.h"

class TXmlDoc;

enum class XmlFileStatus {
  Read,        // text holds the whole file, mark included
  CannotOpen,  // text is empty
  NotUnicode,  // the first character is not U+FEFF; text is empty
  CutShort,    // only part of the file could be read (too long, or no memory); text is empty
};

[[nodiscard]] XmlFileStatus XmlLoadFile(const char16_t* fileName, TString& text);

// A file's text to be read where it lies (a document of tens of megabytes): the file mapped when
// its last page leaves room for the terminating NUL, which is nearly always, else read as
// XmlLoadFile reads it. The outcome and the text are those of XmlLoadFile either way. The text
// may be written to (the readers end sections in place); the file never is.
class TXmlFileText {
 public:
  [[nodiscard]] XmlFileStatus Load(const char16_t* fileName);
  // The text from its byte-order mark, NUL-terminated; empty unless Load answered Read.
  char16_t* Buffer() { return text_; }
  std::size_t Length() const { return length_; }

 private:
  bool Map(const char16_t* fileName);

  platform::MappedFile mapped_;
  TString read_;
  char16_t empty_[1] = {0};
  char16_t* text_ = empty_;
  std::size_t length_ = 0;
};

// Writes the document to fileName + ".tmp" and then replaces the file with it, so a failed save
// leaves the previous file as it was and no temporary file behind. A text that reached
// TString::kMaxLength was cut short and counts as a failure. Returns true on failure.
[[nodiscard]] bool XmlSaveFile(TXmlDoc& doc, const char16_t* fileName,
                               std::uint32_t initialCapacity);
