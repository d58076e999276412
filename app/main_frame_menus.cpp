// The main menu: loaded per language, and its parts that follow the program's state (the open
// connections, the period kinds, the document windows) rebuilt.
#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/resource.h"
#include "app_core/resource_text.h"
#include "app_core/string_ids.h"
#include "document/log_entry.h"
#include "document/log_message.h"
#include "document/period.h"
#include "hda/hda_connection.h"
#include "ui/doc_manager.h"
#include "views/graph_view.h"

namespace app {

namespace {

const wchar_t* W(const TString& s) { return reinterpret_cast<const wchar_t*>(s.Str()); }
const wchar_t* W(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }

// Removes every item of the menu from position `keep` on.
void TruncateMenu(HMENU menu, int keep) {
  for (int i = GetMenuItemCount(menu) - 1; i >= keep; --i) DeleteMenu(menu, i, MF_BYPOSITION);
}

constexpr int kFirstLastPeriodItem = 1211;
constexpr int kFirstStepPeriodItem = 1220;
constexpr int kLastStepPeriodItem = 1229;
constexpr int kFirstLastPeriodText = 11256;
constexpr int kFirstStepPeriodText = 11238;
constexpr std::size_t kWindowMenuViews = 8;

}  // namespace

HMENU TMainFrame::MenuBarPopup(int from_last) const {
  HMENU bar = GetMenu(Hwnd());
  const int n = bar ? GetMenuItemCount(bar) : 0;
  // A maximised child puts its system menu in front: count from the end.
  return n >= from_last ? GetSubMenu(bar, n - from_last) : nullptr;
}

void TMainFrame::LoadLanguageMenu() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU_BASE + config_.language));
  if (!menu) {
    wchar_t number[16];
    swprintf(number, 16, L"%d", config_.language);
    LogMessage(kTypeOther, kLevelInfo, u"Missing menu for language ",
               reinterpret_cast<const char16_t*>(number));
    menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU_BASE + 1));
  }
  if (!menu) return;
  HMENU old = GetMenu(Hwnd());
  SetMenu(Hwnd(), menu);
  if (old) DestroyMenu(old);
  RebuildMenus();
}

void TMainFrame::RebuildMenus() {
  HMENU bar = GetMenu(Hwnd());
  if (!bar || GetMenuItemCount(bar) < 5) return;  // the first menu has no dynamic parts
  views::VarnelDocument* active = ActiveDocument();

  // Disconnect Server: "All Servers", a separator, then one item per open connection.
  if (HMENU server = MenuBarPopup(5)) {
    if (HMENU disconnect = GetSubMenu(server, 3)) {
      TruncateMenu(disconnect, 2);
      for (std::size_t k = 0; k < connections_.Count(); ++k) {
        AppendMenuW(disconnect, MF_STRING, ID_SERVER_DISCONNECT_FIRST + k,
                    W(connections_.At(k).DisplayName()));
      }
    }
  }
  if (HMENU graph = MenuBarPopup(4)) {
    // Period: the sliding windows, a separator, the stepped kinds; greyed unless the active
    // document uses a connection and is not locked; the active kind checked.
    if (HMENU period = GetSubMenu(graph, 3)) {
      TruncateMenu(period, 0);
      const bool usable = active && active->Doc().UsesConnection(connections_) && !active->Doc().Locked;
      const UINT state = usable ? MF_ENABLED : MF_GRAYED;
      int checked = active ? PeriodKindOf(active->Doc().Period).command : 0;
      if (active && (checked < kFirstLastPeriodItem || checked > kLastStepPeriodItem)) checked = 1225;
      auto add = [&](int id, int text) {
        AppendMenuW(period, MF_STRING | state | (id == checked ? MF_CHECKED : 0), id,
                    W(RString(text, config_.language)));
      };
      for (int i = 0; i < 9; ++i) add(kFirstLastPeriodItem + i, kFirstLastPeriodText + i);
      AppendMenuW(period, MF_SEPARATOR, 0, nullptr);
      for (int i = 0; i < 10; ++i) add(kFirstStepPeriodItem + i, kFirstStepPeriodText + i);
    }
    // Browse Tags: one item per open connection.
    if (HMENU browse = GetSubMenu(graph, 0)) {
      TruncateMenu(browse, 0);
      for (std::size_t k = 0; k < connections_.Count(); ++k) {
        AppendMenuW(browse, MF_STRING, ID_GRAPH_BROWSE_FIRST + k,
                    W(connections_.At(k).DisplayName()));
      }
    }
  }
  // Window: Cascade and Tile, then the graph views among the first eight views.
  if (HMENU window = MenuBarPopup(2)) {
    TruncateMenu(window, 2);
    window_menu_names_.clear();
    const auto& all = views::TVarnelView::AllViews();
    if (!all.empty()) AppendMenuW(window, MF_SEPARATOR, 0, nullptr);
    for (std::size_t i = 0; i < all.size() && i < kWindowMenuViews; ++i) {
      if (!dynamic_cast<views::TVarnelGraphView*>(all[i])) continue;
      HWND frame = GetParent(GetParent(all[i]->Hwnd()));
      wchar_t caption[512] = {};
      if (frame) GetWindowTextW(frame, caption, 512);
      AppendMenuW(window, MF_STRING, ID_WINDOW_DOCUMENT_FIRST + window_menu_names_.size(), caption);
      window_menu_names_.emplace_back(reinterpret_cast<const char16_t*>(caption));
    }
  }
  DrawMenuBar(Hwnd());
}

void TMainFrame::OnMenuPopup(HMENU menu) {
  // The File menu carries the recent files.
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (id >= ui::DocManager::kRecentFirst && id <= ui::DocManager::kRecentLast) {
      wchar_t placeholder[64] = L"Recent File";
      Documents().Recent().UpdateMenu(menu, placeholder);
      return;
    }
  }
}

void TMainFrame::SwitchLanguage(int language) {
  language = std::clamp(language, 0, 9);
  if (language == config_.language) return;
  config_.language = language;
  link_.language = language;
  config_.Save();
  LoadLanguageMenu();
  UpdateTitle();
}

}  // namespace app
