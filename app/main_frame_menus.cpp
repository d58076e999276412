// The main menu: loaded per language, and its parts that follow the program's state (the open
// connections, the period kinds, the document windows) rebuilt.
#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/resource.h"
#include "document/log_entry.h"
#include "document/log_message.h"
#include "document/period.h"
#include "hda/hda_connection.h"
#include "platform/wide.h"
#include "strings/resource_text.h"
#include "strings/string_ids.h"
#include "ui/doc_manager.h"
#include "views/graph_view.h"

namespace app {

namespace {

// Removes every item of the menu from position `keep` on.
void TruncateMenu(HMENU menu, int keep) {
  for (int i = GetMenuItemCount(menu) - 1; i >= keep; --i) DeleteMenu(menu, i, MF_BYPOSITION);
}

void AppendItems(HMENU menu, const std::vector<MenuItemSpec>& items) {
  for (const MenuItemSpec& item : items) {
    if (item.IsSeparator()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT state = (item.grayed ? MF_GRAYED : MF_ENABLED) | (item.checked ? MF_CHECKED : 0);
    AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(item.id), platform::W(item.text));
  }
}

// The caption of the document window that holds the view.
TString FrameCaption(const views::TVarnelView& view) {
  HWND frame = GetParent(GetParent(view.Hwnd()));
  wchar_t caption[512] = {};
  if (frame) GetWindowTextW(frame, caption, 512);
  return TString(platform::U16(caption));
}

}  // namespace

HMENU TMainFrame::MenuBarPopup(int from_last) const {
  HMENU bar = GetMenu(Hwnd());
  // A maximised document window puts its system menu in front of our pop-ups and its minimise,
  // restore and close buttons behind them: count from our last pop-up.
  int n = bar ? GetMenuItemCount(bar) : 0;
  while (n > 0 && !GetSubMenu(bar, n - 1)) --n;
  return n >= from_last ? GetSubMenu(bar, n - from_last) : nullptr;
}

void TMainFrame::LoadLanguageMenu() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU_BASE + config_.Language));
  if (!menu) {
    wchar_t number[16];
    swprintf(number, 16, L"%d", config_.Language);
    LogMessage(kTypeOther, kLevelInfo, u"Missing menu for language ", platform::U16(number));
    menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU_BASE + 1));
  }
  if (!menu) return;
  HMENU old = GetMenu(Hwnd());
  // Through the MDI client: it takes a maximised document window's system menu and buttons off
  // the old menu, which is destroyed here, and puts them on the new one.
  if (MdiClient()) {
    SendMessageW(MdiClient(), WM_MDISETMENU, reinterpret_cast<WPARAM>(menu), 0);
  } else {
    SetMenu(Hwnd(), menu);
  }
  if (old && old != menu) DestroyMenu(old);
  RebuildMenus();
}

std::vector<ViewEntry> TMainFrame::ViewEntries() const {
  std::vector<ViewEntry> entries;
  for (const views::TVarnelView* view : views::TVarnelView::AllViews()) {
    entries.push_back(
        {dynamic_cast<const views::TVarnelGraphView*>(view) != nullptr, FrameCaption(*view)});
  }
  return entries;
}

void TMainFrame::RebuildMenus() {
  HMENU bar = GetMenu(Hwnd());
  if (!bar || GetMenuItemCount(bar) < 5) return;  // the first menu has no dynamic parts
  const views::VarnelDocument* active = ActiveDocument();

  MainMenuState state;
  for (std::size_t k = 0; k < connections_.Count(); ++k) {
    state.connectionNames.push_back(connections_.At(k).DisplayName());
  }
  if (active) {
    state.periodUsable = active->Doc().UsesConnection(connections_) && !active->Doc().Locked;
    state.checkedPeriodCommand = CheckedPeriodCommand(active->Doc().Period);
  }
  state.views = ViewEntries();
  state.language = config_.Language;
  const DynamicMenus menus = BuildDynamicMenus(state);

  // Disconnect Server (item 3 of Server) keeps "All Servers" and its separator.
  if (HMENU server = MenuBarPopup(5)) {
    if (HMENU disconnect = GetSubMenu(server, 3)) {
      TruncateMenu(disconnect, 2);
      AppendItems(disconnect, menus.disconnect);
    }
  }
  // Browse Tags and Period are items 0 and 3 of Graph.
  if (HMENU graph = MenuBarPopup(4)) {
    if (HMENU period = GetSubMenu(graph, 3)) {
      TruncateMenu(period, 0);
      AppendItems(period, menus.period);
    }
    if (HMENU browse = GetSubMenu(graph, 0)) {
      TruncateMenu(browse, 0);
      AppendItems(browse, menus.browse);
    }
  }
  // Window keeps Cascade and Tile.
  if (HMENU window = MenuBarPopup(2)) {
    TruncateMenu(window, 2);
    AppendItems(window, menus.window);
    window_menu_names_ = menus.windowNames;
  }
  DrawMenuBar(Hwnd());
}

void TMainFrame::OnMenuPopup(HMENU menu) {
  // The File menu carries the recent files.
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST) {
      wchar_t placeholder[64] = L"Recent File";
      Documents().Recent().UpdateMenu(menu, placeholder);
      return;
    }
  }
}

void TMainFrame::SwitchLanguage(int language) {
  language = std::clamp(language, 0, 9);
  if (language == config_.Language) return;
  config_.Language = language;
  link_.language = language;
  static_cast<void>(config_.Save());  // a failure is logged by Save; the language holds
  LoadLanguageMenu();
  UpdateTitle();
}

}  // namespace app
