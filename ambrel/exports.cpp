// The plain exports: each looks its session up, does its work behind the barrier, and returns
// its documented failure value.
#include "ambrel/ambrel.h"

#include <windows.h>
#include <olectl.h>

#include "ambrel/barrier.h"
#include "ambrel/discovery.h"
#include "ambrel/text_conversion.h"

using ambrel::HDASvr;
using ambrel::MakeFileTime;
using ambrel::ReadPeriod;
using ambrel::WithSession;

WORD __stdcall AmbrelRevision(void) { return AMBREL_REVISION; }

BOOL __stdcall AmbrelCoInit(void) {
  return win::Barrier<BOOL>(FALSE, [] {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    const HRESULT security =
        CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE,
                             RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    return SUCCEEDED(init) && SUCCEEDED(security) ? TRUE : FALSE;
  });
}

DWORD __stdcall NumberOfHDAServers(const char* machine) {
  return win::Barrier<DWORD>(0, [&] { return ambrel::EnumerateServers(machine); });
}

BOOL __stdcall GetHDAServerName(DWORD index, char* buffer, DWORD length) {
  return win::Barrier<BOOL>(FALSE, [&]() -> BOOL {
    const ambrel::AmbrelState* state = ambrel::TheState();
    if (!state || index >= state->servers.size()) return FALSE;
    ambrel::CopyToBuffer(state->servers[index].prog_id, buffer, length);
    return TRUE;
  });
}

AMBREL_SESSION __stdcall ConnectHDA(const char* machine, const char* prog_id) {
  return win::Barrier<AMBREL_SESSION>(AMBREL_NO_SESSION, [&] {
    std::shared_ptr<HDASvr> session = HDASvr::Connect(machine, prog_id);
    return session ? ambrel::AddSession(std::move(session)) : AMBREL_NO_SESSION;
  });
}

BOOL __stdcall DisconnectHDA(AMBREL_SESSION session) {
  return win::Barrier<BOOL>(FALSE, [&]() -> BOOL {
    std::shared_ptr<HDASvr> found = ambrel::TakeSession(session);
    if (!found) return FALSE;
    found->RequestDisconnect();
    return TRUE;
  });
}

DWORD __stdcall NumberOfHDAItems(AMBREL_SESSION session) {
  return WithSession<DWORD>(session, 0, [&](HDASvr& s) { return s.Browse(); });
}

BOOL __stdcall GetHDAItemName(AMBREL_SESSION session, DWORD index, char* buffer, DWORD length) {
  return WithSession<BOOL>(session, FALSE,
                           [&](HDASvr& s) { return s.ItemName(index, buffer, length); });
}

DWORD __stdcall GetHDAItemHandle(AMBREL_SESSION session, const char* item_id, DWORD client_handle) {
  return WithSession<DWORD>(session, AMBREL_NO_ITEM,
                            [&](HDASvr& s) { return s.ItemHandle(item_id, client_handle); });
}

BOOL __stdcall ReleaseHDAItemHandle(AMBREL_SESSION session, DWORD item_handle) {
  return WithSession<BOOL>(session, FALSE,
                           [&](HDASvr& s) { return s.ReleaseItemHandle(item_handle); });
}

DWORD __stdcall NumberOfHDAAttributes(AMBREL_SESSION session) {
  return WithSession<DWORD>(session, 0, [&](HDASvr& s) { return s.LoadAttributes(); });
}

BOOL __stdcall GetHDAAttributeDescr(AMBREL_SESSION session, DWORD index, DWORD* attribute_id,
                                    VARTYPE* data_type, char* name, DWORD name_length,
                                    char* description, DWORD description_length) {
  return WithSession<BOOL>(session, FALSE, [&](HDASvr& s) {
    return s.Attribute(index, attribute_id, data_type, name, name_length, description,
                       description_length);
  });
}

DWORD __stdcall NumberOfHDAAggregates(AMBREL_SESSION session) {
  return WithSession<DWORD>(session, 0, [&](HDASvr& s) { return s.LoadAggregates(); });
}

BOOL __stdcall GetHDAAggregateDescr(AMBREL_SESSION session, DWORD index, DWORD* aggregate_id,
                                    char* name, DWORD name_length, char* description,
                                    DWORD description_length) {
  return WithSession<BOOL>(session, FALSE, [&](HDASvr& s) {
    return s.Aggregate(index, aggregate_id, name, name_length, description, description_length);
  });
}

