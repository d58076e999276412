#include "dialogs/core/find_state.h"

#include <algorithm>

void RememberSearch(FindState& state, const TString& text) {
  auto& history = state.History;
  auto same = std::find(history.begin(), history.end(), text);
  if (same != history.end()) {
    std::rotate(history.begin(), same, same + 1);
    return;
  }
  history.insert(history.begin(), text);
  if (history.size() > FindState::kMaxHistory) history.resize(FindState::kMaxHistory);
}
