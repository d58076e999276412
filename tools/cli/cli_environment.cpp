#include "tools/cli/cli_environment.h"

#include <objbase.h>

#include <cstdio>

#include "ambrel/ambrel.h"
#include "text/time_base.h"
#include "text/time_fields.h"
#include "text/time_format.h"
#include "tools/cli/core/utf8.h"

namespace cli {
namespace {

bool g_verbose = false;
std::string g_lastLibraryError;

void __stdcall OnLibraryError(HRESULT hr, const char* text) {
  try {
    TString wide;
    if (text != nullptr) wide.FromNarrow(text);
    std::string line = ToUtf8(wide);
    for (char& c : line) {
      if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    }
    g_lastLibraryError = line;
    if (g_verbose)
      std::fprintf(stderr, "Ambrel 0x%08lX: %s\n", static_cast<unsigned long>(hr), line.c_str());
  } catch (...) {
    // Nothing may unwind into the library.
  }
}

}  // namespace

void TStandardErrorMessages::ShowMessage(const TString& text, TMessageKind kind) {
  const char* prefix = kind == TMessageKind::Error     ? "error: "
                       : kind == TMessageKind::Warning ? "warning: "
                                                       : "";
  std::fprintf(stderr, "varnel-cli: %s%s\n", prefix, ToUtf8(text).c_str());
}

void TStandardErrorMessages::ServerStoppedAnswering(const HdaServerDef& server, const TString&) {
  stoppedAnswering_.push_back(server);
}

bool TStandardErrorMessages::StoppedAnswering(const HdaServerDef& server) const {
  for (const HdaServerDef& lost : stoppedAnswering_) {
    if (lost.SameServer(server)) return true;
  }
  return false;
}

TEnvironment::TEnvironment(const TOptions& options) {
  g_verbose = options.verbose;
  if (options.utcOffsetMinutes) SetLocalOffsetForTesting(*options.utcOffsetMinutes * 60000.0);
  comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE,
                       RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_NONE, nullptr);
  EnableHDAErrorNotification(&OnLibraryError);
  link_.language = options.language;
  if (options.verbose) {
    // The log is only shown, never written, so its directory does not matter.
    log_ = std::make_unique<TGridDoc>(u".");
    link_.log = this;
  }
  SetMainFrameLink(&link_);
}

TEnvironment::~TEnvironment() {
  SetMainFrameLink(nullptr);
  log_.reset();
  if (comInitialised_) CoUninitialize();
}

void TEnvironment::AddMessage(int type, int level, const TString& text, double time) {
  log_->AddMessage(type, level, text, time);
  FlushLog();
}

void TEnvironment::FlushLog() {
  if (!log_) return;
  for (const TLogEntry& entry : log_->Pending()) {
    std::string time;
    if (entry.Time != 0.0) {
      TTimeFields fields;
      TimeToFields(entry.Time, fields);
      time = ToUtf8(FormatDateTime(fields, true));
    }
    std::fprintf(stderr, "%s\t%s\t%s\t%s\n", time.c_str(),
                 ToUtf8(log_->LevelName(entry.Level)).c_str(),
                 ToUtf8(log_->TypeName(entry.Type)).c_str(), ToUtf8(entry.Text).c_str());
  }
  log_->MovePending();
  log_->ClearShown();
}

std::string TEnvironment::LastLibraryError() { return g_lastLibraryError; }
void TEnvironment::ClearLibraryErrors() { g_lastLibraryError.clear(); }

}  // namespace cli
