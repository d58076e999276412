// Browsing item IDs, item handles, and the attribute and aggregate lists of a session.
#include <windows.h>

#include "ambrel/hda_server.h"
#include "ambrel/report.h"
#include "ambrel/text_conversion.h"
#include "win/co_task_memory.h"
#include "win/variant.h"

namespace ambrel {

DWORD HDASvr::Browse() {
  item_names_.clear();
  if (!history_server_ || !Answers()) return 0;

  // Every item ID matches "*": the whole server, whatever the server's filtering supports.
  DWORD attribute = OPCHDA_ITEMID;
  OPCHDA_OPERATORCODES op = OPCHDA_EQUAL;
  win::Variant filter(L"*");

  win::ComPtr<IOPCHDA_Browser> browser;
  win::CoTaskPtr<HRESULT> filter_errors;
  HRESULT* filter_errors_raw = nullptr;
  HRESULT hr =
      history_server_->CreateBrowse(1, &attribute, &op, filter.In(), &browser, &filter_errors_raw);
  filter_errors.reset(filter_errors_raw);
  if (FAILED(hr) || !browser) {
    CheckServer(hr);
    ReportError(hr, "HDASvr::Create Browse Failed!");
    return 0;
  }

  win::ComPtr<IEnumString> names;
  hr = browser->GetEnum(OPCHDA_FLAT, &names);
  if (FAILED(hr)) {
    CheckServer(hr);
    ReportError(hr, "pBrowser->GetEnum Failed!");
    return 0;
  }
  if (!names) return 0;

  // Many names a call: each call is a round trip to the server's process (one name a call made
  // a browse of 5000 items take seconds). The last batch comes with S_FALSE.
  constexpr ULONG kBatch = 512;
  LPOLESTR batch[kBatch];
  for (;;) {
    ULONG fetched = 0;
    hr = names->Next(kBatch, batch, &fetched);
    if (FAILED(hr)) {
      CheckServer(hr);
      break;
    }
    if (fetched > kBatch) fetched = kBatch;  // a server's count is not trusted beyond the array
    for (ULONG i = 0; i < fetched; ++i) {
      win::CoTaskPtr<wchar_t> owned(batch[i]);
      if (batch[i]) item_names_.push_back(NarrowAnsi(batch[i]));
    }
    if (hr != S_OK || fetched == 0) break;
  }
  return static_cast<DWORD>(item_names_.size());
}

BOOL HDASvr::ItemName(DWORD index, char* buffer, DWORD length) const {
  if (index >= item_names_.size()) return FALSE;
  CopyToBuffer(item_names_[index], buffer, length);
  return TRUE;
}

DWORD HDASvr::ItemHandle(const char* item_id, DWORD client_handle) {
  if (!history_server_ || !Answers()) return AMBREL_NO_ITEM;
  std::wstring wide = WidenBytes(item_id);
  LPWSTR ids[1] = {wide.data()};
  OPCHANDLE client = client_handle;
  OPCHANDLE* server_handles = nullptr;
  HRESULT* errors = nullptr;
  const HRESULT hr = history_server_->GetItemHandles(1, ids, &client, &server_handles, &errors);
  win::CoTaskPtr<OPCHANDLE> owned_handles(server_handles);
  win::CoTaskPtr<HRESULT> owned_errors(errors);
  if (FAILED(hr) || !server_handles) {
    CheckServer(hr);
    return AMBREL_NO_ITEM;
  }
  if (errors && errors[0] != S_OK) return AMBREL_NO_ITEM;
  return server_handles[0];
}

BOOL HDASvr::ReleaseItemHandle(DWORD item_handle) {
  if (!history_server_ || !Answers()) return FALSE;
  OPCHANDLE handle = item_handle;
  HRESULT* errors = nullptr;
  const HRESULT hr = history_server_->ReleaseItemHandles(1, &handle, &errors);
  win::CoTaskPtr<HRESULT> owned_errors(errors);
  if (FAILED(hr)) CheckServer(hr);
  if (FAILED(hr) || !errors) return FALSE;
  return errors[0] == S_OK ? TRUE : FALSE;
}

DWORD HDASvr::LoadAttributes() {
  attributes_.clear();
  if (!history_server_ || !Answers()) return 0;
  DWORD count = 0;
  DWORD* ids = nullptr;
  win::CoTaskStringArray names;
  win::CoTaskStringArray descriptions;
  VARTYPE* types = nullptr;
  const HRESULT hr =
      history_server_->GetItemAttributes(&count, &ids, names.Slot(), descriptions.Slot(), &types);
  win::CoTaskPtr<DWORD> owned_ids(ids);
  win::CoTaskPtr<VARTYPE> owned_types(types);
  names.SetCount(count);
  descriptions.SetCount(count);
  if (FAILED(hr)) CheckServer(hr);
  if (hr != S_OK || !ids) return 0;
  attributes_.reserve(count);
  for (DWORD i = 0; i < count; ++i) {
    attributes_.push_back({ids[i], NarrowAnsi(names.At(i)), NarrowAnsi(descriptions.At(i)),
                           types ? types[i] : static_cast<VARTYPE>(VT_EMPTY)});
  }
  return static_cast<DWORD>(attributes_.size());
}

BOOL HDASvr::Attribute(DWORD index, DWORD* id, VARTYPE* data_type, char* name, DWORD name_length,
                       char* description, DWORD description_length) const {
  if (index >= attributes_.size()) return FALSE;
  const AttributeEntry& entry = attributes_[index];
  if (id) *id = entry.id;
  if (data_type) *data_type = entry.data_type;
  CopyToBuffer(entry.name, name, name_length);
  CopyToBuffer(entry.description, description, description_length);
  return TRUE;
}

DWORD HDASvr::LoadAggregates() {
  aggregates_.clear();
  if (!history_server_ || !Answers()) return 0;
  DWORD count = 0;
  DWORD* ids = nullptr;
  win::CoTaskStringArray names;
  win::CoTaskStringArray descriptions;
  const HRESULT hr =
      history_server_->GetAggregates(&count, &ids, names.Slot(), descriptions.Slot());
  win::CoTaskPtr<DWORD> owned_ids(ids);
  names.SetCount(count);
  descriptions.SetCount(count);
  if (FAILED(hr)) CheckServer(hr);
  if (hr != S_OK || !ids) return 0;
  aggregates_.reserve(count);
  for (DWORD i = 0; i < count; ++i) {
    aggregates_.push_back({ids[i], NarrowAnsi(names.At(i)), NarrowAnsi(descriptions.At(i))});
  }
  return static_cast<DWORD>(aggregates_.size());
}

BOOL HDASvr::Aggregate(DWORD index, DWORD* id, char* name, DWORD name_length, char* description,
                       DWORD description_length) const {
  if (index >= aggregates_.size()) return FALSE;
  const AggregateEntry& entry = aggregates_[index];
  if (id) *id = entry.id;
  CopyToBuffer(entry.name, name, name_length);
  CopyToBuffer(entry.description, description, description_length);
  return TRUE;
}

}  // namespace ambrel
