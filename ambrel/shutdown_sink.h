// The sink a session advises on its server's IOPCShutdown connection point.
#pragma once

#include <windows.h>

#include "ambrel/ambrel.h"
#include "opc/opc.h"

namespace ambrel {

class HDASvr;

class CIOPCShutdown final : public IOPCShutdown {
 public:
  explicit CIOPCShutdown(HDASvr* owner) : owner_(owner) {}
  CIOPCShutdown(const CIOPCShutdown&) = delete;
  CIOPCShutdown& operator=(const CIOPCShutdown&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE ShutdownRequest(LPCWSTR reason) override;

  DWORD cookie = 0;
  // The session forgets itself here before it lets go of the sink.
  void DetachOwner() { owner_ = nullptr; }

 private:
  ~CIOPCShutdown() = default;

  HDASvr* owner_;
  // Plain counter: the session and its sink live in one apartment.
  ULONG references_ = 0;
};

}  // namespace ambrel
