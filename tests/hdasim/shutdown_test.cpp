// The IOPCShutdown connection point, and the shutdown control that makes the server ask every
// advised client to disconnect and then end.
#include <gtest/gtest.h>
#include <olectl.h>

#include "tests/hdasim/hda_client.h"
#include "tests/hdasim/shutdown_sink.h"

namespace hdatest {
namespace {

struct Advised {
  Session session;
  ComPtr<ShutdownSink> sink;
  ComPtr<IConnectionPoint> point;
  DWORD cookie = 0;

  explicit Advised(const wchar_t* prog_id)
      : session(prog_id), sink(ComPtr<ShutdownSink>::Attach(new ShutdownSink)) {
    auto container = Query<IConnectionPointContainer>(session.Unknown());
    if (!container) return;
    container->FindConnectionPoint(IID_IOPCShutdown, &point);
    if (point) point->Advise(sink.Get(), &cookie);
  }
};

TEST(Shutdown, ConnectionPointContainerAndPoint) {
  Session session(L"Varnel.HdaSim.6");
  auto container = Query<IConnectionPointContainer>(session.Unknown());
  ASSERT_TRUE(container);
  ComPtr<IConnectionPoint> point;
  EXPECT_EQ(container->FindConnectionPoint(IID_IOPCHDA_DataCallback, &point),
            CONNECT_E_NOCONNECTION);
  EXPECT_FALSE(point);
  ASSERT_EQ(container->FindConnectionPoint(IID_IOPCShutdown, &point), S_OK);
  IID iid{};
  ASSERT_EQ(point->GetConnectionInterface(&iid), S_OK);
  EXPECT_EQ(iid, IID_IOPCShutdown);
  ComPtr<IConnectionPointContainer> back;
  ASSERT_EQ(point->GetConnectionPointContainer(&back), S_OK);
  EXPECT_TRUE(back);

  ComPtr<IEnumConnectionPoints> points;
  ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
  IConnectionPoint* listed[2] = {};
  ULONG fetched = 0;
  EXPECT_EQ(points->Next(2, listed, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 1u);
  listed[0]->Release();

  // Something that is not a shutdown sink cannot connect; an unknown cookie cannot disconnect.
  DWORD cookie = 0;
  EXPECT_EQ(point->Advise(session.Unknown(), &cookie), CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(point->Unadvise(12345), CONNECT_E_NOCONNECTION);
  auto sink = ComPtr<ShutdownSink>::Attach(new ShutdownSink);
  ASSERT_EQ(point->Advise(sink.Get(), &cookie), S_OK);
  EXPECT_EQ(point->Unadvise(cookie), S_OK);
  EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
}

// The request arrives on this thread, the client's single-threaded apartment, while it pumps
// messages; then the server goes and later calls fail instead of hanging.
TEST(Shutdown, ControlAsksEveryAdvisedClientAndEndsTheServer) {
  Advised first(L"Varnel.HdaSim.1"), second(L"Varnel.HdaSim.3");
  ASSERT_NE(first.cookie, 0u);
  ASSERT_NE(second.cookie, 0u);
  Session silent(L"Varnel.HdaSim.11");  // cannot be told; must still not keep the server alive
  ASSERT_TRUE(silent.Ok());
  ASSERT_EQ(ServerProcessIds().size(), 1u);

  const OPCHANDLE control = first.session.Handle(L"Control/Shutdown");
  HRESULT call = E_FAIL;
  VARIANT one = Real(1);
  const auto codes =
      first.session.Write(Session::Edit::kInsert, {control}, {SystemNow()}, {one}, {0xC0}, &call);
  ASSERT_EQ(call, S_OK);
  EXPECT_EQ(codes, std::vector<HRESULT>{S_OK});
  EXPECT_TRUE(
      PumpUntil([&] { return first.sink->Calls() > 0 && second.sink->Calls() > 0; }, 20000));
  EXPECT_EQ(first.sink->Calls(), 1);
  EXPECT_EQ(second.sink->Calls(), 1);
  EXPECT_EQ(first.sink->Thread(), GetCurrentThreadId());
  EXPECT_FALSE(first.sink->Reason().empty());
  EXPECT_TRUE(WaitForNoServer(20000));

  const ULONGLONG started = GetTickCount64();
  ReadResult late = silent.ReadRaw(HdaTime::Absolute(At(2020, 1, 1)),
                                   HdaTime::Absolute(At(2020, 1, 2)), 0, false, {1});
  EXPECT_TRUE(FAILED(late.call)) << HexCode(late.call);
  EXPECT_LT(GetTickCount64() - started, 10000u);
}

}  // namespace
}  // namespace hdatest
