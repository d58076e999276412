// Messages for the user that must be acknowledged, such as a refused connection. The windows show
// them in a message box; the command-line tool prints them to standard error.
#pragma once

#include "document/connection_info.h"
#include "text/tstring.h"

enum class TMessageKind { Information, Warning, Error };

class IUserMessages {
 public:
  virtual ~IUserMessages() = default;
  virtual void ShowMessage(const TString& text, TMessageKind kind) = 0;
  // The server stopped answering; its connection closes as if the server had shut down. `text`
  // says so for the user. Shown as an error unless the sink has a place of its own for it.
  virtual void ServerStoppedAnswering(const HdaServerDef& server, const TString& text) {
    static_cast<void>(server);
    ShowMessage(text, TMessageKind::Error);
  }
};
