// A server that stops answering: its process killed between two reads, before an item is added
// and in the middle of a slow read, or its objects disconnected after a shutdown notice the
// client did not act on. The call that meets the loss fails, says why through the last error and
// calls the shutdown callback once; every later call fails at once. A live server that refuses
// an item or has no data in the period is not taken for a lost one.
#include <windows.h>

#include <chrono>
#include <thread>
#include <vector>

#include "tests/ambrel/ambrel_test_support.h"
#include "tests/support/simulator_kill.h"

namespace ambrel_test {
namespace {

constexpr HRESULT kServerUnavailable = static_cast<HRESULT>(0x800706BAL);
constexpr HRESULT kCallFailed = static_cast<HRESULT>(0x800706BEL);
constexpr HRESULT kCallFailedDne = static_cast<HRESULT>(0x800706BFL);
constexpr HRESULT kDisconnected = static_cast<HRESULT>(0x80010108L);
constexpr HRESULT kServerDied = static_cast<HRESULT>(0x80010007L);
constexpr HRESULT kObjectNotConnected = static_cast<HRESULT>(0x800401FDL);

// The slowest a call to the gone server may be: well under the slow item's 2 s, far above a
// call that stays in this process.
constexpr DWORD kOneCallMs = 1000;
// A call that fails without leaving the process.
constexpr DWORD kAtOnceMs = 50;

std::vector<AMBREL_SESSION> g_notices;
void __stdcall OnShutdown(AMBREL_SESSION session) { g_notices.push_back(session); }

bool MeansGone(HRESULT hr) {
  return hr == kServerUnavailable || hr == kCallFailed || hr == kCallFailedDne ||
         hr == kDisconnected || hr == kServerDied || hr == kObjectNotConnected;
}

// The last error an export left, as the HRESULT it carries.
HRESULT LastResult() { return static_cast<HRESULT>(GetLastError()); }

class Stopwatch {
 public:
  DWORD Ms() const { return GetTickCount() - start_; }

 private:
  DWORD start_ = GetTickCount();
};

class ServerLoss : public ::testing::Test {
 protected:
  void SetUp() override {
    g_notices.clear();
    ClearReports();
    ASSERT_NE(session_.Get(), AMBREL_NO_SESSION);
    ASSERT_EQ(EnableHDAShutdownNotification(session_.Get(), &OnShutdown), TRUE);
  }
  void TearDown() override {
    if (!killed_) return;
    // The session is closed before the service that knew its server restarts.
    const Stopwatch closing;
    EXPECT_EQ(DisconnectHDA(session_.Get()), TRUE);
    session_.Forget();
    EXPECT_LT(closing.Ms(), kOneCallMs) << "closing a lost session waits for the gone server";
    EXPECT_TRUE(test_support::ForgetKilledServers());
  }
  void Kill() {
    ASSERT_EQ(test_support::KillSimulator(), 1);
    killed_ = true;
  }
  // Into the fixture's buffers, so that nothing runs between the export and LastResult().
  DWORD Read(DWORD item, const FILETIME& start, const FILETIME& end) {
    values_.Clear();
    return ReadHDAItemValues(session_.Get(), item, FALSE, start.dwLowDateTime, start.dwHighDateTime,
                             end.dwLowDateTime, end.dwHighDateTime, 100, times_.data(),
                             values_.data(), qualities_.data());
  }
  DWORD ReadMinute(DWORD item) { return Read(item, Utc(2021, 6, 1), Utc(2021, 6, 1, 0, 1)); }
  // Once lost, every call that would reach the server fails at once with the same last error,
  // and nobody is told a second time.
  void ExpectEveryCallFailsAtOnce(DWORD item, HRESULT lost, std::size_t notices = 1) {
    const Stopwatch calls;
    EXPECT_EQ(ReadMinute(item), 0u);
    EXPECT_EQ(LastResult(), lost);
    EXPECT_EQ(GetHDAItemHandle(session_.Get(), "Waves/Ramp 1s", 9), AMBREL_NO_ITEM);
    EXPECT_EQ(LastResult(), lost);
    EXPECT_EQ(NumberOfHDAItems(session_.Get()), 0u);
    EXPECT_EQ(NumberOfHDAAttributes(session_.Get()), 0u);
    DWORD status = 0;
    EXPECT_EQ(GetHDASvrStatus(session_.Get(), &status, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, 0, nullptr, 0),
              FALSE);
    EXPECT_EQ(LastResult(), lost);
    VARIANT value;
    VariantInit(&value);
    const FILETIME time = Utc(2021, 1, 1);
    const DWORD quality = 0xC0;
    EXPECT_EQ(WriteHDAItemValues(session_.Get(), item, AMBREL_EDIT_INSERT_REPLACE, 1, &time, &value,
                                 &quality, nullptr),
              lost);
    EXPECT_LT(calls.Ms(), kAtOnceMs);
    EXPECT_EQ(g_notices.size(), notices);
  }
  // The loss was told once, to this session's callback, with a failure that means it.
  HRESULT ExpectLossNoticed() {
    const HRESULT lost = LastResult();
    EXPECT_TRUE(MeansGone(lost)) << std::hex << lost;
    EXPECT_EQ(g_notices, std::vector<AMBREL_SESSION>{session_.Get()});
    // No message box and no error text: the loss is the caller's to tell.
    EXPECT_TRUE(Errors().empty());
    return lost;
  }

