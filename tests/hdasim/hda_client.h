// What the out-of-process tests of the simulation server share: creating server objects through
// COM, owning the arrays the server returns, and turning results into plain values.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "opc/opc.h"
#include "win/com_ptr.h"

namespace hdatest {

using win::ComPtr;
using Ticks = std::int64_t;  // FILETIME units

// The server classes "Varnel.HdaSim.1" to "Varnel.HdaSim.17"; number 15 creates nothing.
constexpr int kClassCount = 17;
constexpr int kUncreatableClass = 15;

constexpr Ticks kMs = 10'000;
constexpr Ticks kSecond = 1000 * kMs;
constexpr Ticks kMinute = 60 * kSecond;
constexpr Ticks kHour = 60 * kMinute;
constexpr Ticks kDay = 24 * kHour;

// UTC calendar time to FILETIME units, through the system's own conversion.
Ticks At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0);
FILETIME ToFileTime(Ticks t);
Ticks FromFileTime(const FILETIME& ft);
// The host's clock, without any offset the server applies.
Ticks SystemNow();

std::wstring HexCode(HRESULT hr);

// An OPCHDA_TIME whose text the COM allocator owns, as the proxy expects of [in,out] strings.
class HdaTime {
 public:
  static HdaTime Absolute(Ticks t);
  static HdaTime Text(const wchar_t* text);
  static HdaTime Null() { return Text(L""); }
  HdaTime(HdaTime&& other) noexcept;
  HdaTime& operator=(HdaTime&&) = delete;
  ~HdaTime();
  OPCHDA_TIME* Get() { return &time_; }
  Ticks Resolved() const { return FromFileTime(time_.ftTime); }

 private:
  HdaTime() = default;
  OPCHDA_TIME time_{};
};

// Creates a server object of the class with this ProgID in a local server process.
ComPtr<IUnknown> CreateServer(const wchar_t* prog_id, HRESULT* result = nullptr);

template <typename I>
ComPtr<I> Query(IUnknown* object) {
  ComPtr<I> out;
  if (object) object->QueryInterface(__uuidof(I), reinterpret_cast<void**>(&out));
  return out;
}

// One value of a result, with the VARIANT reduced to what tests compare.
struct Point {
  Ticks time = 0;
  VARTYPE type = VT_EMPTY;
  double number = 0;  // numeric types (BOOL as 0 or -1, CY scaled, I8/UI8 converted)
  std::wstring text;  // BSTR
  DWORD quality = 0;
};
Point ToPoint(const FILETIME& time, const VARIANT& value, DWORD quality);

struct ItemResult {
  HRESULT error = E_FAIL;
  OPCHANDLE client = 0;
  DWORD aggregate = 0;
  std::vector<Point> points;
};

struct ReadResult {
  HRESULT call = E_FAIL;
  std::vector<ItemResult> items;
  bool outputs_null = true;  // every out array stayed NULL (required when the call failed)
};

// Frees an OPCHDA_ITEM array the way a client must: VariantClear every value, then each array.
void FreeItems(OPCHDA_ITEM* items, DWORD count);
std::vector<ItemResult> TakeItems(OPCHDA_ITEM* items, HRESULT* errors, DWORD count);

// The server objects and handles a test works with.
class Session {
 public:
  explicit Session(const wchar_t* prog_id = L"Varnel.HdaSim.1");
  bool Ok() const { return static_cast<bool>(server_); }
  IOPCHDA_Server* Server() const { return server_.Get(); }
  IOPCHDA_SyncRead* Read() const { return read_.Get(); }
  IOPCHDA_SyncUpdate* Update() const { return update_.Get(); }
  IUnknown* Unknown() const { return unknown_.Get(); }

  // The server's limit on values per item and call, as GetHistorianStatus reports it (0 after a
  // failure, which the test is told of).
  DWORD MaxReturnValues();

  // A server handle for the item, with the given client handle; 0 when the server refuses it.
  OPCHANDLE Handle(const std::wstring& item_id, OPCHANDLE client = 1);

  ReadResult ReadRaw(HdaTime start, HdaTime end, DWORD count, bool bounds,
                     const std::vector<OPCHANDLE>& handles);
  ReadResult ReadProcessed(HdaTime start, HdaTime end, Ticks interval,
                           const std::vector<OPCHANDLE>& handles,
                           const std::vector<DWORD>& aggregates);
  ReadResult ReadAtTime(const std::vector<Ticks>& times, const std::vector<OPCHANDLE>& handles);

  // Per-value codes of a write, with the call's result first.
  enum class Edit { kInsert, kReplace, kInsertReplace };
  std::vector<HRESULT> Write(Edit edit, const std::vector<OPCHANDLE>& handles,
                             const std::vector<Ticks>& times, const std::vector<VARIANT>& values,
                             const std::vector<DWORD>& qualities, HRESULT* call);

 private:
  ComPtr<IUnknown> unknown_;
  ComPtr<IOPCHDA_Server> server_;
  ComPtr<IOPCHDA_SyncRead> read_;
  ComPtr<IOPCHDA_SyncUpdate> update_;
};

VARIANT Real(double x);
VARIANT Text(const wchar_t* text);  // owns a BSTR: clear it

// Processes of hdasim.exe in this prefix.
std::vector<DWORD> ServerProcessIds();
// Waits until no hdasim.exe runs; false on timeout.
bool WaitForNoServer(DWORD timeout_ms);
// Pumps this thread's messages until the predicate holds or the time is up.
template <typename Done>
bool PumpUntil(Done done, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (!done()) {
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return true;
}

// Writes the shutdown control and waits for the server process to end.
bool ShutDownServer(DWORD timeout_ms = 20000);

// The test program's own path, for child client processes.
std::wstring SelfPath();

}  // namespace hdatest
