// One OPC HDA server object: what a client gets from CoCreateInstance of one of the simulator's
// classes. The method bodies are spread over hda_server.cpp (IOPCHDA_Server, IOPCCommon,
// connection points), hda_sync_read.cpp and hda_sync_update.cpp.
#pragma once

#include <string>
#include <unordered_map>

#include "opc/opc.h"
#include "tools/hdasim/server/server_object.h"
#include "tools/hdasim/server/shutdown_point.h"

namespace hdasim {

class Catalog;

// Every edit IOPCHDA_SyncUpdate knows.
inline constexpr DWORD kAllUpdateCapabilities = OPCHDA_INSERTCAP | OPCHDA_REPLACECAP |
                                                OPCHDA_INSERTREPLACECAP | OPCHDA_DELETERAWCAP |
                                                OPCHDA_DELETEATTIMECAP;

// What a server class leaves out or gets wrong, so that clients can be tested against thinner
// and faulty servers.
struct ServerFeatures {
  bool sync_update = true;
  bool connection_points = true;
  bool items = true;  // false: an address space without a single item or branch
  // What QueryCapabilities reports; the edits left out answer E_NOTIMPL.
  DWORD update_capabilities = kAllUpdateCapabilities;
  HRESULT create_browse_fault = S_OK;  // not S_OK: CreateBrowse fails with it
  HRESULT browse_enum_fault = S_OK;    // not S_OK: every browser's GetEnum fails with it
  HRESULT create_fault = S_OK;         // not S_OK: the class factory creates nothing
  // Not 0: ReadRaw returns at most this many values per item, whatever count is asked (answering
  // OPC_S_MOREDATA when more exist), and GetHistorianStatus reports it as the limit.
  DWORD raw_read_cap = 0;
  // False: ReadProcessed answers E_NOTIMPL and GetAggregates lists no aggregate.
  bool processed_reads = true;
};

class HdaServer final : public ServerObject<IOPCHDA_Server, IOPCHDA_SyncRead, IOPCHDA_SyncUpdate,
                                            IOPCCommon, IConnectionPointContainer> {
 public:
  explicit HdaServer(ServerFeatures features);
  ~HdaServer() override;

  // IOPCHDA_Server
  HRESULT STDMETHODCALLTYPE GetItemAttributes(DWORD* pdwCount, DWORD** ppdwAttrID,
                                              LPWSTR** ppszAttrName, LPWSTR** ppszAttrDesc,
                                              VARTYPE** ppvtAttrDataType) override;
  HRESULT STDMETHODCALLTYPE GetAggregates(DWORD* pdwCount, DWORD** ppdwAggrID,
                                          LPWSTR** ppszAggrName, LPWSTR** ppszAggrDesc) override;
  HRESULT STDMETHODCALLTYPE GetHistorianStatus(OPCHDA_SERVERSTATUS* pwStatus,
                                               FILETIME** pftCurrentTime, FILETIME** pftStartTime,
                                               WORD* pwMajorVersion, WORD* pwMinorVersion,
                                               WORD* pwBuildNumber, DWORD* pdwMaxReturnValues,
                                               LPWSTR* ppszStatusString,
                                               LPWSTR* ppszVendorInfo) override;
  HRESULT STDMETHODCALLTYPE GetItemHandles(DWORD dwCount, LPWSTR* pszItemID, OPCHANDLE* phClient,
                                           OPCHANDLE** pphServer, HRESULT** ppErrors) override;
  HRESULT STDMETHODCALLTYPE ReleaseItemHandles(DWORD dwCount, OPCHANDLE* phServer,
                                               HRESULT** ppErrors) override;
  HRESULT STDMETHODCALLTYPE ValidateItemIDs(DWORD dwCount, LPWSTR* pszItemID,
                                            HRESULT** ppErrors) override;
  HRESULT STDMETHODCALLTYPE CreateBrowse(DWORD dwCount, DWORD* pdwAttrID,
                                         OPCHDA_OPERATORCODES* pOperator, VARIANT* vFilter,
                                         IOPCHDA_Browser** pphBrowser, HRESULT** ppErrors) override;

  // IOPCHDA_SyncRead
  HRESULT STDMETHODCALLTYPE ReadRaw(OPCHDA_TIME* htStartTime, OPCHDA_TIME* htEndTime,
                                    DWORD dwNumValues, BOOL bBounds, DWORD dwNumItems,
                                    OPCHANDLE* phServer, OPCHDA_ITEM** ppItemValues,
                                    HRESULT** ppErrors) override;
  HRESULT STDMETHODCALLTYPE ReadProcessed(OPCHDA_TIME* htStartTime, OPCHDA_TIME* htEndTime,
                                          FILETIME ftResampleInterval, DWORD dwNumItems,
                                          OPCHANDLE* phServer, DWORD* haAggregate,
                                          OPCHDA_ITEM** ppItemValues, HRESULT** ppErrors) override;
  HRESULT STDMETHODCALLTYPE ReadAtTime(DWORD dwNumTimeStamps, FILETIME* ftTimeStamps,
                                       DWORD dwNumItems, OPCHANDLE* phServer,
                                       OPCHDA_ITEM** ppItemValues, HRESULT** ppErrors) override;
  HRESULT STDMETHODCALLTYPE ReadModified(OPCHDA_TIME* htStartTime, OPCHDA_TIME* htEndTime,
                                         DWORD dwNumValues, DWORD dwNumItems, OPCHANDLE* phServer,
                                         OPCHDA_MODIFIEDITEM** ppItemValues,
                                         HRESULT** ppErrors) override;
  HRESULT STDMETHODCALLTYPE ReadAttribute(OPCHDA_TIME* htStartTime, OPCHDA_TIME* htEndTime,
                                          OPCHANDLE hServer, DWORD dwNumAttributes,
                                          DWORD* pdwAttributeIDs,
                                          OPCHDA_ATTRIBUTE** ppAttributeValues,
                                          HRESULT** ppErrors) override;

  // IOPCHDA_SyncUpdate
  HRESULT STDMETHODCALLTYPE QueryCapabilities(OPCHDA_UPDATECAPABILITIES* pCapabilities) override;
  HRESULT STDMETHODCALLTYPE Insert(DWORD dwNumItems, OPCHANDLE* phServer, FILETIME* ftTimeStamps,
                                   VARIANT* vDataValues, DWORD* pdwQualities,
                                   HRESULT** ppErrors) override;
  HRESULT STDMETHODCALLTYPE Replace(DWORD dwNumItems, OPCHANDLE* phServer, FILETIME* ftTimeStamps,
                                    VARIANT* vDataValues, DWORD* pdwQualities,
                                    HRESULT** ppErrors) override;
  HRESULT STDMETHODCALLTYPE InsertReplace(DWORD dwNumItems, OPCHANDLE* phServer,
                                          FILETIME* ftTimeStamps, VARIANT* vDataValues,
                                          DWORD* pdwQualities, HRESULT** ppErrors) override;
  HRESULT STDMETHODCALLTYPE DeleteRaw(OPCHDA_TIME* htStartTime, OPCHDA_TIME* htEndTime,
                                      DWORD dwNumItems, OPCHANDLE* phServer,
                                      HRESULT** ppErrors) override;
  HRESULT STDMETHODCALLTYPE DeleteAtTime(DWORD dwNumItems, OPCHANDLE* phServer,
                                         FILETIME* ftTimeStamps, HRESULT** ppErrors) override;

  // IOPCCommon
  HRESULT STDMETHODCALLTYPE SetLocaleID(LCID dwLcid) override;
  HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* pdwLcid) override;
  HRESULT STDMETHODCALLTYPE QueryAvailableLocaleIDs(DWORD* pdwCount, LCID** pdwLcid) override;
  HRESULT STDMETHODCALLTYPE GetErrorString(HRESULT dwError, LPWSTR* ppString) override;
  HRESULT STDMETHODCALLTYPE SetClientName(LPCWSTR szName) override;

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;

