// What the HDA layer's tests share: COM as the program has it, Ambrel reporting to a callback,
// a main frame link whose log collects the entries, and a message sink that records.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "ambrel/ambrel.h"
#include "document/grid_doc.h"
#include "document/user_messages.h"

namespace hda_test {

inline constexpr char16_t kServer1[] = u"Varnel.HdaSim.1";
// Gives at most 1000 values a raw read, with more-data when it holds more.
inline constexpr char16_t kServer1000[] = u"Varnel.HdaSim.16";
// 2021-06-01 00:00:00 UTC, a time the simulator has history for.
inline constexpr double kJune2021 = 1622505600000.0;
inline constexpr double kSecond = 1000.0;

class TRecordingMessages final : public IUserMessages {
 public:
  void ShowMessage(const TString& text, TMessageKind) override { texts.push_back(text); }
  std::vector<TString> texts;
};

// The log of the test's main frame.
TGridDoc& Log();
// The texts of the log entries since the last ClearLog().
std::vector<TString> LogTexts();
std::vector<TLogEntry> LogEntries();
void ClearLog();
// Ambrel's error reports since the last ClearLog().
std::vector<std::string>& LibraryErrors();

// Pumps the thread's messages until done() or the time is up; true when done.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs = 10000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

// Pumps until no simulator process runs; false when one still does after the time.
bool WaitForNoServer(DWORD timeoutMs = 20000);
// The number of simulator processes running now.
std::size_t ServerProcessCount();

}  // namespace hda_test
