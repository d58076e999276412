// IOPCHDA_SyncUpdate of the server object; writing a control item acts on the server instead.
#include "tools/hdasim/core/editing.h"
#include "tools/hdasim/server/hda_server.h"
#include "tools/hdasim/server/hda_time.h"
#include "tools/hdasim/server/simulation.h"
#include "tools/hdasim/server/task_memory.h"
#include "tools/hdasim/server/variant_value.h"
#include "win/barrier.h"

namespace hdasim {
namespace {

bool MayWrite(const ItemDefinition& item) {
  return item.writable && item.fault != Fault::kAccessDenied;
}

DWORD Capability(HdaServer::WriteKind kind) {
  switch (kind) {
    case HdaServer::WriteKind::kInsert:
      return OPCHDA_INSERTCAP;
    case HdaServer::WriteKind::kReplace:
      return OPCHDA_REPLACECAP;
    case HdaServer::WriteKind::kInsertReplace:
      return OPCHDA_INSERTREPLACECAP;
  }
  return 0;
}

}  // namespace

HRESULT HdaServer::QueryCapabilities(OPCHDA_UPDATECAPABILITIES* pCapabilities) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!pCapabilities) return E_INVALIDARG;
    *pCapabilities = static_cast<OPCHDA_UPDATECAPABILITIES>(features_.update_capabilities);
    return S_OK;
  });
}

HRESULT HdaServer::WriteOne(WriteKind kind, OPCHANDLE handle, const FILETIME& time,
                            const VARIANT& value, DWORD quality, bool* shutdown) {
  const ItemHandle* resolved = Resolve(handle);
  if (!resolved) return OPC_E_INVALIDHANDLE;
  const ItemDefinition& item = catalog_.Item(resolved->item);
  if (!MayWrite(item)) return OPC_E_BADRIGHTS;
  Simulation& sim = Simulation::Instance();
  switch (item.control) {
    case Control::kShutdown:
      *shutdown = true;
      return S_OK;
    case Control::kReset:
      sim.ResetOverlays();
      return S_OK;
    case Control::kPrivateBytes:  // diagnostics are not writable
    case Control::kServerObjects:
    case Control::kNone:
      break;
  }
  // Qualities written are DA qualities; the HDA flags are the server's to set.
  if (!IsValidFileTime(time) || (quality & ~kDaQualityMask) != 0) return E_INVALIDARG;
  Sample sample;
  sample.time = TicksOf(time);
  sample.quality = quality;
  if (!FromVariant(value, item.type, &sample.value)) return E_INVALIDARG;
  if (const std::optional<double> x = NumericValue(sample.value);
      x && (*x < item.wave.low || *x > item.wave.high))
    return E_INVALIDARG;

  Overlay& overlay = sim.OverlayFor(resolved->item);
  const Ticks now = sim.Now();
  switch (kind) {
    case WriteKind::kInsert:
      return InsertValue(item, overlay, now, sample) == WriteOutcome::kInserted ? S_OK
                                                                                : OPC_E_DATAEXISTS;
    case WriteKind::kReplace:
      return ReplaceValue(item, overlay, now, sample, client_name_) == WriteOutcome::kReplaced
                 ? S_OK
                 : OPC_E_NODATAEXISTS;
    case WriteKind::kInsertReplace:
      return InsertOrReplaceValue(item, overlay, now, sample, client_name_) ==
                     WriteOutcome::kInserted
                 ? OPC_S_INSERTED
                 : OPC_S_REPLACED;
  }
  return E_FAIL;
}

HRESULT HdaServer::Write(WriteKind kind, DWORD count, const OPCHANDLE* handles,
                         const FILETIME* times, const VARIANT* values, const DWORD* qualities,
                         HRESULT** errors_out) {
  return win::ComBarrier([&]() -> HRESULT {
    if (errors_out) *errors_out = nullptr;
    if (!Can(Capability(kind))) return E_NOTIMPL;
    if (count == 0 || !handles || !times || !values || !qualities || !errors_out)
      return E_INVALIDARG;
    TaskArray<HRESULT> errors(count);
    bool shutdown = false;
    for (DWORD i = 0; i < count; ++i)
      errors[i] = WriteOne(kind, handles[i], times[i], values[i], qualities[i], &shutdown);
    const HRESULT result = CallResult(errors);
    *errors_out = errors.Release();
    if (shutdown) Simulation::Instance().RequestShutdown();
    return result;
  });
}

