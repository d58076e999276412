// The server process: it outlives a client that is killed, ends a grace period after the last
// release (not while the GUI tests' keeper holds it), takes its clock offset from the environment,
// leaves the directory it was started in, does not grow while it serves reads, and answers slow
// items late but completely.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/hdasim/hda_client.h"
#include "tests/support/simulator_keeper.h"
#include "win/handle.h"

namespace hdatest {
namespace {

// The value of a diagnostic control item now: the server reports its committed private memory
// this way (the process handle does not give it under Wine) and its live server objects.
double Diagnostic(Session& session, OPCHANDLE item) {
  ReadResult r = session.ReadAtTime({SystemNow()}, {item});
  if (r.items.empty() || r.items[0].points.size() != 1) return 0;
  return r.items[0].points[0].number;
}

TEST(Lifetime, ServerSurvivesAClientThatIsKilledMidSession) {
  Session session;
  ASSERT_TRUE(session.Ok());
  const std::vector<DWORD> before = ServerProcessIds();
  ASSERT_EQ(before.size(), 1u);

  const std::string event_name = "hdasim-child-ready-" + std::to_string(GetCurrentProcessId());
  win::UniqueKernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, event_name.c_str()));
  ASSERT_TRUE(ready);
  std::wstring command = L"\"" + SelfPath() + L"\" --child-client " +
                         std::wstring(event_name.begin(), event_name.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &info));
  win::UniqueKernelHandle child(info.hProcess), child_thread(info.hThread);
  ASSERT_EQ(WaitForSingleObject(ready.Get(), 30000), WAIT_OBJECT_0)
      << "the child client did not connect";
  Sleep(500);  // in the middle of its reads
  ASSERT_TRUE(TerminateProcess(child.Get(), 9));
  ASSERT_EQ(WaitForSingleObject(child.Get(), 10000), WAIT_OBJECT_0);

  // The same server process still serves this client and a new one.
  Session fresh(L"Varnel.HdaSim.7");
  ASSERT_TRUE(fresh.Ok());
  const Ticks t = At(2021, 6, 1);
  ReadResult r = fresh.ReadRaw(HdaTime::Absolute(t), HdaTime::Absolute(t + kMinute), 0, false,
                               {fresh.Handle(L"Waves/Sine 1s")});
  EXPECT_EQ(r.call, S_OK);
  EXPECT_EQ(r.items[0].points.size(), 60u);
  ReadResult old = session.ReadRaw(HdaTime::Absolute(t), HdaTime::Absolute(t + kMinute), 0, false,
                                   {session.Handle(L"Waves/Sine 1s")});
  EXPECT_EQ(old.call, S_OK);
  EXPECT_EQ(ServerProcessIds(), before);

  // The killed client's objects keep the server running; the shutdown control still ends it, even
  // though one advised sink belongs to a process that is gone.
  EXPECT_TRUE(ShutDownServer(30000));
}

TEST(Lifetime, ServerEndsAGracePeriodAfterTheLastRelease) {
  ASSERT_TRUE(WaitForNoServer(20000));
  {
    Session session;
    ASSERT_TRUE(session.Ok());
    ASSERT_EQ(ServerProcessIds().size(), 1u);
  }
  const ULONGLONG released = GetTickCount64();
  ASSERT_TRUE(WaitForNoServer(20000));
  const ULONGLONG waited = GetTickCount64() - released;
  EXPECT_GE(waited, 2000u) << "the server must linger for its grace period";
}

