#include "tests/support/held_shutdown_notice.h"

#include <objbase.h>
#include <ocidl.h>

#include "opc/opc.h"
#include "win/apartment.h"
#include "win/com_object.h"
#include "win/com_ptr.h"

namespace test_support {
namespace {

// Called on a thread of the multithreaded apartment, so waiting here holds only the server.
class HoldingSink final : public win::ComObject<IOPCShutdown> {
 public:
  HoldingSink(HANDLE asked, HANDLE answer, volatile LONG& delayMs)
      : asked_(asked), answer_(answer), delayMs_(delayMs) {}

  HRESULT STDMETHODCALLTYPE ShutdownRequest(LPCWSTR) override {
    SetEvent(asked_);
    // The server gives up on a sink after 10 s; the test answers long before that.
    if (WaitForSingleObject(answer_, 9000) == WAIT_OBJECT_0) Sleep(static_cast<DWORD>(delayMs_));
    return S_OK;
  }

 private:
  HANDLE asked_;
  HANDLE answer_;
  volatile LONG& delayMs_;
};

HANDLE ManualEvent() { return CreateEventW(nullptr, TRUE, FALSE, nullptr); }

}  // namespace

HeldShutdownNotice::HeldShutdownNotice(const wchar_t* progId)
    : progId_(progId),
      ready_(ManualEvent()),
      asked_(ManualEvent()),
      answer_(ManualEvent()),
      finish_(ManualEvent()),
      thread_(CreateThread(nullptr, 0, &HeldShutdownNotice::Run, this, 0, nullptr)) {
  if (thread_) WaitForSingleObject(ready_.Get(), 30000);
}

HeldShutdownNotice::~HeldShutdownNotice() {
  SetEvent(answer_.Get());
  SetEvent(finish_.Get());
  if (thread_) WaitForSingleObject(thread_.Get(), 30000);
}

bool HeldShutdownNotice::WaitUntilAsked(DWORD timeoutMs) {
  return WaitForSingleObject(asked_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

void HeldShutdownNotice::Answer(DWORD delayMs) {
  InterlockedExchange(&delayMs_, static_cast<LONG>(delayMs));
  SetEvent(answer_.Get());
}

DWORD WINAPI HeldShutdownNotice::Run(void* parameter) {
  auto& self = *static_cast<HeldShutdownNotice*>(parameter);
  const win::Apartment apartment(COINIT_MULTITHREADED);
  win::ComPtr<IConnectionPointContainer> container;
  win::ComPtr<IConnectionPoint> point;
  auto sink = win::ComPtr<HoldingSink>::Attach(
      new HoldingSink(self.asked_.Get(), self.answer_.Get(), self.delayMs_));
  DWORD cookie = 0;
  CLSID clsid{};
  if (apartment && SUCCEEDED(CLSIDFromProgID(self.progId_, &clsid)) &&
      SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IConnectionPointContainer,
                                 reinterpret_cast<void**>(&container))) &&
      SUCCEEDED(container->FindConnectionPoint(IID_IOPCShutdown, &point)) &&
      SUCCEEDED(point->Advise(static_cast<IOPCShutdown*>(sink.Get()), &cookie))) {
    self.advised_ = true;
  }
  SetEvent(self.ready_.Get());
  WaitForSingleObject(self.finish_.Get(), INFINITE);
  if (cookie != 0) point->Unadvise(cookie);  // fails once the server is gone; nothing to do then
  // No call may reach the sink once this thread is gone.
  CoDisconnectObject(static_cast<IOPCShutdown*>(sink.Get()), 0);
  return 0;
}

}  // namespace test_support
