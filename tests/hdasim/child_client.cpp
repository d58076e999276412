#include "tests/hdasim/child_client.h"

#include <windows.h>

#include <string>

#include "tests/hdasim/hda_client.h"
#include "tests/hdasim/shutdown_sink.h"
#include "win/handle.h"

namespace hdatest {

int RunChildClient(const char* ready_event) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  Session session(L"Varnel.HdaSim.3");
  if (!session.Ok()) return 2;
  auto sink = ComPtr<ShutdownSink>::Attach(new ShutdownSink());
  ComPtr<IConnectionPoint> point;
  if (auto container = Query<IConnectionPointContainer>(session.Unknown())) {
    container->FindConnectionPoint(IID_IOPCShutdown, &point);
    DWORD cookie = 0;
    if (point) point->Advise(sink.Get(), &cookie);
  }
  const OPCHANDLE handle = session.Handle(L"Dense/Sine 5ms");
  const std::string name(ready_event);
  win::UniqueKernelHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, name.c_str()));
  if (!ready) return 3;
  SetEvent(ready.Get());
  // Reads without end; the parent kills this process in the middle of one of them.
  const Ticks start = At(2021, 6, 1);
  for (Ticks t = start;; t += kMinute)
    session.ReadRaw(HdaTime::Absolute(t), HdaTime::Absolute(t + kMinute), 0, false, {handle});
}

}  // namespace hdatest
