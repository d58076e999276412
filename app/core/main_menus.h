// The parts of the main menu that follow the program's state, worked out without a window: the
// open connections under "Disconnect Server" and "Browse Tags", the period kinds under "Period",
// and the document windows under "Window". The main frame applies the lists to its menu bar, and
// the window commands choose their window by the same rules.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "strings/command_ids.h"
#include "text/tstring.h"

inline constexpr int kDisconnectFirstCommand = ID_SERVER_DISCONNECT_FIRST;
inline constexpr int kBrowseFirstCommand = ID_GRAPH_BROWSE_FIRST;
inline constexpr int kWindowFirstCommand = ID_WINDOW_DOCUMENT_FIRST;
inline constexpr std::size_t kWindowMenuViews = 8;  // only the first eight views are examined
inline constexpr int kDayPeriodCommand = 1225;

struct MenuItemSpec {
  int id = 0;  // 0 for a separator
  TString text;
  bool grayed = false;
  bool checked = false;

  bool IsSeparator() const { return id == 0; }
};

// One view window as the window menu sees it.
struct ViewEntry {
  bool isGraphView = false;
  TString caption;  // the caption of its document window
};

struct MainMenuState {
  std::vector<TString> connectionNames;  // display names of the open connections, in order
  // The active document uses an open connection and is not locked.
  bool periodUsable = false;
  // The command of the active document's period kind (CheckedPeriodCommand), 0 without one.
  int checkedPeriodCommand = 0;
  std::vector<ViewEntry> views;  // every view of every document, in the order they were made
  int language = 1;
};

struct DynamicMenus {
  std::vector<MenuItemSpec> disconnect;  // after "All Servers" and its separator
  std::vector<MenuItemSpec> period;      // the whole Period menu
  std::vector<MenuItemSpec> browse;      // the whole Browse Tags menu
  std::vector<MenuItemSpec> window;      // after "Cascade" and "Tile"
  std::vector<TString> windowNames;      // the captions listed under Window, in menu order
};

DynamicMenus BuildDynamicMenus(const MainMenuState& state);

// The view whose window the window-menu command `k` (command - 9010) brings to the top: the first
// view whose caption is the k-th window-menu name; none when there is no such name or view.
std::optional<std::size_t> WindowMenuTarget(std::span<const ViewEntry> views,
                                            std::span<const TString> windowNames, std::size_t k);

// The view whose window Ctrl+Tab brings to the top, from the position of the active window's
// active view (none when it is not among the views): two views on, or the first view when that
// would run past the end. None with fewer than two views.
std::optional<std::size_t> NextDocumentView(std::size_t viewCount,
                                            std::optional<std::size_t> activeView);

// The string-table entry holding a command's status-bar prompt and tooltip: the command's own
// number, or for a numbered range of like commands (connections, windows, recent files) the
// number of the first of them.
int PromptTextId(int command);