// A client that has the class's factory as the server gives its classes up (its grace period
// over) still gets an object, which is served until the client lets it go, not only until the
// server would have ended.
TEST(Lifetime, AClientThatFoundTheClassAsTheServerEndsIsServedToTheEnd) {
  ASSERT_TRUE(WaitForNoServer(20000));
  ASSERT_TRUE(SetEnvironmentVariableW(L"HDASIM_LINGER_MS", L"1000"));
  CLSID clsid{};
  ASSERT_EQ(CLSIDFromProgID(L"Varnel.HdaSim.1", &clsid), S_OK);
  ComPtr<IClassFactory> factory;
  {
    Session session;
    ASSERT_TRUE(session.Ok());
    ASSERT_EQ(CoGetClassObject(clsid, CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
  }
  SetEnvironmentVariableW(L"HDASIM_LINGER_MS", nullptr);
  // Past the grace period of 1 s (the classes are given up), not yet at the end of the server.
  Sleep(1300);
  ComPtr<IOPCHDA_Server> server;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IOPCHDA_Server, reinterpret_cast<void**>(&server)),
            S_OK)
      << "the server went while a client held its factory";
  factory.Reset();
  Sleep(2000);  // longer than the server gives a client that comes late
  OPCHANDLE* handles = nullptr;
  HRESULT* errors = nullptr;
  LPWSTR item = const_cast<LPWSTR>(L"Waves/Sine 1s");
  OPCHANDLE client = 1;
  EXPECT_EQ(server->GetItemHandles(1, &item, &client, &handles, &errors), S_OK)
      << "the object was not served to the end";
  CoTaskMemFree(handles);
  CoTaskMemFree(errors);
  server.Reset();
  EXPECT_TRUE(WaitForNoServer(20000)) << "the server did not end after its last object";
}

// The keeper of the GUI tests holds the server past its grace period and lets it go for good: a
// reference it took with it would keep the simulator running into the programs after it.
TEST(Lifetime, AKeeperHoldsTheServerPastItsGracePeriodAndLetsItEndAfterwards) {
  ASSERT_TRUE(WaitForNoServer(20000));
  ASSERT_TRUE(SetEnvironmentVariableW(L"HDASIM_LINGER_MS", L"500"));
  std::vector<DWORD> held;
  {
    const test_support::SimulatorKeeper keeper;
    SetEnvironmentVariableW(L"HDASIM_LINGER_MS", nullptr);
    ASSERT_TRUE(keeper.Holds());
    held = ServerProcessIds();
    ASSERT_EQ(held.size(), 1u);
    // Past the grace period and the second that follows it.
    Sleep(2500);
    EXPECT_EQ(ServerProcessIds(), held) << "the server ended while the keeper held it";
  }
  EXPECT_TRUE(WaitForNoServer(10000)) << "the server did not end after the keeper let go";
}

TEST(Lifetime, ClockOffsetComesFromTheEnvironmentAtStart) {
  ASSERT_TRUE(WaitForNoServer(20000));
  // COM starts the server from this process, which passes its environment on.
  ASSERT_TRUE(SetEnvironmentVariableW(L"HDASIM_CLOCK_OFFSET_MS", L"-86400000"));
  {
    Session session;
    ASSERT_TRUE(session.Ok());
    OPCHDA_SERVERSTATUS status;
    FILETIME *now = nullptr, *started = nullptr;
    WORD major, minor, build;
    DWORD max;
    LPWSTR text = nullptr, vendor = nullptr;
    ASSERT_EQ(session.Server()->GetHistorianStatus(&status, &now, &started, &major, &minor, &build,
                                                   &max, &text, &vendor),
              S_OK);
    EXPECT_LE(std::llabs(FromFileTime(*now) - (SystemNow() - kDay)), 10 * kSecond);
    CoTaskMemFree(now);
    CoTaskMemFree(started);
    CoTaskMemFree(text);
    CoTaskMemFree(vendor);
    ReadResult r = session.ReadRaw(HdaTime::Text(L"NOW-10S"), HdaTime::Text(L"NOW"), 0, false,
                                   {session.Handle(L"Waves/Sine 1s")});
    ASSERT_FALSE(r.items[0].points.empty());
    EXPECT_LE(std::llabs(r.items[0].points.back().time - (SystemNow() - kDay)), 10 * kSecond);
  }
  SetEnvironmentVariableW(L"HDASIM_CLOCK_OFFSET_MS", nullptr);
  EXPECT_TRUE(ShutDownServer());
}

