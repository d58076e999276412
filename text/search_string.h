// TSearchString: a TString with a normalised copy of its text for case-insensitive lookup.
#pragma once

#include "text/tstring.h"

class TSearchString : public TString {
 public:
  TSearchString() = default;
  // The text is converted from the thread's code page.
  explicit TSearchString(const char* narrow);

  // Replaces the text (from the thread's code page) and its key.
  void SetText(const char* narrow);
  // The text upper-cased unit by unit, with every comma replaced by a full stop.
  const TString& Key() const { return key_; }

 private:
  TString key_;
};

// The key that a TSearchString of this text would hold: use it for the text that is looked up.
TString MakeSearchKey(const char16_t* text);
