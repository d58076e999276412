// A COM object for tests that counts its AddRef and Release calls and is never deleted by them,
// so a test can check every reference a smart pointer takes and gives back.
#pragma once

#include <windows.h>

#include <unknwn.h>

namespace wintest {

// An interface of its own, for QueryInterface into another type.
struct ICountingExtra : public IUnknown {
  virtual int STDMETHODCALLTYPE Extra() = 0;
};

}  // namespace wintest

__CRT_UUID_DECL(wintest::ICountingExtra, 0x6a1e2f60, 0x3c1b, 0x4a55, 0x9d, 0x0e, 0x5b, 0x7c, 0x2d,
                0x4e, 0x8f, 0x01)

namespace wintest {

class CountingUnknown final : public ICountingExtra {
 public:
  // `offers_extra`: whether QueryInterface for ICountingExtra succeeds.
  explicit CountingUnknown(bool offers_extra = true) : offers_extra_(offers_extra) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || (offers_extra_ && iid == __uuidof(ICountingExtra))) {
      *out = static_cast<ICountingExtra*>(this);
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++adds - releases); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(adds - ++releases); }
  int STDMETHODCALLTYPE Extra() override { return 42; }

  // References taken and not given back.
  int Held() const { return adds - releases; }

  int adds = 0;
  int releases = 0;

 private:
  bool offers_extra_;
};

}  // namespace wintest
