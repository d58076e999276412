#include "app/core/main_menus.h"

#include "strings/command_ids.h"
#include "strings/resource_text.h"

namespace {

constexpr int kFirstSlidingCommand = 1211;
constexpr int kFirstSlidingText = 11256;
constexpr int kSlidingKinds = 9;
constexpr int kFirstSteppedCommand = 1220;
constexpr int kFirstSteppedText = 11238;
constexpr int kSteppedKinds = 10;
constexpr int kMaxConnections = 10;

std::vector<MenuItemSpec> ConnectionItems(const std::vector<TString>& names, int firstId) {
  std::vector<MenuItemSpec> items;
  for (std::size_t k = 0; k < names.size(); ++k) {
    items.push_back({firstId + static_cast<int>(k), names[k]});
  }
  return items;
}

}  // namespace

DynamicMenus BuildDynamicMenus(const MainMenuState& state) {
  DynamicMenus menus;
  menus.disconnect = ConnectionItems(state.connectionNames, kDisconnectFirstCommand);
  menus.browse = ConnectionItems(state.connectionNames, kBrowseFirstCommand);

  auto addKinds = [&](int firstCommand, int firstText, int count) {
    for (int i = 0; i < count; ++i) {
      const int id = firstCommand + i;
      menus.period.push_back({id, TString(RString(firstText + i, state.language)),
                              !state.periodUsable, id == state.checkedPeriodCommand});
    }
  };
  addKinds(kFirstSlidingCommand, kFirstSlidingText, kSlidingKinds);
  menus.period.push_back({});
  addKinds(kFirstSteppedCommand, kFirstSteppedText, kSteppedKinds);

  if (!state.views.empty()) menus.window.push_back({});
  for (std::size_t i = 0; i < state.views.size() && i < kWindowMenuViews; ++i) {
    if (!state.views[i].isGraphView) continue;
    const int id = kWindowFirstCommand + static_cast<int>(menus.windowNames.size());
    menus.window.push_back({id, state.views[i].caption});
    menus.windowNames.push_back(state.views[i].caption);
  }
  return menus;
}

std::optional<std::size_t> WindowMenuTarget(std::span<const ViewEntry> views,
                                            std::span<const TString> windowNames, std::size_t k) {
  if (k >= windowNames.size()) return std::nullopt;
  for (std::size_t i = 0; i < views.size(); ++i) {
    if (views[i].caption == windowNames[k]) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> NextDocumentView(std::size_t viewCount,
                                            std::optional<std::size_t> activeView) {
  if (viewCount < 2) return std::nullopt;
  if (!activeView || *activeView >= viewCount || *activeView + 2 >= viewCount) return 0;
  return *activeView + 2;
}

int PromptTextId(int command) {
  auto in = [&](int first, int count) { return command >= first && command < first + count; };
  if (in(kDisconnectFirstCommand, kMaxConnections)) return kDisconnectFirstCommand;
  if (in(kBrowseFirstCommand, kMaxConnections)) return kBrowseFirstCommand;
  if (in(kWindowFirstCommand, static_cast<int>(kWindowMenuViews))) return kWindowFirstCommand;
  if (command >= ID_FILE_MRU_FILE1 && command <= ID_FILE_MRU_LAST) return ID_FILE_MRU_FILE1;
  return command;
}
