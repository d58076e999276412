// What every Ambrel test shares: the callbacks that collect error and trace texts (so no message
// box can block a run), COM on the test thread, times of the simulator's history, and sessions
// that are closed whatever happens.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ambrel/ambrel.h"

namespace ambrel_test {

struct Report {
  HRESULT hr;
  std::string text;
};

// Texts the library handed to its callbacks since the last Clear().
std::vector<Report>& Errors();
std::vector<std::string>& Traces();
void ClearReports();

// Hands a FILETIME to the exports as its two words.
struct Words {
  DWORD low;
  DWORD high;
};
Words Split(const FILETIME& time);
FILETIME FromTicks(std::uint64_t ticks);
std::uint64_t Ticks(const FILETIME& time);
// A UTC calendar time.
FILETIME Utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
constexpr std::uint64_t kSecond = 10'000'000;

// Pumps the thread's messages until `done` or the time is up; true when done.
template <typename Done>
bool PumpUntil(Done done, DWORD timeout_ms = 10000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeout_ms) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

// A session that is disconnected when it goes out of scope.
class Session {
 public:
  Session(const char* machine, const char* prog_id) : handle_(ConnectHDA(machine, prog_id)) {}
  explicit Session(const char* prog_id) : Session("", prog_id) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session() {
    if (handle_ != AMBREL_NO_SESSION) DisconnectHDA(handle_);
  }
  AMBREL_SESSION Get() const { return handle_; }
  // The test closed it itself.
  void Forget() { handle_ = AMBREL_NO_SESSION; }

 private:
  AMBREL_SESSION handle_;
};

// A server handle that is released when it goes out of scope.
class Item {
 public:
  Item(AMBREL_SESSION session, const char* item_id, DWORD client = 1)
      : session_(session), handle_(GetHDAItemHandle(session, item_id, client)) {}
  Item(const Item&) = delete;
  Item& operator=(const Item&) = delete;
  ~Item() {
    if (handle_ != AMBREL_NO_ITEM) ReleaseHDAItemHandle(session_, handle_);
  }
  DWORD Get() const { return handle_; }

 private:
  AMBREL_SESSION session_;
  DWORD handle_;
};

// VARIANTs the test owns and clears.
class Variants {
 public:
  explicit Variants(std::size_t count) : values_(count) {
    for (VARIANT& v : values_) VariantInit(&v);
  }
  Variants(const Variants&) = delete;
  Variants& operator=(const Variants&) = delete;
  ~Variants() { Clear(); }
  void Clear() {
    for (VARIANT& v : values_) VariantClear(&v);
  }
  VARIANT* data() { return values_.data(); }
  VARIANT& operator[](std::size_t i) { return values_[i]; }

 private:
  std::vector<VARIANT> values_;
};

// The simulator's fully featured server, the one without IOPCHDA_SyncUpdate, the one without
// IConnectionPointContainer, the one without items and update capabilities, the one whose
// CreateBrowse fails, the one whose browsers cannot enumerate and the one that creates nothing.
inline constexpr const char* kFullServer = "Varnel.HdaSim.1";
inline constexpr const char* kReadOnlyServer = "Varnel.HdaSim.10";
inline constexpr const char* kNoShutdownServer = "Varnel.HdaSim.11";
inline constexpr const char* kEmptyServer = "Varnel.HdaSim.12";
inline constexpr const char* kBrowseFailsServer = "Varnel.HdaSim.13";
inline constexpr const char* kEnumFailsServer = "Varnel.HdaSim.14";
inline constexpr const char* kUnlicensedServer = "Varnel.HdaSim.15";
// "Varnel.HdaSim.1" to "Varnel.HdaSim.17" (16 caps raw reads at 1000 values, 17 has no processed
// reads).
inline constexpr int kSimulatorClasses = 17;

}  // namespace ambrel_test