  Session session_{kFullServer};
  bool killed_ = false;
  std::vector<FILETIME> times_ = std::vector<FILETIME>(100);
  Variants values_{100};
  std::vector<DWORD> qualities_ = std::vector<DWORD>(100);
};

TEST_F(ServerLoss, KilledBetweenTwoReads) {
  Item sine(session_.Get(), "Waves/Sine 1s");
  ASSERT_NE(sine.Get(), AMBREL_NO_ITEM);
  EXPECT_EQ(ReadMinute(sine.Get()), 60u);
  EXPECT_EQ(LastResult(), S_OK);
  Kill();

  const Stopwatch read;
  EXPECT_EQ(ReadMinute(sine.Get()), 0u);
  const HRESULT lost = ExpectLossNoticed();
  EXPECT_LT(read.Ms(), kOneCallMs);
  ExpectEveryCallFailsAtOnce(sine.Get(), lost);
}

TEST_F(ServerLoss, KilledBeforeAnItemIsAdded) {
  Kill();
  const Stopwatch add;
  EXPECT_EQ(GetHDAItemHandle(session_.Get(), "Plant/Area 2/Speed", 1), AMBREL_NO_ITEM);
  const HRESULT lost = ExpectLossNoticed();
  EXPECT_LT(add.Ms(), kOneCallMs);
  ExpectEveryCallFailsAtOnce(0, lost);
}

TEST_F(ServerLoss, KilledDuringASlowRead) {
  Item slow(session_.Get(), "Faults/Slow 2s");
  ASSERT_NE(slow.Get(), AMBREL_NO_ITEM);
  killed_ = true;
  std::thread killer([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    test_support::KillSimulator();
  });
  const Stopwatch read;
  const DWORD result = ReadMinute(slow.Get());
  const HRESULT last = LastResult();
  const DWORD took = read.Ms();
  killer.join();
  EXPECT_EQ(result, 0u);
  SetLastError(static_cast<DWORD>(last));
  const HRESULT lost = ExpectLossNoticed();
  // The read ends when the server does, not when its 2 s are over.
  EXPECT_GE(took, 900u);
  EXPECT_LT(took, 1000 + kOneCallMs);
  ExpectEveryCallFailsAtOnce(slow.Get(), lost);
}

// A client that ignores a shutdown notice meets a server that has disconnected its objects.
TEST_F(ServerLoss, ObjectsDisconnectedAfterAShutdownNotice) {
  Item sine(session_.Get(), "Waves/Sine 1s");
  Item control(session_.Get(), "Control/Shutdown");
  ASSERT_NE(control.Get(), AMBREL_NO_ITEM);
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_R8;
  const FILETIME time = Utc(2021, 1, 1);
  const DWORD quality = 0xC0;
  WriteHDAItemValues(session_.Get(), control.Get(), AMBREL_EDIT_INSERT_REPLACE, 1, &time, &value,
                     &quality, nullptr);
  ASSERT_TRUE(PumpUntil([] { return !g_notices.empty(); }, 15000));
  ASSERT_EQ(g_notices.size(), 1u);
  // The server ends once it has told every client.
  killed_ = true;
  ASSERT_TRUE(
      PumpUntil([&] { return ReadMinute(sine.Get()) == 0 && LastResult() != S_OK; }, 15000));
  const HRESULT lost = LastResult();
  EXPECT_TRUE(MeansGone(lost)) << std::hex << lost;
  // The server's own notice, then the loss's.
  EXPECT_EQ(g_notices, (std::vector<AMBREL_SESSION>{session_.Get(), session_.Get()}));
  ExpectEveryCallFailsAtOnce(sine.Get(), lost, 2);
  // Nothing of the process is left to kill; the service still forgets its classes.
  PumpUntil([] { return test_support::KillSimulator() == 0; }, 15000);
}

// What a live server answers is its answer, however empty: the session stays.
TEST_F(ServerLoss, LiveServerThatRefusesOrHasNoDataIsNotLost) {
  EXPECT_EQ(GetHDAItemHandle(session_.Get(), "No/Such item", 1), AMBREL_NO_ITEM);
  EXPECT_EQ(LastResult(), S_OK);

  Item sine(session_.Get(), "Waves/Sine 1s");
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  // No samples lie after the server's now.
  EXPECT_EQ(Read(sine.Get(), FromTicks(Ticks(now) + 3600 * kSecond),
                 FromTicks(Ticks(now) + 7200 * kSecond)),
            0u);
  EXPECT_EQ(LastResult(), S_OK);

  // Reads the server fails (E_FAIL, OPC_E_BADRIGHTS): the status call says it still answers.
  for (const char* failing : {"Faults/Read fails", "Faults/Access denied"}) {
    Item item(session_.Get(), failing);
    ASSERT_NE(item.Get(), AMBREL_NO_ITEM) << failing;
    EXPECT_EQ(ReadMinute(item.Get()), 0u) << failing;
    EXPECT_EQ(LastResult(), S_OK) << failing;
  }
  EXPECT_EQ(ReadMinute(sine.Get()), 60u);
  EXPECT_TRUE(g_notices.empty());

  // An unknown session is no lost one.
  SetLastError(ERROR_INVALID_HANDLE);
  EXPECT_EQ(NumberOfHDAItems(0x7FFFFFF0), 0u);
  EXPECT_EQ(LastResult(), S_OK);
}

}  // namespace
}  // namespace ambrel_test
