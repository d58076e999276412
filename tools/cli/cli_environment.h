// What every varnel-cli command runs in: COM on this thread as the main program has it, Ambrel
// reporting to a callback (never a message box), the main frame's language and, with --verbose,
// a message log whose entries go to standard error.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app_core/main_frame_link.h"
#include "document/grid_doc.h"
#include "document/user_messages.h"
#include "tools/cli/cli_args.h"

namespace cli {

// A failure that ends the command with this one-line message and exit code 1.
struct TFailure {
  std::string message;
};

// Messages for the user go to standard error.
class TStandardErrorMessages final : public IUserMessages {
 public:
  void ShowMessage(const TString& text, TMessageKind kind) override;
};

class TEnvironment {
 public:
  explicit TEnvironment(const TOptions& options);
  ~TEnvironment();
  TEnvironment(const TEnvironment&) = delete;
  TEnvironment& operator=(const TEnvironment&) = delete;

  IUserMessages& Messages() { return messages_; }
  // Writes the log entries made since the last call to standard error (with --verbose).
  void FlushLog();
  // The last text Ambrel reported, on one line; empty when it reported nothing.
  static std::string LastLibraryError();
  static void ClearLibraryErrors();

 private:
  bool comInitialised_ = false;
  TMainFrameLink link_;
  std::unique_ptr<TGridDoc> log_;
  TStandardErrorMessages messages_;
};

}  // namespace cli
