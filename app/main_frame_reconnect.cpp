// The main frame's reconnection of lost servers: a connection that went without the user's doing
// (its server stopped answering or shut down) is tried again from the one-second timer, after
// waits that grow to a minute. When the server answers, the documents' items are added to the
// new connection and the next refresh reads their waves. A disconnect by the user is never
// undone: it forgets the server's tries.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/library_errors.h"
#include "app/main_frame.h"
#include "app_context/main_frame_text.h"
#include "document/log_entry.h"
#include "document/log_message.h"
#include "platform/wide.h"
#include "strings/string_ids.h"
#include "text/time_base.h"
#include "ui/text_args.h"
#include "views/graph_view.h"

namespace app {

namespace {

// The resource text with "%1" given the server's display name.
std::wstring ServerText(int id, const HdaServerDef& server) {
  return ui::ReplaceArgument(platform::W(RString(id)), L"%1",
                             platform::W(ServerDisplayName(server)));
}

// "0x800706BA: " and what the library said of the failure.
TString TryResultText(const LibraryErrorCapture& capture) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(capture.Result()));
  TString text;
  text.FromNarrow(code);
  if (!capture.Text().empty()) {
    TString said;
    said.FromNarrow(capture.Text().c_str());
    text.Append(u": ");
    text.Append(said);
  }
  return text;
}

}  // namespace

void TMainFrame::ServersLost(const std::vector<HdaServerDef>& servers) {
  if (!config_.ReconnectLostServers) return;
  for (const HdaServerDef& server : servers) reconnect_.Lost(server, Now());
}

void TMainFrame::TryLostServers(double now) {
  if (!config_.ReconnectLostServers) {
    reconnect_.Clear();
    return;
  }
  for (const HdaServerDef& server : reconnect_.Due(now)) {
    const TString name = ServerDisplayName(server);
    // The connections' entries are ten at most, as for the connect command.
    if (connections_.Count() >= THdaConnectionList::kMaxConnections) {
      reconnect_.Forget(server);
      RefuseReconnection(server);
      continue;
    }
    if (status_.Hwnd()) status_.SetText(0, ServerText(IDS_RECONNECTING, server));
    bool answered = false;
    HRESULT result = S_OK;
    TString result_text;
    {
      const LibraryErrorCapture capture;
      answered = connections_.Reconnect(server);
      result = capture.Result();
      result_text = TryResultText(capture);
    }
    if (!answered) {
      if (reconnect_.Failed(server, now, static_cast<std::int32_t>(result))) {
        LogMessage(kTypeOpc, kLevelWarning, u"Reconnecting to server ", name.Str(), u": ",
                   result_text.Str());
      }
      continue;
    }
    reconnect_.Forget(server);
    LogMessage(kTypeOpc, kLevelInfo, u"Reconnecting to server ", name.Str(), u": connected");
    if (status_.Hwnd()) status_.SetText(0, ServerText(IDS_RECONNECTED, server));
    AddDocumentItems(server);
    refresh_.RefreshAtNextCheck();
    RebuildMenus();
    CheckLongWaves();
  }
}

void TMainFrame::AddDocumentItems(const HdaServerDef& server) {
  const std::optional<ConnectionId> open = connections_.FindOpen(server);
  if (!open) return;
  for (views::VarnelDocument* document : AllDocuments()) {
    for (const ConnectionInfo& info : document->Doc().Connections) {
      if (info.SameServer(server)) connections_.AddItems(*open, info.ItemNames);
    }
  }
}

void TMainFrame::CheckLongWaves() {
  for (views::VarnelDocument* document : AllDocuments()) {
    for (ui::View* view : document->Views()) {
      if (auto* graph = dynamic_cast<views::TVarnelGraphView*>(view)) graph->CheckLongWaves();
    }
  }
}

}  // namespace app