DWORD __stdcall ReadHDAItemAttributes(AMBREL_SESSION session, DWORD item_handle, DWORD attribute_id,
                                      DWORD start_low, DWORD start_high, DWORD end_low,
                                      DWORD end_high, DWORD max_values, FILETIME* time_stamps,
                                      VARIANT* values) {
  return WithSession<DWORD>(session, 0, [&](HDASvr& s) {
    const ReadPeriod period{MakeFileTime(start_low, start_high), MakeFileTime(end_low, end_high)};
    return s.ReadAttribute(item_handle, attribute_id, period, max_values, time_stamps, values);
  });
}

DWORD __stdcall ReadHDAItemValues(AMBREL_SESSION session, DWORD item_handle, BOOL bounds,
                                  DWORD start_low, DWORD start_high, DWORD end_low, DWORD end_high,
                                  DWORD max_values, FILETIME* time_stamps, VARIANT* values,
                                  DWORD* qualities) {
  return WithSession<DWORD>(session, 0, [&](HDASvr& s) {
    const ReadPeriod period{MakeFileTime(start_low, start_high), MakeFileTime(end_low, end_high)};
    return s.ReadRaw(item_handle, bounds, period, max_values, time_stamps, values, qualities);
  });
}

DWORD __stdcall ReadHDAProcessedItemValues(AMBREL_SESSION session, DWORD item_handle,
                                           DWORD aggregate_id, DWORD start_low, DWORD start_high,
                                           DWORD end_low, DWORD end_high, DWORD resample_low,
                                           DWORD resample_high, DWORD max_values,
                                           FILETIME* time_stamps, VARIANT* values,
                                           DWORD* qualities) {
  return WithSession<DWORD>(session, 0, [&](HDASvr& s) {
    const ReadPeriod period{MakeFileTime(start_low, start_high), MakeFileTime(end_low, end_high)};
    return s.ReadProcessed(item_handle, aggregate_id, period,
                           MakeFileTime(resample_low, resample_high), max_values, time_stamps,
                           values, qualities);
  });
}

HRESULT __stdcall WriteHDAItemValues(AMBREL_SESSION session, DWORD item_handle, DWORD edit_type,
                                     DWORD count, const FILETIME* time_stamps,
                                     const VARIANT* values, const DWORD* qualities,
                                     HRESULT* results) {
  // An unknown session has its own failure value; an exception inside the write gives E_FAIL.
  return WithSession<HRESULT>(session, CONNECT_E_NOCONNECTION, [&](HDASvr& s) {
    return win::Barrier<HRESULT>(E_FAIL, [&] {
      return s.Write(item_handle, edit_type, count, time_stamps, values, qualities, results);
    });
  });
}

BOOL __stdcall GetHDASvrStatus(AMBREL_SESSION session, DWORD* status, FILETIME* current_time,
                               FILETIME* start_time, WORD* major_version, WORD* minor_version,
                               WORD* build_number, DWORD* max_return_values, char* status_text,
                               DWORD status_length, char* vendor_text, DWORD vendor_length) {
  return WithSession<BOOL>(session, FALSE, [&](HDASvr& s) {
    return s.Status(status, current_time, start_time, major_version, minor_version, build_number,
                    max_return_values, status_text, status_length, vendor_text, vendor_length);
  });
}

BOOL __stdcall EnableHDAErrorNotification(AMBREL_ERROR_CALLBACK callback) {
  if (ambrel::AmbrelState* state = ambrel::TheState()) {
    state->error_callback = callback;
    state->error_callback_enabled = true;
  }
  return TRUE;
}

BOOL __stdcall EnableHDAEventMsgs(AMBREL_EVENT_CALLBACK callback) {
  if (ambrel::AmbrelState* state = ambrel::TheState()) {
    state->event_callback = callback;
    state->event_callback_enabled = true;
  }
  return TRUE;
}

BOOL __stdcall EnableHDAShutdownNotification(AMBREL_SESSION session,
                                             AMBREL_SHUTDOWN_CALLBACK callback) {
  return WithSession<BOOL>(session, FALSE, [&](HDASvr& s) {
    s.SetShutdownCallback(callback);
    return TRUE;
  });
}
