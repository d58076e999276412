// TMainFrame: the program's main window. It owns the live configuration, the application log,
// the open server connections, the toolbars and the status bar; it turns commands into actions on
// the active document, keeps its menus in the configured language, and runs the one-second timer.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/core/main_menus.h"
#include "app/frame_messages.h"
#include "app_context/main_frame_link.h"
#include "config/config.h"
#include "document/grid_doc.h"
#include "document/period_commands.h"
#include "document/reconnect_schedule.h"
#include "document/user_messages.h"
#include "hda/connection_list.h"
#include "ui/bars.h"
#include "ui/mdi_frame.h"
#include "ui/window_placement.h"
#include "views/varnel_document.h"

namespace dialogs {
class TBrowseHdaItemDlg;
}

namespace app {

class TChildFrame;

inline constexpr UINT_PTR kOneSecondTimer = 999;

// Looks at a message of the main window before the frame does; true when it handled it.
using MessageFilter =
    std::function<bool(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result)>;

class TMainFrame : public ui::MdiFrame, public IUserMessages {
 public:
  static constexpr wchar_t kClassName[] = L"VarnelMainFrame";

  TMainFrame();
  ~TMainFrame() override;

  // Makes the window from resource 128 (menu, icon); false when it could not be made.
  bool LoadFrame();

  TConfig& Config() { return config_; }
  TGridDoc* Log() { return log_.get(); }
  THdaConnectionList& Connections() { return connections_; }
  views::VarnelDocument* ActiveDocument() const;
  TChildFrame* ActiveChildFrame() const;
  int Language() const { return config_.Language; }

  // Loads the main menu of the current language in place of the frame's menu, then rebuilds
  // its dynamic parts.
  void LoadLanguageMenu();
  // The connections, period, browse and window entries of the menu (then the title).
  void RebuildMenus();
  void UpdateTitle();
  // Every view of the document gets a fresh copy of the configuration.
  void CopyConfigToViews(views::VarnelDocument& document);
  // Sends the hint to every view of the document.
  void UpdateViews(views::VarnelDocument& document, LPARAM hint);

  // IUserMessages
  void ShowMessage(const TString& text, TMessageKind kind) override;
  // In the status bar: the log has its line already, and no box stops the refresh.
  void ServerStoppedAnswering(const HdaServerDef& server, const TString& text) override;

  void SetMessageFilter(MessageFilter filter) { filter_ = std::move(filter); }

  void OnIdle() override;
  void OnChildActivated() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool OnCreate(const CREATESTRUCTW& create) override;
  bool OnClose() override;
  void OnDestroy() override;
  bool OnTimer(UINT_PTR id) override;
  bool OnGetMinMaxInfo(MINMAXINFO& info) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void ShowPrompt(UINT id) override;
  void OnMenuPopup(HMENU menu) override;
  RECT LayoutBars(RECT client) override;

 private:
  friend class TTestChannel;

  void AddCommands();
  void AddPeriodCommands();
  void AddWindowCommands();
  bool CreateBars();
  void OnStartup();
  void Tick();
  // The pending lines of the log into its file.
  void WriteLog();
  // Closing's first steps: the timer stopped, the window rectangle and the configuration saved,
  // "Application closed" logged and the log written.
  void SaveForExit();
  // The end of the Windows session: true when it may end (the documents were offered for saving).
  bool OnQueryEndSession();
  void OnEndSession();
  void SwitchLanguage(int language);
  void RunConfiguration();
  void ShowAbout();
  void OpenManual();
  void BringDocumentToTop(std::size_t k);
  void NextDocument();
  // Every view of every document as the window menu sees it, in AllViews order.
  std::vector<ViewEntry> ViewEntries() const;
  std::vector<views::VarnelDocument*> AllDocuments() const;

  // Servers and items (main_frame_servers.cpp).
  void AddServerCommands();
  // The connect command for a machine ("" for this one).
  void ConnectServer(const TString& machine);
  void ConnectRemoteServer();
  void DisconnectServer(std::size_t k);
  void DisconnectAll();
  // The item browser on connection k for the active document, then its waves re-read.
  void BrowseItems(std::size_t k);
  void RemoveItems();
  // Position of the connection made or browsed last, -1 when it is gone or there is none.
  int LastConnection() const;
  // The connection the list added last becomes the last connection (none when it is gone).
  void NoteLastConnection();
  // A remembered server beyond the ten connections at start-up: told in the log and status bar.
  void RefuseReconnection(const HdaServerDef& server);
  HMENU MenuBarPopup(int from_last) const;
  // Every graph view draws the long waves it could not read yet (a server was connected).
  void CheckLongWaves();

  // Lost servers tried again (main_frame_reconnect.cpp).
  // Connections that went without the user's doing: their servers get tries when the
  // configuration asks for them.
  void ServersLost(const std::vector<HdaServerDef>& servers);
  // The tries whose wait has run out; a server that answers has its documents' items added and
  // the next refresh check refreshes.
  void TryLostServers(double now);
  void AddDocumentItems(const HdaServerDef& server);

  TConfig config_;
  std::unique_ptr<TGridDoc> log_;
  TMainFrameLink link_;
  THdaConnectionList connections_;
  // Kept by identity, not position: disconnects and shutdowns move the others up.
  std::optional<ConnectionId> last_connection_;
  TString remote_machine_;                              // the machine typed last, offered again
  dialogs::TBrowseHdaItemDlg* item_browser_ = nullptr;  // while it is open
  ui::ToolBar file_bar_;
  ui::ToolBar period_bar_;
  ui::StatusBar status_;
  TRefreshTimer refresh_;
  TReconnectSchedule reconnect_;
  double last_second_mark_ = 0;
  std::vector<TString> window_menu_names_;
  bool timer_running_ = false;
  // While the timer refreshes: messages go to the status bar and the log instead of boxes.
  bool unattended_ = false;
  MessageFilter filter_;
  // Where the window goes back to when restored: stored at the close, also when it is maximised.
  ui::RestoredRect restored_;
};

// The main frame while it exists.
TMainFrame* MainFrame();

}  // namespace app
