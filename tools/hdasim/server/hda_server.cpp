// IOPCHDA_Server, IOPCCommon and IConnectionPointContainer of the server object.
#include "tools/hdasim/server/hda_server.h"

#include <olectl.h>

#include <memory>
#include <vector>

#include "tools/hdasim/core/aggregates.h"
#include "tools/hdasim/core/attributes.h"
#include "tools/hdasim/server/browser.h"
#include "tools/hdasim/server/error_text.h"
#include "tools/hdasim/server/hda_time.h"
#include "tools/hdasim/server/simulation.h"
#include "tools/hdasim/server/task_memory.h"
#include "tools/hdasim/server/variant_value.h"
#include "win/barrier.h"
#include "win/co_task_memory.h"

namespace hdasim {
namespace {

constexpr WORD kMajorVersion = 1;
constexpr WORD kMinorVersion = 0;
constexpr WORD kBuildNumber = 1;

// The connection points of a server object: just the shutdown point.
class ConnectionPointEnumerator final : public ServerObject<IEnumConnectionPoints> {
 public:
  ConnectionPointEnumerator(IConnectionPoint* point, ULONG position)
      : point_(win::ComPtr<IConnectionPoint>::Share(point)), position_(position) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG celt, LPCONNECTIONPOINT* points, ULONG* fetched) override {
    return win::ComBarrier([&]() -> HRESULT {
      if (fetched) *fetched = 0;
      if (!points || (celt > 1 && !fetched)) return E_INVALIDARG;
      ULONG n = 0;
      if (celt > 0 && position_ == 0) {
        point_.CopyTo(&points[0]);
        position_ = 1;
        n = 1;
      }
      if (fetched) *fetched = n;
      return n == celt ? S_OK : S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG celt) override {
    return win::ComBarrier([&]() -> HRESULT {
      const ULONG left = 1 - position_;
      position_ += celt < left ? celt : left;
      return celt <= left ? S_OK : S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    return win::ComBarrier([&]() -> HRESULT {
      position_ = 0;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** out) override {
    return win::ComBarrier([&]() -> HRESULT {
      if (!out) return E_POINTER;
      *out = new ConnectionPointEnumerator(point_.Get(), position_);
      return S_OK;
    });
  }

 private:
  win::ComPtr<IConnectionPoint> point_;
  ULONG position_;
};

HRESULT FilterError(DWORD attribute, int op, const VARIANT& operand, BrowseFilter* filter) {
  switch (CheckFilter(attribute, op)) {
    case FilterCheck::kUnknownAttribute:
      return OPC_E_UNKNOWNATTRID;
    case FilterCheck::kNotFilterable:
      return OPC_W_NOFILTER;
    case FilterCheck::kBadOperator:
      return E_INVALIDARG;
    case FilterCheck::kOk:
      break;
  }
  filter->attribute = attribute;
  filter->op = static_cast<FilterOperator>(op);
  if (!FromVariant(operand, FindAttribute(attribute)->type, &filter->operand))
    return OPC_E_INVALIDDATATYPE;
  return S_OK;
}

}  // namespace

HdaServer::HdaServer(ServerFeatures features)
    : features_(features),
      catalog_(features.items ? TheCatalog() : EmptyCatalog()),
      shutdown_point_(static_cast<IConnectionPointContainer*>(this)) {
  Simulation::Instance().AddServer(this);
}

HdaServer::~HdaServer() { Simulation::Instance().RemoveServer(this); }

bool HdaServer::Supports(const IID& iid) const {
  if (iid == IID_IOPCHDA_SyncUpdate) return features_.sync_update;
  if (iid == IID_IConnectionPointContainer) return features_.connection_points;
  return true;
}

const HdaServer::ItemHandle* HdaServer::Resolve(OPCHANDLE handle) const {
  auto found = handles_.find(handle);
  return found == handles_.end() ? nullptr : &found->second;
}

HRESULT HdaServer::ItemIdError(LPCWSTR id) const {
  if (!id || !IsWellFormedItemId(id)) return OPC_E_INVALIDITEMID;
  if (!catalog_.FindItem(id)) return OPC_E_UNKNOWNITEMID;
  return S_OK;
}

HRESULT HdaServer::GetItemAttributes(DWORD* pdwCount, DWORD** ppdwAttrID, LPWSTR** ppszAttrName,
                                     LPWSTR** ppszAttrDesc, VARTYPE** ppvtAttrDataType) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!pdwCount || !ppdwAttrID || !ppszAttrName || !ppszAttrDesc || !ppvtAttrDataType)
      return E_INVALIDARG;
    *pdwCount = 0;
    *ppdwAttrID = nullptr;
    *ppszAttrName = *ppszAttrDesc = nullptr;
    *ppvtAttrDataType = nullptr;
    const auto& attributes = ItemAttributes();
    TaskArray<DWORD> ids(attributes.size());
    TaskArray<LPWSTR> names(attributes.size()), descriptions(attributes.size());
    TaskArray<VARTYPE> types(attributes.size());
    for (std::size_t i = 0; i < attributes.size(); ++i) {
      ids[i] = attributes[i].id;
      names[i] = TaskString(attributes[i].name);
      descriptions[i] = TaskString(attributes[i].description);
      types[i] = VarTypeOf(attributes[i].type);
    }
    *pdwCount = static_cast<DWORD>(attributes.size());
    *ppdwAttrID = ids.Release();
    *ppszAttrName = names.Release();
    *ppszAttrDesc = descriptions.Release();
    *ppvtAttrDataType = types.Release();
    return S_OK;
  });
}

HRESULT HdaServer::GetAggregates(DWORD* pdwCount, DWORD** ppdwAggrID, LPWSTR** ppszAggrName,
                                 LPWSTR** ppszAggrDesc) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!pdwCount || !ppdwAggrID || !ppszAggrName || !ppszAggrDesc) return E_INVALIDARG;
    *pdwCount = 0;
    *ppdwAggrID = nullptr;
    *ppszAggrName = *ppszAggrDesc = nullptr;
    if (!features_.processed_reads) return S_OK;  // no aggregate: a count of 0, no arrays
    const auto& aggregates = SupportedAggregates();
    TaskArray<DWORD> ids(aggregates.size());
    TaskArray<LPWSTR> names(aggregates.size()), descriptions(aggregates.size());
    for (std::size_t i = 0; i < aggregates.size(); ++i) {
      ids[i] = aggregates[i].id;
      names[i] = TaskString(aggregates[i].name);
      descriptions[i] = TaskString(aggregates[i].description);
    }
    *pdwCount = static_cast<DWORD>(aggregates.size());
    *ppdwAggrID = ids.Release();
    *ppszAggrName = names.Release();
    *ppszAggrDesc = descriptions.Release();
    return S_OK;
  });
}

