// The item browser's word filter: an item is listed when its search key contains the search key
// of every word of the filter, so letter case does not matter and "," matches ".".
#pragma once

#include <vector>

#include "text/tstring.h"

namespace cli {

class TWordFilter {
 public:
  // Words are separated by spaces; a filter of spaces only lets everything through.
  explicit TWordFilter(const TString& filter);
  // `key` is the item ID's search key (MakeSearchKey).
  bool Matches(const TString& key) const;

 private:
  std::vector<TString> wordKeys_;
};

}  // namespace cli
