// What the find dialog asks for and remembers: the search text, the earlier search texts (most
// recent first, at most ten) and the options. The grid view owns one and hands it to the dialog.
#pragma once

#include <cstddef>
#include <vector>

#include "text/tstring.h"

struct FindState {
  static constexpr std::size_t kMaxHistory = 10;
  static constexpr int kUp = 0;
  static constexpr int kDown = 1;

  TString Text;
  std::vector<TString> History;  // most recent first
  bool WholeWord = false;
  bool MatchCase = false;
  int Direction = kDown;
};

// After a search for `text`: the same text (same length and the same characters, case included)
// moves to the front of the history; another one is put in front, and the oldest drops off past
// ten entries.
void RememberSearch(FindState& state, const TString& text);
