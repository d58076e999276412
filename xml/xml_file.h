// Reading an XML file written by the program: the whole file as text, accepted only when it
// starts with the byte-order mark.
#pragma once

#include "text/tstring.h"

enum class XmlFileStatus {
  Read,        // text holds the whole file, mark included
  CannotOpen,  // text is empty
  NotUnicode,  // the first character is not U+FEFF; text is empty
};

XmlFileStatus XmlLoadFile(const char16_t* fileName, TString& text);
