// Reading an XML file written by the program: the whole file as text, accepted only when it
// starts with the byte-order mark. Writing one so that a failure never costs the previous file.
#pragma once

#include <cstdint>

#include "text/tstring.h"

class TXmlDoc;

enum class XmlFileStatus {
  Read,        // text holds the whole file, mark included
  CannotOpen,  // text is empty
  NotUnicode,  // the first character is not U+FEFF; text is empty
  CutShort,    // only part of the file could be read (too long, or no memory); text is empty
};

[[nodiscard]] XmlFileStatus XmlLoadFile(const char16_t* fileName, TString& text);

// Writes the document to fileName + ".tmp" and then replaces the file with it, so a failed save
// leaves the previous file as it was and no temporary file behind. A text that reached
// TString::kMaxLength was cut short and counts as a failure. Returns true on failure.
[[nodiscard]] bool XmlSaveFile(TXmlDoc& doc, const char16_t* fileName,
                               std::uint32_t initialCapacity);