HRESULT HdaServer::Insert(DWORD dwNumItems, OPCHANDLE* phServer, FILETIME* ftTimeStamps,
                          VARIANT* vDataValues, DWORD* pdwQualities, HRESULT** ppErrors) {
  return Write(WriteKind::kInsert, dwNumItems, phServer, ftTimeStamps, vDataValues, pdwQualities,
               ppErrors);
}

HRESULT HdaServer::Replace(DWORD dwNumItems, OPCHANDLE* phServer, FILETIME* ftTimeStamps,
                           VARIANT* vDataValues, DWORD* pdwQualities, HRESULT** ppErrors) {
  return Write(WriteKind::kReplace, dwNumItems, phServer, ftTimeStamps, vDataValues, pdwQualities,
               ppErrors);
}

HRESULT HdaServer::InsertReplace(DWORD dwNumItems, OPCHANDLE* phServer, FILETIME* ftTimeStamps,
                                 VARIANT* vDataValues, DWORD* pdwQualities, HRESULT** ppErrors) {
  return Write(WriteKind::kInsertReplace, dwNumItems, phServer, ftTimeStamps, vDataValues,
               pdwQualities, ppErrors);
}

HRESULT HdaServer::DeleteRaw(OPCHDA_TIME* htStartTime, OPCHDA_TIME* htEndTime, DWORD dwNumItems,
                             OPCHANDLE* phServer, HRESULT** ppErrors) {
  return win::ComBarrier([&]() -> HRESULT {
    if (ppErrors) *ppErrors = nullptr;
    if (!Can(OPCHDA_DELETERAWCAP)) return E_NOTIMPL;
    if (!htStartTime || !htEndTime || dwNumItems == 0 || !phServer || !ppErrors)
      return E_INVALIDARG;
    Simulation& sim = Simulation::Instance();
    const Ticks now = sim.Now();
    const ResolvedArgument start = ResolveTimeArgument(*htStartTime, now);
    const ResolvedArgument end = ResolveTimeArgument(*htEndTime, now);
    if (!start.valid || !end.valid || !start.ticks || !end.ticks) return E_INVALIDARG;
    // Start included, end excluded, in either direction; equal times name one instant.
    Ticks from = *start.ticks, to = *end.ticks;
    if (from == to) {
      to = from + 1;
    } else if (to < from) {
      const Ticks later = from;
      from = to + 1;
      to = later + 1;
    }

    TaskArray<HRESULT> errors(dwNumItems);
    for (DWORD i = 0; i < dwNumItems; ++i) {
      const ItemHandle* handle = Resolve(phServer[i]);
      if (!handle) {
        errors[i] = OPC_E_INVALIDHANDLE;
        continue;
      }
      const ItemDefinition& item = catalog_.Item(handle->item);
      if (!MayWrite(item)) {
        errors[i] = OPC_E_BADRIGHTS;
        continue;
      }
      errors[i] = DeleteRange(item, sim.OverlayFor(handle->item), now, from, to, client_name_)
                      ? S_OK
                      : OPC_S_NODATA;
    }
    WriteBack(htStartTime, start);
    WriteBack(htEndTime, end);
    const HRESULT result = CallResult(errors);
    *ppErrors = errors.Release();
    return result;
  });
}

HRESULT HdaServer::DeleteAtTime(DWORD dwNumItems, OPCHANDLE* phServer, FILETIME* ftTimeStamps,
                                HRESULT** ppErrors) {
  return win::ComBarrier([&]() -> HRESULT {
    if (ppErrors) *ppErrors = nullptr;
    if (!Can(OPCHDA_DELETEATTIMECAP)) return E_NOTIMPL;
    if (dwNumItems == 0 || !phServer || !ftTimeStamps || !ppErrors) return E_INVALIDARG;
    Simulation& sim = Simulation::Instance();
    const Ticks now = sim.Now();
    TaskArray<HRESULT> errors(dwNumItems);
    for (DWORD i = 0; i < dwNumItems; ++i) {
      const ItemHandle* handle = Resolve(phServer[i]);
      if (!handle) {
        errors[i] = OPC_E_INVALIDHANDLE;
        continue;
      }
      const ItemDefinition& item = catalog_.Item(handle->item);
      if (!MayWrite(item)) {
        errors[i] = OPC_E_BADRIGHTS;
      } else if (!IsValidFileTime(ftTimeStamps[i])) {
        errors[i] = E_INVALIDARG;
      } else {
        errors[i] = DeleteAt(item, sim.OverlayFor(handle->item), now, TicksOf(ftTimeStamps[i]),
                             client_name_)
                        ? S_OK
                        : OPC_S_NODATA;
      }
    }
    const HRESULT result = CallResult(errors);
    *ppErrors = errors.Release();
    return result;
  });
}

}  // namespace hdasim
