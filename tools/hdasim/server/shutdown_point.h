// The IOPCShutdown connection point of a server object. It lives inside the server object and
// shares its reference count; sinks are kept in the global interface table so that the shutdown
// broadcast can call them from a worker thread with a time limit.
#pragma once

#include <windows.h>

#include <objidl.h>
#include <ocidl.h>

#include <map>
#include <vector>

#include "win/com_ptr.h"

namespace hdasim {

class ShutdownPoint final : public IConnectionPoint {
 public:
  explicit ShutdownPoint(IConnectionPointContainer* owner) : owner_(owner) {}
  ~ShutdownPoint();
  ShutdownPoint(const ShutdownPoint&) = delete;
  ShutdownPoint& operator=(const ShutdownPoint&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_->Release(); }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

  // Global interface table cookies of the advised sinks.
  std::vector<DWORD> SinkCookies() const;

 private:
  IConnectionPointContainer* owner_;
  win::ComPtr<IGlobalInterfaceTable> table_;
  std::map<DWORD, DWORD> sinks_;  // advise cookie -> global interface table cookie
  DWORD next_cookie_ = 1;
};

}  // namespace hdasim
