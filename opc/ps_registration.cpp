// Self-registration of the proxy/stub DLL. Each interface is registered only when no other
// proxy/stub with a live server is registered for it already; unregistration removes only what
// points at us.
#include <windows.h>
#include <objbase.h>

#include <olectl.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "opc/opc_constants.h"
#include "win/barrier.h"
#include "win/guid.h"
#include "win/registry.h"

extern "C" void VarnelOpcForEachInterface(void (*visit)(const IID* iid, const char* name,
                                                        unsigned long methods, void* context),
                                          void* context);

namespace {

HMODULE g_module = nullptr;

bool SetString(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  return win::WriteRegString(HKEY_CLASSES_ROOT, path, name, value);
}

std::wstring GetString(const std::wstring& path) {
  return win::ReadRegString(HKEY_CLASSES_ROOT, path, nullptr).value_or(L"");
}

// Another proxy/stub owns an interface when its ProxyStubClsid32 names a different class that
// still has an in-process server.
bool OwnedByAnother(const std::wstring& iid, const std::wstring& ours) {
  const std::wstring clsid = GetString(L"Interface\\" + iid + L"\\ProxyStubClsid32");
  if (clsid.empty() || _wcsicmp(clsid.c_str(), ours.c_str()) == 0) return false;
  return !GetString(L"CLSID\\" + clsid + L"\\InprocServer32").empty();
}

template <typename Visit>
void ForEachInterface(Visit visit) {
  VarnelOpcForEachInterface(
      [](const IID* iid, const char* name, unsigned long methods, void* context) {
        (*static_cast<Visit*>(context))(*iid, name, methods);
      },
      &visit);
}

HRESULT Register() {
  wchar_t path[MAX_PATH] = {};
  if (GetModuleFileNameW(g_module, path, MAX_PATH) == 0) return HRESULT_FROM_WIN32(GetLastError());
  const std::wstring ours = win::GuidText(CLSID_VarnelOpcPSFactory);

  const std::wstring cls = L"CLSID\\" + ours;
  if (!SetString(cls, nullptr, L"Varnel OPC HDA proxy/stub") ||
      !SetString(cls + L"\\InprocServer32", nullptr, path) ||
      !SetString(cls + L"\\InprocServer32", L"ThreadingModel", L"Both"))
    return SELFREG_E_CLASS;

  HRESULT result = S_OK;
  ForEachInterface([&](const IID& iid, const char* name, unsigned long methods) {
    const std::wstring iidText = win::GuidText(iid);
    if (OwnedByAnother(iidText, ours)) return;
    const std::wstring base = L"Interface\\" + iidText;
    std::wstring wideName(name, name + std::strlen(name));
    if (!SetString(base, nullptr, wideName) ||
        !SetString(base + L"\\NumMethods", nullptr, std::to_wstring(methods)) ||
        !SetString(base + L"\\ProxyStubClsid32", nullptr, ours))
      result = SELFREG_E_TYPELIB;
  });
  return result;
}

HRESULT Unregister() {
  const std::wstring ours = win::GuidText(CLSID_VarnelOpcPSFactory);
  ForEachInterface([&](const IID& iid, const char*, unsigned long) {
    const std::wstring base = L"Interface\\" + win::GuidText(iid);
    const std::wstring clsid = GetString(base + L"\\ProxyStubClsid32");
    if (_wcsicmp(clsid.c_str(), ours.c_str()) == 0) win::DeleteRegTree(HKEY_CLASSES_ROOT, base);
  });
  win::DeleteRegTree(HKEY_CLASSES_ROOT, L"CLSID\\" + ours);
  return S_OK;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

HRESULT WINAPI DllRegisterServer() {
  return win::ComBarrier([] { return Register(); });
}

HRESULT WINAPI DllUnregisterServer() {
  return win::ComBarrier([] { return Unregister(); });
}

}  // extern "C"
