// Messages for the user that must be acknowledged, such as a refused connection. The windows show
// them in a message box; the command-line tool prints them to standard error.
#pragma once

#include "text/tstring.h"

enum class TMessageKind { Information, Warning, Error };

class IUserMessages {
 public:
  virtual ~IUserMessages() = default;
  virtual void ShowMessage(const TString& text, TMessageKind kind) = 0;
};
