#include "tools/hdasim/server/registration.h"

#include <comcat.h>
#include <olectl.h>

#include "opc/opc_constants.h"
#include "tools/hdasim/server/server_classes.h"
#include "win/com_ptr.h"
#include "win/guid.h"
#include "win/registry.h"

namespace hdasim {
namespace {

constexpr const wchar_t* kExeName = L"hdasim.exe";
constexpr LCID kCategoryLocale = 0x409;

bool SetText(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  return win::WriteRegString(HKEY_CLASSES_ROOT, path, name, value);
}

std::wstring GetText(const std::wstring& path, const wchar_t* name = nullptr) {
  return win::ReadRegString(HKEY_CLASSES_ROOT, path, name).value_or(L"");
}

// The file name part of a LocalServer32 command line: quotes and arguments removed.
std::wstring ProgramFileName(const std::wstring& command) {
  std::wstring path;
  if (!command.empty() && command[0] == L'"') {
    const std::size_t close = command.find(L'"', 1);
    path = command.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
  } else {
    path = command.substr(0, command.find(L' '));
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

win::ComPtr<ICatRegister> CategoryRegister() {
  win::ComPtr<ICatRegister> categories;
  CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ICatRegister,
                   reinterpret_cast<void**>(&categories));
  return categories;
}

bool RegisterHdaClass(const ServerClass& c, const std::wstring& command, ICatRegister* categories) {
  const std::wstring clsid = win::GuidText(c.clsid);
  const std::wstring key = L"CLSID\\" + clsid;
  bool ok = SetText(key, nullptr, c.name) && SetText(key, L"AppID", win::GuidText(kHdaSimAppId)) &&
            SetText(key + L"\\LocalServer32", nullptr, command) &&
            SetText(key + L"\\ProgID", nullptr, c.prog_id) && SetText(c.prog_id, nullptr, c.name) &&
            SetText(std::wstring(c.prog_id) + L"\\CLSID", nullptr, clsid);
  if (c.version_independent_prog_id) {
    const std::wstring independent = c.version_independent_prog_id;
    ok = ok && SetText(key + L"\\VersionIndependentProgID", nullptr, independent) &&
         SetText(independent, nullptr, c.name) &&
         SetText(independent + L"\\CLSID", nullptr, clsid) &&
         SetText(independent + L"\\CurVer", nullptr, c.prog_id);
  }
  CATID category = CATID_OPCHDAServer10;
  return ok && SUCCEEDED(categories->RegisterClassImplCategories(c.clsid, 1, &category));
}

// Removes a ProgID key only when it still names our class.
void DeleteProgId(const wchar_t* prog_id, const CLSID& clsid) {
  if (!prog_id) return;
  const std::wstring named = GetText(std::wstring(prog_id) + L"\\CLSID");
  if (_wcsicmp(named.c_str(), win::GuidText(clsid).c_str()) == 0)
    win::DeleteRegTree(HKEY_CLASSES_ROOT, prog_id);
}

}  // namespace

bool ServerListIsOurs() {
  return _wcsicmp(ProgramFileName(
                      GetText(L"CLSID\\" + win::GuidText(CLSID_OpcServerList) + L"\\LocalServer32"))
                      .c_str(),
                  kExeName) == 0;
}

HRESULT RegisterServer(const std::wstring& exe_path) {
  const std::wstring command = L"\"" + exe_path + L"\"";
  const win::ComPtr<ICatRegister> categories = CategoryRegister();
  if (!categories) return SELFREG_E_CLASS;
  CATEGORYINFO info{};
  info.catid = CATID_OPCHDAServer10;
  info.lcid = kCategoryLocale;
  lstrcpynW(info.szDescription, OPC_CATEGORY_DESCRIPTION_HDA10, 128);
  if (FAILED(categories->RegisterCategories(1, &info))) return SELFREG_E_CLASS;

  const std::wstring app_id = win::GuidText(kHdaSimAppId);
  if (!SetText(L"AppID\\" + app_id, nullptr, L"Varnel HDA simulation server") ||
      !SetText(std::wstring(L"AppID\\") + kExeName, L"AppID", app_id))
    return SELFREG_E_CLASS;
  for (const ServerClass& c : HdaServerClasses())
    if (!RegisterHdaClass(c, command, categories.Get())) return SELFREG_E_CLASS;

  const std::wstring list_key = L"CLSID\\" + win::GuidText(CLSID_OpcServerList);
  const bool taken = !GetText(list_key + L"\\LocalServer32").empty() && !ServerListIsOurs();
  if (!taken &&
      !(SetText(list_key, nullptr, kServerListName) && SetText(list_key, L"AppID", app_id) &&
        SetText(list_key + L"\\LocalServer32", nullptr, command)))
    return SELFREG_E_CLASS;
  return S_OK;
}

HRESULT UnregisterServer() {
  const win::ComPtr<ICatRegister> categories = CategoryRegister();
  for (const ServerClass& c : HdaServerClasses()) {
    if (categories) {
      CATID category = CATID_OPCHDAServer10;
      categories->UnRegisterClassImplCategories(c.clsid, 1, &category);
    }
    DeleteProgId(c.version_independent_prog_id, c.clsid);
    DeleteProgId(c.prog_id, c.clsid);
    win::DeleteRegTree(HKEY_CLASSES_ROOT, L"CLSID\\" + win::GuidText(c.clsid));
  }
  if (ServerListIsOurs())
    win::DeleteRegTree(HKEY_CLASSES_ROOT, L"CLSID\\" + win::GuidText(CLSID_OpcServerList));
  win::DeleteRegTree(HKEY_CLASSES_ROOT, L"AppID\\" + win::GuidText(kHdaSimAppId));
  win::DeleteRegTree(HKEY_CLASSES_ROOT, std::wstring(L"AppID\\") + kExeName);
  return S_OK;
}

}  // namespace hdasim
