// The item browser's word filter. An item is listed when its search key (upper case, commas read
// as full stops) contains the search key of every word of the filter, in any order, so letter
// case does not matter and "," matches ".".
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "text/search_string.h"
#include "text/tstring.h"

class WordFilter {
 public:
  // Words are separated by spaces; several spaces count as one.
  explicit WordFilter(const TString& filter);
  // A filter of spaces only, or of nothing, has no words and lets everything through.
  bool HasWords() const { return !wordKeys_.empty(); }
  // `key` is the item ID's search key (MakeSearchKey, TSearchString::Key).
  bool Matches(const TString& key) const;

 private:
  std::vector<TString> wordKeys_;
};

// What the item browser's list shows for a filter text.
struct FilteredItems {
  std::vector<std::size_t> shown;  // indexes into the browsed items, in browse order
  bool selectFirst = false;        // the list selects its first entry
};

// The browsed items the filter lets through, without the items the document shows already
// (`documentItems`, compared exactly), the first of them selected. A filter of spaces only lists
// every item as it is, those of the document included, and selects nothing.
FilteredItems FilterItems(std::span<const TSearchString> items, const TString& filterText,
                          std::span<const TString> documentItems);
