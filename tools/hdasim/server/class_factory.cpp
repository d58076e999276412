#include "tools/hdasim/server/class_factory.h"

#include "tools/hdasim/server/module.h"
#include "win/barrier.h"
#include "win/com_ptr.h"

namespace hdasim {

HRESULT ClassFactory::QueryInterface(REFIID iid, void** out) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    return S_OK;
  });
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (refusal_ != S_OK) return refusal_;
    const auto object = win::ComPtr<IUnknown>::Attach(creator_());
    return object->QueryInterface(iid, out);
  });
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  return win::ComBarrier([&]() -> HRESULT {
    if (lock) {
      ServerModule::AddRef();
    } else {
      ServerModule::Release();
    }
    return S_OK;
  });
}

}  // namespace hdasim
