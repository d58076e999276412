// The IUnknown half of every COM object of the server, and the barrier that keeps exceptions
// from crossing a COM boundary.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <new>

#include "tools/hdasim/server/module.h"

namespace hdasim {

// Runs a COM method body; an exception becomes E_OUTOFMEMORY or E_UNEXPECTED.
template <typename Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// Reference counting and QueryInterface over the listed interfaces (the first one also answers
// for IUnknown). A live object keeps the server process running.
template <typename First, typename... Rest>
class ComObject : public First, public Rest... {
 public:
  ComObject() { ServerModule::AddRef(); }
  virtual ~ComObject() { ServerModule::Release(); }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return Guarded([&]() -> HRESULT {
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
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
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

  LONG refs_ = 1;
};

}  // namespace hdasim
