#include "ambrel/discovery.h"

#include <comcat.h>

#include <algorithm>
#include <string>

#include "ambrel/report.h"
#include "ambrel/state.h"
#include "ambrel/text_conversion.h"
#include "opc/opc.h"
#include "win/co_task_memory.h"
#include "win/com_ptr.h"

namespace ambrel {
namespace {

bool IsLocalName(const char* machine) {
  std::string upper = machine ? machine : "";
  std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  });
  return upper == "LOCAL";
}

win::ComPtr<IOPCServerList> CreateServerBrowser(const std::string& machine) {
  std::wstring node = WidenBytes(machine.c_str());
  COSERVERINFO info{};
  info.pwszName = node.data();
  MULTI_QI query{&IID_IOPCServerList, nullptr, S_OK};
  const HRESULT hr = machine.empty() ? CoCreateInstanceEx(CLSID_OpcServerList, nullptr,
                                                          CLSCTX_LOCAL_SERVER, nullptr, 1, &query)
                                     : CoCreateInstanceEx(CLSID_OpcServerList, nullptr,
                                                          CLSCTX_REMOTE_SERVER, &info, 1, &query);
  auto browser = win::ComPtr<IOPCServerList>::Attach(static_cast<IOPCServerList*>(query.pItf));
  if (FAILED(hr) || FAILED(query.hr)) browser.Reset();
  return browser;
}

void ListFromBrowser(IOPCServerList* browser, std::vector<ServerEntry>& servers) {
  CATID category = CATID_OPCHDAServer10;
  CATID required = CATID_OPCHDAServer10;
  win::ComPtr<IEnumGUID> classes;
  if (FAILED(browser->EnumClassesOfCategories(1, &category, 1, &required, &classes)) || !classes) {
    return;
  }
  for (;;) {
    CLSID clsid{};
    ULONG fetched = 0;
    const HRESULT hr = classes->Next(1, &clsid, &fetched);
    if (hr != S_OK || fetched != 1 || IsEqualCLSID(clsid, GUID_NULL)) break;
    ServerEntry entry{clsid, "UNKNOWN"};
    LPOLESTR prog_id = nullptr;
    LPOLESTR user_type = nullptr;
    const HRESULT details = browser->GetClassDetails(clsid, &prog_id, &user_type);
    const win::CoTaskPtr<wchar_t> owned_prog_id(prog_id), owned_user_type(user_type);
    if (SUCCEEDED(details) && prog_id) entry.prog_id = NarrowAnsi(prog_id);
    servers.push_back(std::move(entry));
  }
}

DWORD ListLocalCategory(std::vector<ServerEntry>& servers) {
  servers.clear();
  win::ComPtr<ICatInformation> categories;
  HRESULT hr = CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ICatInformation, reinterpret_cast<void**>(&categories));
  if (FAILED(hr)) {
    ReportError(hr, "Error from CoCreateInstance for CLSID_StdComponentCategoriesMgr\n");
    return 0;
  }
  CATID category = CATID_OPCHDAServer10;
  win::ComPtr<IEnumGUID> classes;
  hr = categories->EnumClassesOfCategories(1, &category, 0, nullptr, &classes);
  if (FAILED(hr) || !classes) return 0;
  for (;;) {
    CLSID clsid{};
    ULONG fetched = 0;
    if (classes->Next(1, &clsid, &fetched) != S_OK || fetched != 1) break;
    LPOLESTR prog_id = nullptr;
    hr = ProgIDFromCLSID(clsid, &prog_id);
    win::CoTaskPtr<wchar_t> owned(prog_id);
    if (FAILED(hr)) {
      ReportError(hr, "Error from ProgIDFromCLSID");
      continue;
    }
    servers.push_back({clsid, NarrowAnsi(prog_id)});
  }
  return static_cast<DWORD>(servers.size());
}

}  // namespace

DWORD EnumerateServers(const char* machine) {
  AmbrelState* state = TheState();
  if (!state) return 0;
  const std::string name =
      IsLocalName(machine) ? std::string() : std::string(machine ? machine : "");
  state->servers.clear();
  win::ComPtr<IOPCServerList> browser = CreateServerBrowser(name);
  if (!browser) {
    ReportError(0, "Failed to Execute OPCENUM");
    return ListLocalCategory(state->servers);
  }
  ListFromBrowser(browser.Get(), state->servers);
  return static_cast<DWORD>(state->servers.size());
}

}  // namespace ambrel
