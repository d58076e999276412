// The historian status, and the shutdown notice: delivered on the connecting thread, safe when
// the callback disconnects the session while the server's call is still running, and safe in a
// multithreaded apartment, where it arrives on a thread of COM's.
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/ambrel/ambrel_test_support.h"
#include "tests/support/process_ids.h"
#include "tests/support/simulator_shutdown.h"
#include "win/apartment.h"

namespace ambrel_test {
namespace {

TEST(GetHDASvrStatus, ReportsTheSimulator) {
  Session session(kFullServer);
  ASSERT_NE(session.Get(), AMBREL_NO_SESSION);
  DWORD status = 0, max_values = 0;
  FILETIME now{}, started{};
  WORD major = 0, minor = 0, build = 0;
  char status_text[64], vendor[64];
  std::memset(vendor, '#', sizeof vendor);
  FILETIME before;
  GetSystemTimeAsFileTime(&before);
  ASSERT_EQ(GetHDASvrStatus(session.Get(), &status, &now, &started, &major, &minor, &build,
                            &max_values, status_text, sizeof status_text, vendor, sizeof vendor),
            TRUE);
  EXPECT_EQ(status, static_cast<DWORD>(AMBREL_STATUS_UP));
  EXPECT_EQ(max_values, 100000u);
  EXPECT_STREQ(vendor, "Varnel HDA simulation server");
  EXPECT_NEAR(static_cast<double>(Ticks(now)), static_cast<double>(Ticks(before)), 60.0 * kSecond);
  EXPECT_LE(Ticks(started), Ticks(now));

  // Cut to the buffer, terminated in its last byte; null out-pointers are skipped.
  char short_vendor[7];
  std::memset(short_vendor, '#', sizeof short_vendor);
  ASSERT_EQ(GetHDASvrStatus(session.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, 0, short_vendor, sizeof short_vendor),
            TRUE);
  EXPECT_STREQ(short_vendor, "Varnel");
}

struct Notice {
  AMBREL_SESSION session;
  DWORD thread;
};
std::vector<Notice> g_notices;
bool g_disconnect_in_callback = false;

void __stdcall OnShutdown(AMBREL_SESSION session) {
  g_notices.push_back({session, GetCurrentThreadId()});
  if (g_disconnect_in_callback) {
    EXPECT_EQ(DisconnectHDA(session), TRUE);
    // Gone at once: the handle is unknown for every export from here on.
    EXPECT_EQ(EnableHDAShutdownNotification(session, &OnShutdown), FALSE);
  }
}

// Writing to "Control/Shutdown" makes the simulator ask every client to disconnect and then end.
// The control item is left to the session's end: releasing it would be a call that may reach the
// server after it has cut its clients off, and the library tells such a loss through the same
// callback as a shutdown notice.
void AskForShutdown(AMBREL_SESSION session) {
  ASSERT_TRUE(test_support::WriteShutdownControl(session));
}

// Lets the simulator finish its own shutdown before the next test starts a new one.
void WaitForTheSimulatorToEnd() {
  EXPECT_TRUE(PumpUntil([] { return test_support::ProcessIdsOf(L"hdasim.exe").empty(); }, 30000));
}

class ShutdownNotice : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    g_notices.clear();
    g_disconnect_in_callback = GetParam();
  }
  void TearDown() override { g_disconnect_in_callback = false; }
};

TEST_P(ShutdownNotice, ArrivesOnTheConnectingThread) {
  Session first(kFullServer);
  Session second("Varnel.HdaSim.2");
  ASSERT_NE(first.Get(), AMBREL_NO_SESSION);
  ASSERT_NE(second.Get(), AMBREL_NO_SESSION);
  ASSERT_EQ(EnableHDAShutdownNotification(first.Get(), &OnShutdown), TRUE);
  ASSERT_EQ(EnableHDAShutdownNotification(second.Get(), &OnShutdown), TRUE);

  AskForShutdown(first.Get());
  ASSERT_TRUE(PumpUntil([] { return g_notices.size() >= 2; }));
  for (const Notice& notice : g_notices) EXPECT_EQ(notice.thread, GetCurrentThreadId());
  std::vector<AMBREL_SESSION> sessions = {g_notices[0].session, g_notices[1].session};
  EXPECT_TRUE((sessions == std::vector<AMBREL_SESSION>{first.Get(), second.Get()}) ||
              (sessions == std::vector<AMBREL_SESSION>{second.Get(), first.Get()}));
  if (GetParam()) {
    // The callback closed both sessions.
    EXPECT_EQ(DisconnectHDA(first.Get()), FALSE);
    EXPECT_EQ(DisconnectHDA(second.Get()), FALSE);
    first.Forget();
    second.Forget();
  } else {
    EXPECT_EQ(DisconnectHDA(first.Get()), TRUE);
    EXPECT_EQ(DisconnectHDA(second.Get()), TRUE);
    first.Forget();
    second.Forget();
  }
  WaitForTheSimulatorToEnd();
}

