#include "text/search_string.h"

#include "text/case_map.h"

TString MakeSearchKey(const char16_t* text) {
  TString key(text);
  char16_t* unit = key.Buffer();
  for (std::uint32_t i = 0; i < key.Length(); ++i) {
    unit[i] = unit[i] == u',' ? u'.' : UpperCaseOf(unit[i]);
  }
  return key;
}

TSearchString::TSearchString(const char* narrow) { SetText(narrow); }

void TSearchString::SetText(const char* narrow) {
  FromNarrow(narrow);
  key_ = MakeSearchKey(Str());
}
