// The program's string table, one entry per number, each holding the text of every language.
#pragma once

#include <span>

struct TStringEntry {
  int id;
  const char16_t* text;
};

// All entries, sorted by number.
std::span<const TStringEntry> StringTable();
