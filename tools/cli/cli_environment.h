// What every varnel-cli command runs in: COM on this thread as the main program has it, Ambrel
// reporting to a callback (never a message box), the main frame's language and, with --verbose,
// a message log whose entries go to standard error as they are made (a slow read shows how far the
// command has come).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app_context/log_sink.h"
#include "app_context/main_frame_link.h"
#include "document/connection_info.h"
#include "document/grid_doc.h"
#include "document/user_messages.h"
#include "tools/cli/core/cli_args.h"

namespace cli {

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// A server the command used stopped answering or shut down.
inline constexpr int kExitServerGone = 3;

// A failure that ends the command with this one-line message and its exit code.
struct TFailure {
  std::string message;
  int exitCode = kExitFailure;
};

// Messages for the user go to standard error. A server that stopped answering is remembered
// instead: the command ends with it.
class TStandardErrorMessages final : public IUserMessages {
 public:
  void ShowMessage(const TString& text, TMessageKind kind) override;
  void ServerStoppedAnswering(const HdaServerDef& server, const TString& text) override;
  bool StoppedAnswering(const HdaServerDef& server) const;

 private:
  std::vector<HdaServerDef> stoppedAnswering_;
};

class TEnvironment final : private ILogSink {
 public:
  explicit TEnvironment(const TOptions& options);
  ~TEnvironment();
  TEnvironment(const TEnvironment&) = delete;
  TEnvironment& operator=(const TEnvironment&) = delete;

  IUserMessages& Messages() { return messages_; }
  const TStandardErrorMessages& HeardMessages() const { return messages_; }
  // The last text Ambrel reported, on one line; empty when it reported nothing.
  static std::string LastLibraryError();
  static void ClearLibraryErrors();

 private:
  // Keeps the entry in the log and writes it to standard error.
  void AddMessage(int type, int level, const TString& text, double time) override;
  // Writes the log entries made since the last call to standard error.
  void FlushLog();

  bool comInitialised_ = false;
  TMainFrameLink link_;
  std::unique_ptr<TGridDoc> log_;
  TStandardErrorMessages messages_;
};

}  // namespace cli