HRESULT HdaServer::GetHistorianStatus(OPCHDA_SERVERSTATUS* pwStatus, FILETIME** pftCurrentTime,
                                      FILETIME** pftStartTime, WORD* pwMajorVersion,
                                      WORD* pwMinorVersion, WORD* pwBuildNumber,
                                      DWORD* pdwMaxReturnValues, LPWSTR* ppszStatusString,
                                      LPWSTR* ppszVendorInfo) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!pwStatus || !pftCurrentTime || !pftStartTime || !pwMajorVersion || !pwMinorVersion ||
        !pwBuildNumber || !pdwMaxReturnValues || !ppszStatusString || !ppszVendorInfo)
      return E_INVALIDARG;
    *pftCurrentTime = *pftStartTime = nullptr;
    *ppszStatusString = *ppszVendorInfo = nullptr;
    const Simulation& sim = Simulation::Instance();
    TaskArray<FILETIME> now(1), start(1);
    now[0] = FileTimeOf(sim.Now());
    start[0] = FileTimeOf(sim.StartTime());
    win::CoTaskPtr<wchar_t> status(TaskString(L"Running"));
    win::CoTaskPtr<wchar_t> vendor(TaskString(L"Varnel HDA simulation server"));
    *pwStatus = OPCHDA_UP;
    *pwMajorVersion = kMajorVersion;
    *pwMinorVersion = kMinorVersion;
    *pwBuildNumber = kBuildNumber;
    *pdwMaxReturnValues = features_.raw_read_cap ? features_.raw_read_cap : kMaxReturnValues;
    *pftCurrentTime = now.Release();
    *pftStartTime = start.Release();
    *ppszStatusString = status.release();
    *ppszVendorInfo = vendor.release();
    return S_OK;
  });
}

HRESULT HdaServer::GetItemHandles(DWORD dwCount, LPWSTR* pszItemID, OPCHANDLE* phClient,
                                  OPCHANDLE** pphServer, HRESULT** ppErrors) {
  return win::ComBarrier([&]() -> HRESULT {
    if (pphServer) *pphServer = nullptr;
    if (ppErrors) *ppErrors = nullptr;
    if (dwCount == 0 || !pszItemID || !phClient || !pphServer || !ppErrors) return E_INVALIDARG;
    TaskArray<OPCHANDLE> server(dwCount);
    TaskArray<HRESULT> errors(dwCount);
    std::vector<std::pair<OPCHANDLE, ItemHandle>> added;
    for (DWORD i = 0; i < dwCount; ++i) {
      errors[i] = ItemIdError(pszItemID[i]);
      if (errors[i] != S_OK) continue;
      const OPCHANDLE handle = next_handle_++;
      added.emplace_back(handle, ItemHandle{*catalog_.FindItem(pszItemID[i]), phClient[i]});
      server[i] = handle;
    }
    handles_.insert(added.begin(), added.end());
    *pphServer = server.Release();
    const HRESULT result = CallResult(errors);
    *ppErrors = errors.Release();
    return result;
  });
}

