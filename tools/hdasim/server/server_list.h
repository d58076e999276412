// The OPC server-list class: lets clients find OPC HDA servers by category, also from another
// machine, and turns ProgIDs into CLSIDs.
#pragma once

#include <comcat.h>

#include <vector>

#include "opc/opc.h"
#include "tools/hdasim/server/server_object.h"

namespace hdasim {

// IEnumGUID and IOPCEnumGUID over a fixed list of class IDs.
class GuidEnumerator final : public ServerObject<IOPCEnumGUID, IEnumGUID> {
 public:
  explicit GuidEnumerator(std::vector<GUID> guids, std::size_t position = 0)
      : guids_(std::move(guids)), position_(position) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG celt, GUID* rgelt, ULONG* pceltFetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG celt) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IOPCEnumGUID** ppenum) override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumGUID** ppenum) override;

 private:
  std::vector<GUID> guids_;
  std::size_t position_;
};

class ServerList final : public ServerObject<IOPCServerList2, IOPCServerList> {
 public:
  // IOPCServerList2
  HRESULT STDMETHODCALLTYPE EnumClassesOfCategories(ULONG cImplemented, CATID rgcatidImpl[],
                                                    ULONG cRequired, CATID rgcatidReq[],
                                                    IOPCEnumGUID** ppenumClsid) override;
  HRESULT STDMETHODCALLTYPE GetClassDetails(REFCLSID clsid, LPOLESTR* ppszProgID,
                                            LPOLESTR* ppszUserType,
                                            LPOLESTR* ppszVerIndProgID) override;
  // Both interfaces
  HRESULT STDMETHODCALLTYPE CLSIDFromProgID(LPCOLESTR szProgId, LPCLSID clsid) override;
  // IOPCServerList
  HRESULT STDMETHODCALLTYPE EnumClassesOfCategories(ULONG cImplemented, CATID rgcatidImpl[],
                                                    ULONG cRequired, CATID rgcatidReq[],
                                                    IEnumGUID** ppenumClsid) override;
  HRESULT STDMETHODCALLTYPE GetClassDetails(REFCLSID clsid, LPOLESTR* ppszProgID,
                                            LPOLESTR* ppszUserType) override;
};

}  // namespace hdasim
