#include "tools/hdasim/server/shutdown_point.h"

#include <olectl.h>

#include "opc/opc.h"
#include "win/barrier.h"

namespace hdasim {

ShutdownPoint::~ShutdownPoint() {
  if (table_)
    for (const auto& [advise, global] : sinks_) table_->RevokeInterfaceFromGlobal(global);
}

HRESULT ShutdownPoint::QueryInterface(REFIID iid, void** out) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  });
}

HRESULT ShutdownPoint::GetConnectionInterface(IID* iid) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!iid) return E_POINTER;
    *iid = IID_IOPCShutdown;
    return S_OK;
  });
}

HRESULT ShutdownPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!container) return E_POINTER;
    *container = owner_;
    owner_->AddRef();
    return S_OK;
  });
}

HRESULT ShutdownPoint::Advise(IUnknown* sink, DWORD* cookie) {
  return win::ComBarrier([&]() -> HRESULT {
    if (cookie) *cookie = 0;
    if (!sink || !cookie) return E_POINTER;
    win::ComPtr<IOPCShutdown> shutdown;
    if (FAILED(sink->QueryInterface(IID_IOPCShutdown, reinterpret_cast<void**>(&shutdown))))
      return CONNECT_E_CANNOTCONNECT;
    if (!table_) {
      const HRESULT hr =
          CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IGlobalInterfaceTable, reinterpret_cast<void**>(&table_));
      if (FAILED(hr)) return hr;
    }
    DWORD global = 0;
    const HRESULT hr = table_->RegisterInterfaceInGlobal(shutdown.Get(), IID_IOPCShutdown, &global);
    if (FAILED(hr)) return hr;
    sinks_.emplace(next_cookie_, global);
    *cookie = next_cookie_++;
    return S_OK;
  });
}

HRESULT ShutdownPoint::Unadvise(DWORD cookie) {
  return win::ComBarrier([&]() -> HRESULT {
    auto found = sinks_.find(cookie);
    if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
    table_->RevokeInterfaceFromGlobal(found->second);
    sinks_.erase(found);
    return S_OK;
  });
}

HRESULT ShutdownPoint::EnumConnections(IEnumConnections** connections) {
  return win::ComBarrier([&]() -> HRESULT {
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
  });
}

std::vector<DWORD> ShutdownPoint::SinkCookies() const {
  std::vector<DWORD> cookies;
  for (const auto& [advise, global] : sinks_) cookies.push_back(global);
  return cookies;
}

}  // namespace hdasim
