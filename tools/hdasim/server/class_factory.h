// The class objects hdasim.exe registers: one per server class and one for the server list.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <functional>

namespace hdasim {

class ClassFactory final : public IClassFactory {
 public:
  // Makes a new object with one reference.
  using Creator = std::function<IUnknown*()>;
  // `refusal`: not S_OK for a faulty class, whose CreateInstance always fails with it.
  explicit ClassFactory(Creator creator, HRESULT refusal = S_OK)
      : creator_(std::move(creator)), refusal_(refusal) {}
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  // The factories live as long as the process's registrations; COM's references do not count.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  Creator creator_;
  HRESULT refusal_;
};

}  // namespace hdasim
