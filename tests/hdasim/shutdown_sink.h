// A client's IOPCShutdown sink that records what it was told and on which thread.
#pragma once

#include <windows.h>

#include <string>

#include "opc/opc.h"

namespace hdatest {

class ShutdownSink final : public IOPCShutdown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IOPCShutdown) return E_NOINTERFACE;
    *out = static_cast<IOPCShutdown*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
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
  LONG refs_ = 1;
  int calls_ = 0;
  DWORD thread_ = 0;
  std::wstring reason_;
};

}  // namespace hdatest
