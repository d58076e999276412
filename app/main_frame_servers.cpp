// The main frame's server and item commands: connecting a server of this machine or of another
// one, disconnecting one or all, browsing a server's items into the active document and removing
// items from it.
#include <windows.h>

#include "app/main_frame.h"
#include "app/resource.h"
#include "app_context/main_frame_text.h"
#include "dialogs/item_browser.h"
#include "dialogs/item_remover.h"
#include "dialogs/machine_dialog.h"
#include "dialogs/server_browser.h"
#include "document/log_entry.h"
#include "document/log_message.h"
#include "document/period.h"
#include "platform/wide.h"
#include "strings/string_ids.h"
#include "text/time_base.h"
#include "views/varnel_document.h"

namespace app {

void TMainFrame::AddServerCommands() {
  auto& c = Commands();
  auto has_document = [this](ui::CommandState& s) { s.enabled = ActiveDocument() != nullptr; };
  c.Add(ID_SERVER_CONNECT_LOCAL, [this](UINT) { ConnectServer(TString()); });
  c.Add(ID_SERVER_CONNECT_REMOTE, [this](UINT) { ConnectRemoteServer(); });
  c.Add(ID_SERVER_DISCONNECT_ALL, [this](UINT) { DisconnectAll(); });
  c.Add(ID_SERVER_DISCONNECT_FIRST,
        ID_SERVER_DISCONNECT_FIRST + THdaConnectionList::kMaxConnections - 1,
        [this](UINT id) { DisconnectServer(id - ID_SERVER_DISCONNECT_FIRST); });
  c.Add(
      ID_GRAPH_BROWSE_FIRST, ID_GRAPH_BROWSE_FIRST + THdaConnectionList::kMaxConnections - 1,
      [this](UINT id) { BrowseItems(id - ID_GRAPH_BROWSE_FIRST); }, has_document);
  c.Add(
      ID_BROWSE_LAST_CONNECTION,
      [this](UINT) {
        if (const int k = LastConnection(); k >= 0) BrowseItems(static_cast<std::size_t>(k));
      },
      [this](ui::CommandState& s) { s.enabled = ActiveDocument() && LastConnection() >= 0; });
  c.Add(
      ID_GRAPH_REMOVE_TAGS, [this](UINT) { RemoveItems(); }, has_document);
}

void TMainFrame::ServerStoppedAnswering(const HdaServerDef&, const TString& text) {
  if (status_.Hwnd()) status_.SetText(0, platform::W(text));
}

int TMainFrame::LastConnection() const {
  return last_connection_ ? connections_.IndexOf(*last_connection_) : -1;
}

void TMainFrame::ConnectServer(const TString& machine) {
  if (connections_.Count() >= THdaConnectionList::kMaxConnections) {
    ShowMessage(RString(IDS_CONNECTION_DENIED), TMessageKind::Warning);
    return;
  }
  HdaServerDef server;
  server.MachineName = machine;
  dialogs::TBrowseHdaServerDlg browser(Hwnd(), TString(RString(IDS_BROWSE_OPC_SERVERS)), server,
                                       config_.Servers);
  if (browser.DoModal() != IDOK) return;
  config_.RememberServer(server);
  // Refused when the server is connected already (the user is told).
  if (!connections_.ConnectCommand(server)) return;
  // Connected by hand: no more tries of its own.
  reconnect_.Forget(server);
  NoteLastConnection();
  RebuildMenus();
  // Long waves of the new server's documents can be drawn whole now.
  CheckLongWaves();
}

void TMainFrame::NoteLastConnection() {
  // A shutdown notice may have taken the new connection while it connected.
  const int k = connections_.LastConnection();
  if (k >= 0) {
    last_connection_ = connections_.Id(static_cast<std::size_t>(k));
  } else {
    last_connection_.reset();
  }
}

void TMainFrame::RefuseReconnection(const HdaServerDef& server) {
  const TString denied(RString(IDS_CONNECTION_DENIED));
  const TString name = ServerDisplayName(server);
  LogMessage(kTypeOpc, kLevelWarning, denied.Str(), u": ", name.Str());
  if (status_.Hwnd()) status_.SetText(0, platform::W(denied));
}

void TMainFrame::ConnectRemoteServer() {
  dialogs::TMachineDlg machine(Hwnd(), remote_machine_);
  if (machine.DoModal() != IDOK) return;
  ConnectServer(remote_machine_);
}

void TMainFrame::DisconnectServer(std::size_t k) {
  if (k >= connections_.Count()) return;
  reconnect_.Forget(connections_.At(k).Server());
  connections_.Remove(k);
  RebuildMenus();
}

void TMainFrame::DisconnectAll() {
  // Servers still tried again are disconnected as well: the user wants none of them.
  reconnect_.Clear();
  connections_.RemoveAll();
  last_connection_.reset();
  RebuildMenus();
}

void TMainFrame::BrowseItems(std::size_t k) {
  // An entry may still show a connection that a server's shutdown has just removed.
  if (k >= connections_.Count()) return;
  THdaConnection& connection = connections_.At(k);
  last_connection_ = connections_.Id(k);
  views::VarnelDocument* document = ActiveDocument();
  if (!document) {
    LogMessage(kTypeOpc, kLevelInfo, u"No Document available");
    return;
  }
  TVarnelDoc& doc = document->Doc();
  ConnectionInfo& info = doc.FindOrAddConnection(connection.Server());
  dialogs::TBrowseHdaItemDlg browser(Hwnd(), TString(RString(IDS_BROWSE_HDA_TAGS)), connections_,
                                     connections_.Id(k), info);
  item_browser_ = &browser;
  browser.DoModal();
  item_browser_ = nullptr;
  doc.Locked = false;
  if (doc.Live) Current(doc, Now());
  doc.RebuildWaves(connections_);
  UpdateViews(*document, views::kHintItemsBrowsed);
  RebuildMenus();
  UpdateTitle();
}

void TMainFrame::RemoveItems() {
  views::VarnelDocument* document = ActiveDocument();
  if (!document) return;
  dialogs::TRemoveHdaItemDlg remover(Hwnd(), TString(RString(IDS_REMOVE_OPC_TAGS)),
                                     document->Doc());
  remover.DoModal();
  UpdateViews(*document, views::kHintItemsRemoved);
  RebuildMenus();
  UpdateTitle();
}

}  // namespace app
