// A client's IOPCShutdown sink that records what it was told and on which thread.
#pragma once

#include <windows.h>

#include <string>

#include "opc/opc.h"
#include "win/com_object.h"

namespace hdatest {

class ShutdownSink final : public win::ComObject<IOPCShutdown> {
 public:
  HRESULT STDMETHODCALLTYPE ShutdownRequest(LPCWSTR reason) override {
    ++calls_;
    thread_ = GetCurrentThreadId();
    reason_ = reason ? reason : L"";
    return S_OK;
  }

  int Calls() const { return calls_; }
  DWORD Thread() const { return thread_; }
  const std::wstring& Reason() const { return reason_; }

 private:
  int calls_ = 0;
  DWORD thread_ = 0;
  std::wstring reason_;
};

}  // namespace hdatest