  ShutdownPoint& Shutdown() { return shutdown_point_; }
  enum class WriteKind { kInsert, kReplace, kInsertReplace };
  const ServerFeatures& Features() const { return features_; }

 private:
  bool Supports(const IID& iid) const override;

  struct ItemHandle {
    int item = -1;
    OPCHANDLE client = 0;
  };
  // Null for a handle this object never gave out or has released.
  const ItemHandle* Resolve(OPCHANDLE handle) const;
  HRESULT ItemIdError(LPCWSTR id) const;
  bool Can(DWORD update_capability) const {
    return (features_.update_capabilities & update_capability) != 0;
  }

  HRESULT Write(WriteKind kind, DWORD count, const OPCHANDLE* handles, const FILETIME* times,
                const VARIANT* values, const DWORD* qualities, HRESULT** errors);
  HRESULT WriteOne(WriteKind kind, OPCHANDLE handle, const FILETIME& time, const VARIANT& value,
                   DWORD quality, bool* shutdown);

  ServerFeatures features_;
  const Catalog& catalog_;
  ShutdownPoint shutdown_point_;
  std::unordered_map<OPCHANDLE, ItemHandle> handles_;
  OPCHANDLE next_handle_ = 1;
  LCID locale_ = LOCALE_SYSTEM_DEFAULT;
  std::wstring client_name_;
};

}  // namespace hdasim