// COM under Wine starts the server in this process's current directory. A server that kept it
// would hold the folder (it cannot be removed) for as long as it lingers after its clients.
TEST(Lifetime, TheServerLeavesTheDirectoryItWasStartedIn) {
  ASSERT_TRUE(WaitForNoServer(20000));
  wchar_t temp[MAX_PATH] = {};
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring dir =
      std::wstring(temp) + L"hdasim-launch-" + std::to_wstring(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  wchar_t previous[MAX_PATH] = {};
  ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryW(dir.c_str()));
  {
    Session session;
    SetCurrentDirectoryW(previous);
    ASSERT_TRUE(session.Ok());
  }
  ASSERT_EQ(ServerProcessIds().size(), 1u) << "the server no longer lingers after its client";
  const bool removed = RemoveDirectoryW(dir.c_str()) != FALSE;
  const DWORD error = removed ? 0 : GetLastError();
  EXPECT_TRUE(removed) << "the running server holds the directory it was started in (error "
                       << error << ")";
  if (!removed) {
    EXPECT_TRUE(WaitForNoServer(20000));
    RemoveDirectoryW(dir.c_str());
  }
}

TEST(Lifetime, PrivateBytesStayFlatUnderRepeatedReads) {
  Session session;
  const OPCHANDLE numbers = session.Handle(L"Dense/Sine 5ms");
  const OPCHANDLE texts = session.Handle(L"Text/Clock 1s");
  const OPCHANDLE memory = session.Handle(L"Control/Private bytes");
  const Ticks t = At(2022, 1, 1);
  auto read_all = [&] {
    ReadResult a = session.ReadRaw(HdaTime::Absolute(t), HdaTime::Absolute(t + kHour), 32000, false,
                                   {numbers});
    ReadResult b =
        session.ReadRaw(HdaTime::Absolute(t), HdaTime::Absolute(t + kDay), 32000, false, {texts});
    ReadResult c = session.ReadProcessed(HdaTime::Absolute(t), HdaTime::Absolute(t + kHour),
                                         kMinute, {numbers}, {3});
    ASSERT_EQ(a.items[0].points.size(), 32000u);
    ASSERT_EQ(b.items[0].points.size(), 32000u);
    ASSERT_EQ(c.items[0].points.size(), 60u);
  };
  for (int i = 0; i < 10; ++i) read_all();
  const double warm = Diagnostic(session, memory);
  ASSERT_GT(warm, 1e6) << "the server's private bytes cannot be read";
  for (int i = 0; i < 60; ++i) read_all();
  const double after = Diagnostic(session, memory);
  // 60 rounds turn 3.8 million values into VARIANTs; leaking one VARIANT or string per value, or
  // one result array per read, would pass the margin many times over.
  EXPECT_LT(after, warm + 4 * 1024 * 1024) << "grew from " << warm << " to " << after;
}

TEST(Lifetime, SlowItemsDelayTheWholeReadOnce) {
  Session session;
  const OPCHANDLE slow = session.Handle(L"Faults/Slow 2s");
  const OPCHANDLE sine = session.Handle(L"Waves/Sine 1s");
  const Ticks t = At(2022, 5, 5);
  const ULONGLONG started = GetTickCount64();
  ReadResult r = session.ReadRaw(HdaTime::Absolute(t), HdaTime::Absolute(t + 10 * kSecond), 0,
                                 false, {slow, sine, slow});
  const ULONGLONG took = GetTickCount64() - started;
  EXPECT_EQ(r.call, S_OK);
  for (const ItemResult& item : r.items) EXPECT_EQ(item.points.size(), 10u);
  EXPECT_GE(took, 1900u);
  EXPECT_LT(took, 3900u);  // once per call, not once per item
}

// The diagnostic counts the server objects of every class and client, so a test can see a
// client let go of its objects.
TEST(Lifetime, ServerObjectsCountsTheLiveServerObjects) {
  Session observer;
  const OPCHANDLE objects = observer.Handle(L"Control/Server objects");
  ASSERT_NE(objects, 0u);
  const double before = Diagnostic(observer, objects);
  ASSERT_GE(before, 1.0);
  {
    Session empty(L"Varnel.HdaSim.12");
    Session full(L"Varnel.HdaSim.2");
    ASSERT_TRUE(empty.Ok() && full.Ok());
    EXPECT_EQ(Diagnostic(observer, objects), before + 2);
  }
  EXPECT_EQ(Diagnostic(observer, objects), before);
}

}  // namespace
}  // namespace hdatest
