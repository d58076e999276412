// IOPCHDA_SyncRead of the server object.
#include <algorithm>
#include <optional>
#include <vector>

#include "tools/hdasim/core/aggregates.h"
#include "tools/hdasim/core/attributes.h"
#include "tools/hdasim/core/modified_read.h"
#include "tools/hdasim/core/raw_read.h"
#include "tools/hdasim/server/hda_server.h"
#include "tools/hdasim/server/hda_time.h"
#include "tools/hdasim/server/simulation.h"
#include "win/private_bytes.h"
#include "tools/hdasim/server/task_memory.h"
#include "tools/hdasim/server/variant_value.h"
#include "win/barrier.h"

namespace hdasim {
namespace {

HRESULT ReadFault(const ItemDefinition& item) {
  switch (item.fault) {
    case Fault::kReadFails:
      return E_FAIL;
    case Fault::kAccessDenied:
      return OPC_E_BADRIGHTS;
    default:
      return S_OK;
  }
}

HRESULT StatusCode(ReadStatus status) {
  switch (status) {
    case ReadStatus::kOk:
      return S_OK;
    case ReadStatus::kNoData:
      return OPC_S_NODATA;
    case ReadStatus::kMoreData:
      return OPC_S_MOREDATA;
  }
  return E_FAIL;
}

// What a diagnostic control reports at any time; nothing for the other items.
std::optional<double> DiagnosticValue(const ItemDefinition& item) {
  switch (item.control) {
    case Control::kPrivateBytes:
      return static_cast<double>(win::PrivateBytes());
    case Control::kServerObjects:
      return static_cast<double>(Simulation::Instance().Servers().size());
    default:
      return std::nullopt;
  }
}

// Slow items make the whole call wait, once, for the longest of their delays.
void WaitForSlowItems(const std::vector<const ItemDefinition*>& items) {
  DWORD delay = 0;
  for (const ItemDefinition* item : items)
    if (item && item->fault == Fault::kSlow) delay = std::max<DWORD>(delay, item->fault_delay_ms);
  if (delay) Sleep(delay);
}

void FillItem(OPCHDA_ITEM& out, const std::vector<Sample>& samples) {
  if (samples.empty()) return;
  TaskArray<FILETIME> times(samples.size());
  TaskArray<DWORD> qualities(samples.size());
  TaskArray<VARIANT> values(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i) {
    times[i] = FileTimeOf(samples[i].time);
    qualities[i] = samples[i].quality;
    ToVariant(samples[i].value, &values[i]);
  }
  out.dwCount = static_cast<DWORD>(samples.size());
  out.pftTimeStamps = times.Release();
  out.pdwQualities = qualities.Release();
  out.pvDataValues = values.Release();
}

// The arguments the raw and the modified reads share: both times, the direction and the count.
struct RawReadRequest {
  ResolvedArgument start;
  ResolvedArgument end;
  ReadDomain domain;
  std::uint32_t limit = 0;
};

// The opening of the raw and the modified reads: both out pointers cleared, the arguments
// checked and resolved. S_OK with the request filled in, or the failure code of the whole call.
// A cap (not 0) takes any count and returns at most that many values.
template <typename ItemValues>
HRESULT BeginRawRead(const OPCHDA_TIME* startTime, const OPCHDA_TIME* endTime, DWORD numValues,
                     DWORD numItems, const OPCHANDLE* serverHandles, ItemValues** itemValues,
                     HRESULT** errors, Ticks now, DWORD cap, RawReadRequest& request) {
  if (itemValues) *itemValues = nullptr;
  if (errors) *errors = nullptr;
  if (!startTime || !endTime || numItems == 0 || !serverHandles || !itemValues || !errors)
    return E_INVALIDARG;
  request.start = ResolveTimeArgument(*startTime, now);
  request.end = ResolveTimeArgument(*endTime, now);
  if (!request.start.valid || !request.end.valid) return E_INVALIDARG;
  if (cap == 0 && numValues > kMaxReturnValues) return OPC_E_MAXEXCEEDED;
  const std::optional<ReadDomain> domain =
      MakeReadDomain(request.start.ticks, request.end.ticks, numValues);
  if (!domain) return E_INVALIDARG;
  request.domain = *domain;
  request.limit = numValues ? numValues : kMaxReturnValues;
  if (cap != 0) request.limit = std::min<std::uint32_t>(request.limit, cap);
  return S_OK;
}

}  // namespace

HRESULT HdaServer::ReadRaw(OPCHDA_TIME* htStartTime, OPCHDA_TIME* htEndTime, DWORD dwNumValues,
                           BOOL bBounds, DWORD dwNumItems, OPCHANDLE* phServer,
                           OPCHDA_ITEM** ppItemValues, HRESULT** ppErrors) {
  return win::ComBarrier([&]() -> HRESULT {
    Simulation& sim = Simulation::Instance();
    const Ticks now = sim.Now();
    RawReadRequest request;
    if (const HRESULT hr =
            BeginRawRead(htStartTime, htEndTime, dwNumValues, dwNumItems, phServer, ppItemValues,
                         ppErrors, now, features_.raw_read_cap, request);
        FAILED(hr))
      return hr;

    TaskArray<OPCHDA_ITEM> items(dwNumItems);
    TaskArray<HRESULT> errors(dwNumItems);
    std::vector<const ItemDefinition*> definitions(dwNumItems, nullptr);
    for (DWORD i = 0; i < dwNumItems; ++i)
      if (const ItemHandle* handle = Resolve(phServer[i]))
        definitions[i] = &catalog_.Item(handle->item);
    WaitForSlowItems(definitions);

    for (DWORD i = 0; i < dwNumItems; ++i) {
      const ItemHandle* handle = Resolve(phServer[i]);
      items[i].haAggregate = OPCHDA_NOAGGREGATE;
      if (!handle) {
        errors[i] = OPC_E_INVALIDHANDLE;
        continue;
      }
      items[i].hClient = handle->client;
      const ItemDefinition& item = *definitions[i];
      if ((errors[i] = ReadFault(item)) != S_OK) continue;
      const ItemHistory history(item, sim.FindOverlay(handle->item), now);
      const RawResult raw =
          hdasim::ReadRaw(history, request.domain, bBounds != FALSE, request.limit);
      FillItem(items[i], raw.samples);
      errors[i] = StatusCode(raw.status);
    }
    WriteBack(htStartTime, request.start);
    WriteBack(htEndTime, request.end);
    const HRESULT result = CallResult(errors);
    *ppItemValues = items.Release();
    *ppErrors = errors.Release();
    return result;
  });
}

HRESULT HdaServer::ReadProcessed(OPCHDA_TIME* htStartTime, OPCHDA_TIME* htEndTime,
                                 FILETIME ftResampleInterval, DWORD dwNumItems, OPCHANDLE* phServer,
                                 DWORD* haAggregate, OPCHDA_ITEM** ppItemValues,
                                 HRESULT** ppErrors) {
  return win::ComBarrier([&]() -> HRESULT {
    if (ppItemValues) *ppItemValues = nullptr;
    if (ppErrors) *ppErrors = nullptr;
    if (!features_.processed_reads) return E_NOTIMPL;
    if (!htStartTime || !htEndTime || dwNumItems == 0 || !phServer || !haAggregate ||
        !ppItemValues || !ppErrors)
      return E_INVALIDARG;
    Simulation& sim = Simulation::Instance();
    const Ticks now = sim.Now();
    const ResolvedArgument start = ResolveTimeArgument(*htStartTime, now);
    const ResolvedArgument end = ResolveTimeArgument(*htEndTime, now);
    if (!start.valid || !end.valid || !start.ticks || !end.ticks ||
        !IsValidFileTime(ftResampleInterval))
      return E_INVALIDARG;
    std::vector<AggregateInterval> intervals;
    switch (MakeIntervals(*start.ticks, *end.ticks, TicksOf(ftResampleInterval), kMaxReturnValues,
                          &intervals)) {
      case IntervalError::kEmptySpan:
        return E_INVALIDARG;
      case IntervalError::kTooMany:
        return OPC_E_MAXEXCEEDED;
      case IntervalError::kNone:
        break;
    }

    const Ticks span =
        *start.ticks > *end.ticks ? *start.ticks - *end.ticks : *end.ticks - *start.ticks;
    std::vector<const ItemDefinition*> definitions(dwNumItems, nullptr);
    for (DWORD i = 0; i < dwNumItems; ++i) {
      const ItemHandle* handle = Resolve(phServer[i]);
      if (!handle) continue;
      definitions[i] = &catalog_.Item(handle->item);
      // Refuse work that would keep the server busy for many seconds.
      if (haAggregate[i] != kAggInterpolative &&
          EstimatedSamples(*definitions[i], span) > kMaxProcessedSamples)
        return OPC_E_MAXEXCEEDED;
    }
    WaitForSlowItems(definitions);

    TaskArray<OPCHDA_ITEM> items(dwNumItems);
    TaskArray<HRESULT> errors(dwNumItems);
    for (DWORD i = 0; i < dwNumItems; ++i) {
      const ItemHandle* handle = Resolve(phServer[i]);
      items[i].haAggregate = haAggregate[i];
      if (!handle) {
        errors[i] = OPC_E_INVALIDHANDLE;
        continue;
      }
      items[i].hClient = handle->client;
      const ItemDefinition& item = *definitions[i];
      if ((errors[i] = ReadFault(item)) != S_OK) continue;
      if (!IsSupportedAggregate(haAggregate[i])) {
        errors[i] = OPC_E_INVALIDAGGREGATE;
        continue;
      }
      if (!IsAggregateAvailable(item, haAggregate[i])) {
        errors[i] = OPC_E_NOT_AVAIL;
        continue;
      }
      const ItemHistory history(item, sim.FindOverlay(handle->item), now);
      const ProcessedResult processed = hdasim::ReadProcessed(history, haAggregate[i], intervals);
      FillItem(items[i], processed.values);
      errors[i] = processed.status == AggregateStatus::kNoData      ? OPC_S_NODATA
                  : processed.status == AggregateStatus::kExtraData ? OPC_S_EXTRADATA
                                                                    : S_OK;
    }
    WriteBack(htStartTime, start);
    WriteBack(htEndTime, end);
    const HRESULT result = CallResult(errors);
    *ppItemValues = items.Release();
    *ppErrors = errors.Release();
    return result;
  });
}

HRESULT HdaServer::ReadAtTime(DWORD dwNumTimeStamps, FILETIME* ftTimeStamps, DWORD dwNumItems,
                              OPCHANDLE* phServer, OPCHDA_ITEM** ppItemValues, HRESULT** ppErrors) {
  return win::ComBarrier([&]() -> HRESULT {
    if (ppItemValues) *ppItemValues = nullptr;
    if (ppErrors) *ppErrors = nullptr;
    if (dwNumTimeStamps == 0 || !ftTimeStamps || dwNumItems == 0 || !phServer || !ppItemValues ||
        !ppErrors)
      return E_INVALIDARG;
    if (dwNumTimeStamps > kMaxReturnValues) return OPC_E_MAXEXCEEDED;
    for (DWORD t = 0; t < dwNumTimeStamps; ++t)
      if (!IsValidFileTime(ftTimeStamps[t])) return E_INVALIDARG;
    Simulation& sim = Simulation::Instance();
    const Ticks now = sim.Now();

    std::vector<const ItemDefinition*> definitions(dwNumItems, nullptr);
    for (DWORD i = 0; i < dwNumItems; ++i)
      if (const ItemHandle* handle = Resolve(phServer[i]))
        definitions[i] = &catalog_.Item(handle->item);
    WaitForSlowItems(definitions);

    TaskArray<OPCHDA_ITEM> items(dwNumItems);
    TaskArray<HRESULT> errors(dwNumItems);
    for (DWORD i = 0; i < dwNumItems; ++i) {
      const ItemHandle* handle = Resolve(phServer[i]);
      items[i].haAggregate = OPCHDA_NOAGGREGATE;
      if (!handle) {
        errors[i] = OPC_E_INVALIDHANDLE;
        continue;
      }
      items[i].hClient = handle->client;
      if ((errors[i] = ReadFault(*definitions[i])) != S_OK) continue;
      const ItemHistory history(*definitions[i], sim.FindOverlay(handle->item), now);
      std::vector<Sample> values;
      values.reserve(dwNumTimeStamps);
      bool any = false;
      for (DWORD t = 0; t < dwNumTimeStamps; ++t) {
        if (const std::optional<double> diagnostic = DiagnosticValue(*definitions[i])) {
          values.push_back(Sample{TicksOf(ftTimeStamps[t]),
                                  Value::Number(ValueKind::kR8, *diagnostic), kDaGood});
        } else {
          values.push_back(ValueAtTime(history, TicksOf(ftTimeStamps[t])));
        }
        any |= (values.back().quality & OPCHDA_NODATA) == 0;
      }
      FillItem(items[i], values);
      errors[i] = any ? S_OK : OPC_S_NODATA;
    }
    const HRESULT result = CallResult(errors);
    *ppItemValues = items.Release();
    *ppErrors = errors.Release();
    return result;
  });
}

HRESULT HdaServer::ReadModified(OPCHDA_TIME* htStartTime, OPCHDA_TIME* htEndTime, DWORD dwNumValues,
                                DWORD dwNumItems, OPCHANDLE* phServer,
                                OPCHDA_MODIFIEDITEM** ppItemValues, HRESULT** ppErrors) {
  return win::ComBarrier([&]() -> HRESULT {
    Simulation& sim = Simulation::Instance();
    const Ticks now = sim.Now();
    RawReadRequest request;
    if (const HRESULT hr = BeginRawRead(htStartTime, htEndTime, dwNumValues, dwNumItems, phServer,
                                        ppItemValues, ppErrors, now, 0, request);
        FAILED(hr))
      return hr;

    TaskArray<OPCHDA_MODIFIEDITEM> items(dwNumItems);
    TaskArray<HRESULT> errors(dwNumItems);
    for (DWORD i = 0; i < dwNumItems; ++i) {
      const ItemHandle* handle = Resolve(phServer[i]);
      if (!handle) {
        errors[i] = OPC_E_INVALIDHANDLE;
        continue;
      }
      items[i].hClient = handle->client;
      const ItemDefinition& item = catalog_.Item(handle->item);
      if ((errors[i] = ReadFault(item)) != S_OK) continue;
      const ModifiedResult modified =
          hdasim::ReadModified(item, sim.FindOverlay(handle->item), request.domain, request.limit);
      errors[i] = StatusCode(modified.status);
      const std::size_t n = modified.entries.size();
      if (n == 0) continue;
      TaskArray<FILETIME> times(n), modified_at(n);
      TaskArray<DWORD> qualities(n);
      TaskArray<VARIANT> values(n);
      TaskArray<OPCHDA_EDITTYPE> edits(n);
      TaskArray<LPWSTR> users(n);
      for (std::size_t k = 0; k < n; ++k) {
        const ModifiedEntry& entry = modified.entries[k];
        times[k] = FileTimeOf(entry.old.time);
        qualities[k] = entry.old.quality;
        ToVariant(entry.old.value, &values[k]);
        modified_at[k] = FileTimeOf(entry.modified_at);
        edits[k] = static_cast<OPCHDA_EDITTYPE>(entry.edit);
        users[k] = TaskString(entry.user);
      }
      OPCHDA_MODIFIEDITEM& out = items[i];
      out.dwCount = static_cast<DWORD>(n);
      out.pftTimeStamps = times.Release();
      out.pdwQualities = qualities.Release();
      out.pvDataValues = values.Release();
      out.pftModificationTime = modified_at.Release();
      out.pEditType = edits.Release();
      out.szUser = users.Release();
    }
    WriteBack(htStartTime, request.start);
    WriteBack(htEndTime, request.end);
    const HRESULT result = CallResult(errors);
    *ppItemValues = items.Release();
    *ppErrors = errors.Release();
    return result;
  });
}

HRESULT HdaServer::ReadAttribute(OPCHDA_TIME* htStartTime, OPCHDA_TIME* htEndTime,
                                 OPCHANDLE hServer, DWORD dwNumAttributes, DWORD* pdwAttributeIDs,
                                 OPCHDA_ATTRIBUTE** ppAttributeValues, HRESULT** ppErrors) {
  return win::ComBarrier([&]() -> HRESULT {
    if (ppAttributeValues) *ppAttributeValues = nullptr;
    if (ppErrors) *ppErrors = nullptr;
    if (!htStartTime || !htEndTime || dwNumAttributes == 0 || !pdwAttributeIDs ||
        !ppAttributeValues || !ppErrors)
      return E_INVALIDARG;
    const ItemHandle* handle = Resolve(hServer);
    if (!handle) return OPC_E_INVALIDHANDLE;
    Simulation& sim = Simulation::Instance();
    const Ticks now = sim.Now();
    const ResolvedArgument start = ResolveTimeArgument(*htStartTime, now);
    const ResolvedArgument end = ResolveTimeArgument(*htEndTime, now);
    if (!start.valid || !end.valid || !start.ticks) return E_INVALIDARG;

    // Attributes never change, so their history is one value, stamped with the start time.
    const ItemDefinition& item = catalog_.Item(handle->item);
    TaskArray<OPCHDA_ATTRIBUTE> attributes(dwNumAttributes);
    TaskArray<HRESULT> errors(dwNumAttributes);
    for (DWORD i = 0; i < dwNumAttributes; ++i) {
      OPCHDA_ATTRIBUTE& out = attributes[i];
      out.hClient = handle->client;
      out.dwAttributeID = pdwAttributeIDs[i];
      const std::optional<Value> value = AttributeValue(item, pdwAttributeIDs[i], sim.NodeName());
      if (!value) {
        errors[i] = OPC_E_INVALIDATTRID;
        continue;
      }
      TaskArray<FILETIME> times(1);
      TaskArray<VARIANT> values(1);
      times[0] = FileTimeOf(*start.ticks);
      ToVariant(*value, &values[0]);
      out.dwNumValues = 1;
      out.ftTimeStamps = times.Release();
      out.vAttributeValues = values.Release();
      errors[i] = S_OK;
    }
    WriteBack(htStartTime, start);
    WriteBack(htEndTime, end);
    const HRESULT result = CallResult(errors);
    *ppAttributeValues = attributes.Release();
    *ppErrors = errors.Release();
    return result;
  });
}

}  // namespace hdasim
