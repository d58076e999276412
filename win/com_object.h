// The IUnknown half of a COM object we implement: reference counts that any thread may change
// (interlocked), and QueryInterface over the listed interfaces, the first of which also answers
// for IUnknown. A new object holds one reference, its creator's.
//
//   class Sink final : public win::ComObject<IOPCShutdown> { ... };
//   auto sink = win::ComPtr<Sink>::Attach(new Sink);
#pragma once

#include <windows.h>

#include <unknwn.h>

#include "win/barrier.h"

namespace win {

template <typename First, typename... Rest>
class ComObject : public First, public Rest... {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return ComBarrier([&]() -> HRESULT {
      if (!out) return E_POINTER;
      *out = nullptr;
      if (iid == IID_IUnknown) {
        *out = static_cast<First*>(this);
      } else if (Supports(iid)) {
        Find<First, Rest...>(iid, out);
      }
      if (!*out) return E_NOINTERFACE;
      AddRef();
      return S_OK;
    });
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;
  // Lets a class leave out interfaces it inherits, per instance.
  virtual bool Supports(const IID&) const { return true; }

 private:
  template <typename I, typename... More>
  void Find(REFIID iid, void** out) {
    if (iid == __uuidof(I)) {
      *out = static_cast<I*>(this);
      return;
    }
    if constexpr (sizeof...(More) > 0) Find<More...>(iid, out);
  }

  LONG references_ = 1;
};

}  // namespace win
