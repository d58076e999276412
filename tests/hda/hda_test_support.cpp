#include "tests/hda/hda_test_support.h"

#include <objbase.h>

#include <memory>

#include "ambrel/ambrel.h"
#include "app_context/main_frame_link.h"
#include "tests/support/process_ids.h"

namespace hda_test {
namespace {

std::unique_ptr<TGridDoc> g_log;
TMainFrameLink g_link;

void __stdcall OnError(HRESULT, const char* text) { LibraryErrors().push_back(text ? text : ""); }

class HdaEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE,
                         RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_NONE, nullptr);
    EnableHDAErrorNotification(&OnError);
    g_log = std::make_unique<TGridDoc>(u".");
    g_link.language = 1;
    g_link.log = g_log.get();
    SetMainFrameLink(&g_link);
  }
  void TearDown() override {
    SetMainFrameLink(nullptr);
    g_log.reset();
    CoUninitialize();
  }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new HdaEnvironment);

}  // namespace

TGridDoc& Log() { return *g_log; }

std::vector<TLogEntry> LogEntries() { return g_log->Pending(); }

std::vector<TString> LogTexts() {
  std::vector<TString> texts;
  for (const TLogEntry& entry : g_log->Pending()) texts.push_back(entry.Text);
  return texts;
}

void ClearLog() {
  g_log->MovePending();
  g_log->ClearShown();
  LibraryErrors().clear();
}

std::vector<std::string>& LibraryErrors() {
  static std::vector<std::string> errors;
  return errors;
}

std::size_t ServerProcessCount() { return test_support::ProcessIdsOf(L"hdasim.exe").size(); }

bool WaitForNoServer(DWORD timeoutMs) {
  // Pumping: a server on its way out may still call into this apartment.
  return PumpUntil([] { return ServerProcessCount() == 0; }, timeoutMs);
}

}  // namespace hda_test
