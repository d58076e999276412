#include "ambrel/shutdown_sink.h"

#include "ambrel/hda_server.h"

namespace ambrel {

HRESULT STDMETHODCALLTYPE CIOPCShutdown::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_INVALIDARG;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOPCShutdown)) {
    *object = static_cast<IOPCShutdown*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CIOPCShutdown::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE CIOPCShutdown::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE CIOPCShutdown::ShutdownRequest(LPCWSTR) {
  // The callback may disconnect the session, which unadvises and lets go of this sink: our own
  // reference keeps the sink alive until we return, and nothing of the session is read after the
  // callback.
  AddRef();
  try {
    AMBREL_SHUTDOWN_CALLBACK callback = owner_ ? owner_->ShutdownCallback() : nullptr;
    const AMBREL_SESSION handle = owner_ ? owner_->Handle() : AMBREL_NO_SESSION;
    if (callback) callback(handle);
  } catch (...) {
  }
  Release();
  return S_OK;
}

}  // namespace ambrel