HRESULT HdaServer::ReleaseItemHandles(DWORD dwCount, OPCHANDLE* phServer, HRESULT** ppErrors) {
  return win::ComBarrier([&]() -> HRESULT {
    if (ppErrors) *ppErrors = nullptr;
    if (dwCount == 0 || !phServer || !ppErrors) return E_INVALIDARG;
    TaskArray<HRESULT> errors(dwCount);
    for (DWORD i = 0; i < dwCount; ++i)
      errors[i] = handles_.erase(phServer[i]) ? S_OK : OPC_E_INVALIDHANDLE;
    const HRESULT result = CallResult(errors);
    *ppErrors = errors.Release();
    return result;
  });
}

HRESULT HdaServer::ValidateItemIDs(DWORD dwCount, LPWSTR* pszItemID, HRESULT** ppErrors) {
  return win::ComBarrier([&]() -> HRESULT {
    if (ppErrors) *ppErrors = nullptr;
    if (dwCount == 0 || !pszItemID || !ppErrors) return E_INVALIDARG;
    TaskArray<HRESULT> errors(dwCount);
    for (DWORD i = 0; i < dwCount; ++i) errors[i] = ItemIdError(pszItemID[i]);
    const HRESULT result = CallResult(errors);
    *ppErrors = errors.Release();
    return result;
  });
}

HRESULT HdaServer::CreateBrowse(DWORD dwCount, DWORD* pdwAttrID, OPCHDA_OPERATORCODES* pOperator,
                                VARIANT* vFilter, IOPCHDA_Browser** pphBrowser,
                                HRESULT** ppErrors) {
  return win::ComBarrier([&]() -> HRESULT {
    if (pphBrowser) *pphBrowser = nullptr;
    if (ppErrors) *ppErrors = nullptr;
    if (!pphBrowser || !ppErrors || (dwCount > 0 && (!pdwAttrID || !pOperator || !vFilter)))
      return E_INVALIDARG;
    if (features_.create_browse_fault != S_OK) return features_.create_browse_fault;
    TaskArray<HRESULT> errors(dwCount);
    std::vector<BrowseFilter> filters;
    for (DWORD i = 0; i < dwCount; ++i) {
      BrowseFilter filter;
      errors[i] = FilterError(pdwAttrID[i], static_cast<int>(pOperator[i]), vFilter[i], &filter);
      if (errors[i] == S_OK) filters.push_back(std::move(filter));
    }
    *pphBrowser = new Browser(catalog_, std::move(filters), features_.browse_enum_fault);
    const HRESULT result = CallResult(errors);
    *ppErrors = errors.Release();
    return result;
  });
}

HRESULT HdaServer::SetLocaleID(LCID dwLcid) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!IsSupportedLocale(dwLcid)) return E_INVALIDARG;
    locale_ = dwLcid;
    return S_OK;
  });
}

HRESULT HdaServer::GetLocaleID(LCID* pdwLcid) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!pdwLcid) return E_INVALIDARG;
    *pdwLcid = locale_;
    return S_OK;
  });
}

HRESULT HdaServer::QueryAvailableLocaleIDs(DWORD* pdwCount, LCID** pdwLcid) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!pdwCount || !pdwLcid) return E_INVALIDARG;
    *pdwCount = 0;
    *pdwLcid = nullptr;
    const std::vector<LCID>& locales = SupportedLocales();
    TaskArray<LCID> out(locales.size());
    for (std::size_t i = 0; i < locales.size(); ++i) out[i] = locales[i];
    *pdwCount = static_cast<DWORD>(locales.size());
    *pdwLcid = out.Release();
    return S_OK;
  });
}

HRESULT HdaServer::GetErrorString(HRESULT dwError, LPWSTR* ppString) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!ppString) return E_INVALIDARG;
    *ppString = nullptr;
    const std::wstring text = ErrorText(dwError);
    if (text.empty()) return E_INVALIDARG;
    *ppString = TaskString(text);
    return S_OK;
  });
}

HRESULT HdaServer::SetClientName(LPCWSTR szName) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!szName) return E_INVALIDARG;
    client_name_ = szName;
    return S_OK;
  });
}

HRESULT HdaServer::EnumConnectionPoints(IEnumConnectionPoints** ppEnum) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!ppEnum) return E_POINTER;
    *ppEnum = new ConnectionPointEnumerator(&shutdown_point_, 0);
    return S_OK;
  });
}

HRESULT HdaServer::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!ppCP) return E_POINTER;
    *ppCP = nullptr;
    if (riid != IID_IOPCShutdown) return CONNECT_E_NOCONNECTION;
    *ppCP = &shutdown_point_;
    shutdown_point_.AddRef();
    return S_OK;
  });
}

}  // namespace hdasim
