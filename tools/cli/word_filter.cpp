#include "tools/cli/word_filter.h"

#include "text/search_string.h"

namespace cli {

TWordFilter::TWordFilter(const TString& filter) {
  TString word;
  for (std::uint32_t i = 0; i <= filter.Length(); ++i) {
    const char16_t c = i < filter.Length() ? filter.Str()[i] : u' ';
    if (c != u' ') {
      word.Append(c);
    } else if (!word.IsEmpty()) {
      wordKeys_.push_back(MakeSearchKey(word.Str()));
      word.Clear();
    }
  }
}

bool TWordFilter::Matches(const TString& key) const {
  for (const TString& word : wordKeys_) {
    if (key.Find(word.Str()) < 0) return false;
  }
  return true;
}

}  // namespace cli