INSTANTIATE_TEST_SUITE_P(DisconnectInCallback, ShutdownNotice, ::testing::Bool());

TEST(ShutdownNotice, ServerWithoutContainerConnectsButIsNeverNotified) {
  g_notices.clear();
  Session session(kNoShutdownServer);
  ASSERT_NE(session.Get(), AMBREL_NO_SESSION);
  EXPECT_EQ(EnableHDAShutdownNotification(session.Get(), &OnShutdown), TRUE);
  {
    // It reads like any other server.
    Item ramp(session.Get(), "Waves/Ramp 1s");
    EXPECT_NE(ramp.Get(), AMBREL_NO_ITEM);
  }
  AskForShutdown(session.Get());
  PumpUntil([] { return !g_notices.empty(); }, 2000);
  EXPECT_TRUE(g_notices.empty());
  WaitForTheSimulatorToEnd();
}

// The session of a multithreaded apartment, and what its shutdown callback saw.
std::atomic<AMBREL_SESSION> g_mta_session{AMBREL_NO_SESSION};
std::atomic<DWORD> g_mta_notice_thread{0};
std::atomic<BOOL> g_mta_disconnected{FALSE};
std::atomic<int> g_sta_notices{0};

void __stdcall DisconnectOnShutdown(AMBREL_SESSION session) {
  g_mta_disconnected = DisconnectHDA(session);
  g_mta_notice_thread = GetCurrentThreadId();
}

void __stdcall CountShutdown(AMBREL_SESSION) { ++g_sta_notices; }

// The callback closes its session on COM's thread while this thread keeps opening, looking up
// and closing sessions: both change the session table at once.
TEST(ShutdownNoticeInMultithreadedApartment, ClosesItsSessionWhileOthersOpenAndClose) {
  g_mta_notice_thread = 0;
  g_mta_disconnected = FALSE;
  g_sta_notices = 0;
  std::atomic<bool> ready{false};
  std::atomic<DWORD> worker_thread{0};
  std::thread worker([&] {
    const win::Apartment apartment(COINIT_MULTITHREADED);
    worker_thread = GetCurrentThreadId();
    g_mta_session = ConnectHDA("", kFullServer);
    if (g_mta_session != AMBREL_NO_SESSION)
      EnableHDAShutdownNotification(g_mta_session, &DisconnectOnShutdown);
    ready = true;
    // The apartment must outlive the notice.
    const DWORD start = GetTickCount();
    while (g_mta_notice_thread == 0 && GetTickCount() - start < 30000) Sleep(10);
  });
  ASSERT_TRUE(PumpUntil([&] { return ready.load(); }, 30000));
  ASSERT_NE(g_mta_session.load(), AMBREL_NO_SESSION);

  std::vector<AMBREL_SESSION> sessions;
  for (int i = 0; i < 8; ++i) {
    sessions.push_back(ConnectHDA("", kFullServer));
    ASSERT_NE(sessions.back(), AMBREL_NO_SESSION);
  }
  AskForShutdown(sessions.front());
  const DWORD start = GetTickCount();
  while (g_mta_notice_thread == 0 && GetTickCount() - start < 30000) {
    for (AMBREL_SESSION session : sessions) EnableHDAShutdownNotification(session, &CountShutdown);
    // One session closed and another opened each round (a new server once this one is gone).
    EXPECT_EQ(DisconnectHDA(sessions.front()), TRUE);
    sessions.erase(sessions.begin());
    const AMBREL_SESSION opened = ConnectHDA("", kFullServer);
    if (opened != AMBREL_NO_SESSION) sessions.push_back(opened);
    PumpUntil([] { return false; }, 5);
  }
  worker.join();

  EXPECT_NE(g_mta_notice_thread.load(), 0u);
  EXPECT_NE(g_mta_notice_thread.load(), GetCurrentThreadId());
  EXPECT_NE(g_mta_notice_thread.load(), worker_thread.load());
  EXPECT_EQ(g_mta_disconnected.load(), TRUE);
  // Closed from COM's thread: unknown here.
  EXPECT_EQ(DisconnectHDA(g_mta_session), FALSE);
  for (AMBREL_SESSION session : sessions) EXPECT_EQ(DisconnectHDA(session), TRUE);
  WaitForTheSimulatorToEnd();
}

}  // namespace
}  // namespace ambrel_test
