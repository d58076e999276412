#include "tools/hdasim/server/server_list.h"

#include <string>

#include "tools/hdasim/server/task_memory.h"
#include "win/barrier.h"
#include "win/co_task_memory.h"
#include "win/com_ptr.h"
#include "win/guid.h"
#include "win/registry.h"

namespace hdasim {
namespace {

// The classes the component categories manager lists for the categories.
HRESULT ClassesOfCategories(ULONG implemented_count, CATID* implemented, ULONG required_count,
                            CATID* required, std::vector<GUID>* classes) {
  if ((implemented_count > 0 && implemented_count != ULONG(-1) && !implemented) ||
      (required_count > 0 && required_count != ULONG(-1) && !required))
    return E_INVALIDARG;
  win::ComPtr<ICatInformation> categories;
  HRESULT hr = CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ICatInformation, reinterpret_cast<void**>(&categories));
  if (FAILED(hr)) return hr;
  win::ComPtr<IEnumGUID> found;
  hr = categories->EnumClassesOfCategories(implemented_count, implemented, required_count, required,
                                           &found);
  if (FAILED(hr)) return hr;
  GUID guid;
  ULONG fetched = 0;
  while (found->Next(1, &guid, &fetched) == S_OK && fetched == 1) classes->push_back(guid);
  return S_OK;
}

std::wstring RegistryText(const std::wstring& path) {
  return win::ReadRegString(HKEY_CLASSES_ROOT, path, nullptr).value_or(L"");
}

HRESULT ClassDetails(REFCLSID clsid, LPOLESTR* prog_id_out, LPOLESTR* user_type_out,
                     LPOLESTR* independent_out) {
  if (!prog_id_out || !user_type_out) return E_INVALIDARG;
  *prog_id_out = *user_type_out = nullptr;
  if (independent_out) *independent_out = nullptr;
  const std::wstring key = L"CLSID\\" + win::GuidText(clsid);
  if (!win::RegKeyExists(HKEY_CLASSES_ROOT, key)) return REGDB_E_CLASSNOTREG;
  const std::wstring prog_id = RegistryText(key + L"\\ProgID");
  if (prog_id.empty()) return REGDB_E_READREGDB;
  std::wstring independent = RegistryText(key + L"\\VersionIndependentProgID");
  if (independent.empty()) independent = prog_id;
  win::CoTaskPtr<wchar_t> prog(TaskString(prog_id));
  win::CoTaskPtr<wchar_t> user(TaskString(RegistryText(key)));
  win::CoTaskPtr<wchar_t> version_free(TaskString(independent));
  *prog_id_out = prog.release();
  *user_type_out = user.release();
  if (independent_out) *independent_out = version_free.release();
  return S_OK;
}

// The two interfaces differ only in the enumerator interface they hand out.
template <typename Enumerator>
HRESULT EnumerateClasses(ULONG implemented_count, CATID* implemented, ULONG required_count,
                         CATID* required, Enumerator** out) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    std::vector<GUID> classes;
    const HRESULT hr =
        ClassesOfCategories(implemented_count, implemented, required_count, required, &classes);
    if (FAILED(hr)) return hr;
    *out = new GuidEnumerator(std::move(classes));
    return S_OK;
  });
}

template <typename Enumerator>
HRESULT CloneInto(const std::vector<GUID>& guids, std::size_t position, Enumerator** out) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = new GuidEnumerator(guids, position);
    return S_OK;
  });
}

}  // namespace

HRESULT GuidEnumerator::Next(ULONG celt, GUID* rgelt, ULONG* pceltFetched) {
  return win::ComBarrier([&]() -> HRESULT {
    if (pceltFetched) *pceltFetched = 0;
    if (!rgelt || (celt > 1 && !pceltFetched)) return E_INVALIDARG;
    ULONG n = 0;
    for (; n < celt && position_ < guids_.size(); ++n) rgelt[n] = guids_[position_++];
    if (pceltFetched) *pceltFetched = n;
    return n == celt ? S_OK : S_FALSE;
  });
}

HRESULT GuidEnumerator::Skip(ULONG celt) {
  return win::ComBarrier([&]() -> HRESULT {
    const std::size_t left = guids_.size() - position_;
    position_ += celt < left ? celt : left;
    return celt <= left ? S_OK : S_FALSE;
  });
}

HRESULT GuidEnumerator::Reset() {
  return win::ComBarrier([&]() -> HRESULT {
    position_ = 0;
    return S_OK;
  });
}

HRESULT GuidEnumerator::Clone(IOPCEnumGUID** ppenum) {
  return CloneInto(guids_, position_, ppenum);
}

HRESULT GuidEnumerator::Clone(IEnumGUID** ppenum) { return CloneInto(guids_, position_, ppenum); }

HRESULT ServerList::EnumClassesOfCategories(ULONG cImplemented, CATID rgcatidImpl[],
                                            ULONG cRequired, CATID rgcatidReq[],
                                            IOPCEnumGUID** ppenumClsid) {
  return EnumerateClasses(cImplemented, rgcatidImpl, cRequired, rgcatidReq, ppenumClsid);
}

HRESULT ServerList::EnumClassesOfCategories(ULONG cImplemented, CATID rgcatidImpl[],
                                            ULONG cRequired, CATID rgcatidReq[],
                                            IEnumGUID** ppenumClsid) {
  return EnumerateClasses(cImplemented, rgcatidImpl, cRequired, rgcatidReq, ppenumClsid);
}

HRESULT ServerList::GetClassDetails(REFCLSID clsid, LPOLESTR* ppszProgID, LPOLESTR* ppszUserType,
                                    LPOLESTR* ppszVerIndProgID) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!ppszVerIndProgID) return E_INVALIDARG;
    return ClassDetails(clsid, ppszProgID, ppszUserType, ppszVerIndProgID);
  });
}

HRESULT ServerList::GetClassDetails(REFCLSID clsid, LPOLESTR* ppszProgID, LPOLESTR* ppszUserType) {
  return win::ComBarrier(
      [&]() -> HRESULT { return ClassDetails(clsid, ppszProgID, ppszUserType, nullptr); });
}

HRESULT ServerList::CLSIDFromProgID(LPCOLESTR szProgId, LPCLSID clsid) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!szProgId || !clsid) return E_INVALIDARG;
    *clsid = GUID_NULL;
    return ::CLSIDFromProgID(szProgId, clsid);
  });
}

}  // namespace hdasim
