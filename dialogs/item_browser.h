// TBrowseHdaItemDlg: the item IDs of one connected server, narrowed by a word filter, to add to
// the active document. Items added go into the connection (a server handle) and into the
// document's item names for that server; the caller re-reads the waves afterwards.
#pragma once

#include <cstddef>
#include <vector>

#include "document/connection_info.h"
#include "document/user_messages.h"
#include "dialogs/dialog.h"
#include "hda/connection_list.h"
#include "text/search_string.h"
#include "text/tstring.h"

namespace dialogs {

inline constexpr UINT kItemAddedMessage = WM_USER + 14;  // 1038, posted to the owner

class TBrowseHdaItemDlg : public TDialog, private IUserMessages {
 public:
  // `connection` names one of `connections`; a server that shuts down while the dialog is open
  // takes its connection out of the list, and nothing more is added then (a connection made
  // meanwhile has another id, whatever its address). `info` is the document's connection info for
  // that server.
  TBrowseHdaItemDlg(HWND owner, const TString& caption, THdaConnectionList& connections,
                    ConnectionId connection, ConnectionInfo& info);

  // The items the server listed, in browse order.
  const std::vector<TSearchString>& Items() const { return items_; }
  // How long the server's browse and the last filling of the list took.
  double BrowseMilliseconds() const { return browse_ms_; }
  double LastFillMilliseconds() const { return fill_ms_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool PreTranslateMessage(MSG& msg) override;
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDestroy() override;

 private:
  void BrowseServer();
  void FillList();
  void OnFilterTimer();
  void AddSelected();
  void EnableAdd();
  THdaConnection* LiveConnection() const;
  void ShowMessage(const TString& text, TMessageKind kind) override;

  TString caption_;
  THdaConnectionList& connections_;
  ConnectionId connection_;
  ConnectionInfo& info_;
  std::vector<TSearchString> items_;
  std::vector<std::size_t> shown_;  // the item of each list entry
  TString applied_filter_;          // search form of the filter the list shows
  double browse_ms_ = 0;
  double fill_ms_ = 0;
};

}  // namespace dialogs
