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
  HoldingSink(HANDLE asked, HANDLE answer, volatile LONG& delay_ms)
      : asked_(asked), answer_(answer), delay_ms_(delay_ms) {}

  HRESULT STDMETHODCALLTYPE ShutdownRequest(LPCWSTR) override {
    SetEvent(asked_);
    // The server gives up on a sink after 10 s; the test answers long before that.
    if (WaitForSingleObject(answer_, 9000) == WAIT_OBJECT_0) Sleep(static_cast<DWORD>(delay_ms_));
    return S_OK;
  }

 private:
  HANDLE asked_;
  HANDLE answer_;
  volatile LONG& delay_ms_;
};

HANDLE ManualEvent() { return CreateEventW(nullptr, TRUE, FALSE, nullptr); }

void ReadSlowItem(IUnknown* object) {
  win::ComPtr<IOPCHDA_Server> server;
  win::ComPtr<IOPCHDA_SyncRead> read;
  if (FAILED(object->QueryInterface(IID_IOPCHDA_Server, reinterpret_cast<void**>(&server))) ||
      FAILED(object->QueryInterface(IID_IOPCHDA_SyncRead, reinterpret_cast<void**>(&read)))) {
    return;
  }
  wchar_t id[] = L"Faults/Slow 2s";
  LPWSTR ids[1] = {id};
  OPCHANDLE client = 1;
  OPCHANDLE* handles = nullptr;
  HRESULT* errors = nullptr;
  if (server->GetItemHandles(1, ids, &client, &handles, &errors) != S_OK) return;
  OPCHANDLE handle = handles[0];
  CoTaskMemFree(handles);
  CoTaskMemFree(errors);
  // Ten seconds from 2021-06-01 00:00:00 UTC.
  OPCHDA_TIME start{};
  start.ftTime = {0x1095C000u, 0x01D75679u};
  OPCHDA_TIME end = start;
  end.ftTime.dwLowDateTime += 100000000u;
  OPCHDA_ITEM* items = nullptr;
  HRESULT* read_errors = nullptr;
  if (SUCCEEDED(read->ReadRaw(&start, &end, 0, FALSE, 1, &handle, &items, &read_errors)) && items) {
    for (DWORD i = 0; i < items[0].dwCount; ++i) VariantClear(&items[0].pvDataValues[i]);
    CoTaskMemFree(items[0].pftTimeStamps);
    CoTaskMemFree(items[0].pdwQualities);
    CoTaskMemFree(items[0].pvDataValues);
  }
  CoTaskMemFree(items);
  CoTaskMemFree(read_errors);
}

}  // namespace

HeldShutdownNotice::HeldShutdownNotice(const wchar_t* prog_id)
    : prog_id_(prog_id),
      ready_(ManualEvent()),
      asked_(ManualEvent()),
      answer_(ManualEvent()),
      finish_(ManualEvent()),
      read_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      thread_(CreateThread(nullptr, 0, &HeldShutdownNotice::Run, this, 0, nullptr)) {
  if (thread_) WaitForSingleObject(ready_.Get(), 30000);
}

HeldShutdownNotice::~HeldShutdownNotice() {
  SetEvent(answer_.Get());
  SetEvent(finish_.Get());
  if (thread_) WaitForSingleObject(thread_.Get(), 30000);
}

bool HeldShutdownNotice::WaitUntilAsked(DWORD timeout_ms) {
  return WaitForSingleObject(asked_.Get(), timeout_ms) == WAIT_OBJECT_0;
}

void HeldShutdownNotice::Answer(DWORD delay_ms) {
  InterlockedExchange(&delay_ms_, static_cast<LONG>(delay_ms));
  SetEvent(answer_.Get());
}

void HeldShutdownNotice::ReadSlowly() { SetEvent(read_.Get()); }

DWORD WINAPI HeldShutdownNotice::Run(void* parameter) {
  auto& self = *static_cast<HeldShutdownNotice*>(parameter);
  const win::Apartment apartment(COINIT_MULTITHREADED);
  win::ComPtr<IConnectionPointContainer> container;
  win::ComPtr<IConnectionPoint> point;
  auto sink = win::ComPtr<HoldingSink>::Attach(
      new HoldingSink(self.asked_.Get(), self.answer_.Get(), self.delay_ms_));
  DWORD cookie = 0;
  CLSID clsid{};
  if (apartment && SUCCEEDED(CLSIDFromProgID(self.prog_id_, &clsid)) &&
      SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IConnectionPointContainer,
                                 reinterpret_cast<void**>(&container))) &&
      SUCCEEDED(container->FindConnectionPoint(IID_IOPCShutdown, &point)) &&
      SUCCEEDED(point->Advise(static_cast<IOPCShutdown*>(sink.Get()), &cookie))) {
    self.advised_ = true;
  }
  SetEvent(self.ready_.Get());
  const HANDLE wakes[] = {self.finish_.Get(), self.read_.Get()};
  while (WaitForMultipleObjects(2, wakes, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    if (container) ReadSlowItem(container.Get());
  }
  if (cookie != 0) point->Unadvise(cookie);  // fails once the server is gone; nothing to do then
  // No call may reach the sink once this thread is gone.
  CoDisconnectObject(static_cast<IOPCShutdown*>(sink.Get()), 0);
  return 0;
}

}  // namespace test_support
