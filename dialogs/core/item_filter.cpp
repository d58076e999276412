#include "dialogs/core/item_filter.h"

#include <algorithm>

WordFilter::WordFilter(const TString& filter) {
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

bool WordFilter::Matches(const TString& key) const {
  return std::all_of(wordKeys_.begin(), wordKeys_.end(),
                     [&](const TString& word) { return key.Find(word.Str()) >= 0; });
}

FilteredItems FilterItems(std::span<const TSearchString> items, const TString& filterText,
                          std::span<const TString> documentItems) {
  FilteredItems result;
  const WordFilter filter(filterText);
  const bool spacesOnly = !filterText.IsEmpty() && !filter.HasWords();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (filter.Matches(items[i].Key())) result.shown.push_back(i);
  }
  if (spacesOnly) return result;
  // An item the document shows already is not offered again. The name is compared whole: a
  // prefix match would hide "Tank10" for a document showing "Tank1" and leave "Tank1" offered.
  for (const TString& name : documentItems) {
    auto same = std::find_if(result.shown.begin(), result.shown.end(), [&](std::size_t i) {
      return static_cast<const TString&>(items[i]) == name;
    });
    if (same != result.shown.end()) result.shown.erase(same);
  }
  result.selectFirst = !result.shown.empty();
  return result;
}
