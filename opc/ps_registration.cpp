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
#include "win/handle.h"

extern "C" void VarnelOpcForEachInterface(void (*visit)(const IID* iid, const char* name,
                                                        unsigned long methods, void* context),
                                          void* context);

namespace {

HMODULE g_module = nullptr;

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

bool SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::wstring GetString(HKEY root, const std::wstring& path, const wchar_t* name) {
  wchar_t value[512] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return {};
  return value;
}

win::UniqueRegKey CreateKey(const std::wstring& path) {
  win::UniqueRegKey key;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return {};
  return key;
}

// Another proxy/stub owns an interface when its ProxyStubClsid32 names a different class that
// still has an in-process server.
bool OwnedByAnother(const std::wstring& iid, const std::wstring& ours) {
  std::wstring clsid = GetString(HKEY_CLASSES_ROOT, L"Interface\\" + iid + L"\\ProxyStubClsid32", nullptr);
  if (clsid.empty() || _wcsicmp(clsid.c_str(), ours.c_str()) == 0) return false;
  return !GetString(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid + L"\\InprocServer32", nullptr).empty();
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
  const std::wstring ours = GuidText(CLSID_VarnelOpcPSFactory);

  win::UniqueRegKey cls = CreateKey(L"CLSID\\" + ours);
  win::UniqueRegKey server = CreateKey(L"CLSID\\" + ours + L"\\InprocServer32");
  if (!cls || !server || !SetString(cls.Get(), nullptr, L"Varnel OPC HDA proxy/stub") ||
      !SetString(server.Get(), nullptr, path) || !SetString(server.Get(), L"ThreadingModel", L"Both"))
    return SELFREG_E_CLASS;

  HRESULT result = S_OK;
  ForEachInterface([&](const IID& iid, const char* name, unsigned long methods) {
    const std::wstring iidText = GuidText(iid);
    if (OwnedByAnother(iidText, ours)) return;
    const std::wstring base = L"Interface\\" + iidText;
    std::wstring wideName(name, name + std::strlen(name));
    win::UniqueRegKey itf = CreateKey(base);
    win::UniqueRegKey count = CreateKey(base + L"\\NumMethods");
    win::UniqueRegKey ps = CreateKey(base + L"\\ProxyStubClsid32");
    if (!itf || !count || !ps || !SetString(itf.Get(), nullptr, wideName) ||
        !SetString(count.Get(), nullptr, std::to_wstring(methods)) ||
        !SetString(ps.Get(), nullptr, ours))
      result = SELFREG_E_TYPELIB;
  });
  return result;
}

HRESULT Unregister() {
  const std::wstring ours = GuidText(CLSID_VarnelOpcPSFactory);
  ForEachInterface([&](const IID& iid, const char*, unsigned long) {
    const std::wstring base = L"Interface\\" + GuidText(iid);
    std::wstring clsid = GetString(HKEY_CLASSES_ROOT, base + L"\\ProxyStubClsid32", nullptr);
    if (_wcsicmp(clsid.c_str(), ours.c_str()) == 0) RegDeleteTreeW(HKEY_CLASSES_ROOT, base.c_str());
  });
  RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + ours).c_str());
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
  try {
    return Register();
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT WINAPI DllUnregisterServer() {
  try {
    return Unregister();
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // extern "C"
