// A session with one OPC HDA server: creates the server object, holds the interfaces it offers,
// advises a shutdown sink, and carries out every per-server export.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "ambrel/ambrel.h"
#include "ambrel/shutdown_sink.h"
#include "opc/opc.h"
#include "win/com_ptr.h"

namespace ambrel {

struct AttributeEntry {
  DWORD id = 0;
  std::string name;
  std::string description;
  VARTYPE data_type = VT_EMPTY;
};

struct AggregateEntry {
  DWORD id = 0;
  std::string name;
  std::string description;
};

// A start and an end time of a read, as the server wants them.
struct ReadPeriod {
  FILETIME start;
  FILETIME end;
};

class HDASvr {
 public:
  // Null when the server could not be created or offers no IOPCHDA_Server (reported).
  static std::shared_ptr<HDASvr> Connect(const char* machine, const char* prog_id);

  HDASvr() = default;
  HDASvr(const HDASvr&) = delete;
  HDASvr& operator=(const HDASvr&) = delete;
  ~HDASvr();

  AMBREL_SESSION Handle() const { return handle_; }
  // Also tells the shutdown sink which session it serves.
  void SetHandle(AMBREL_SESSION handle);
  // Read by the shutdown sink on whatever thread the notice arrives.
  AMBREL_SHUTDOWN_CALLBACK ShutdownCallback() const { return shutdown_callback_.load(); }
  void SetShutdownCallback(AMBREL_SHUTDOWN_CALLBACK callback) {
    shutdown_callback_.store(callback);
  }

  // An export that works on the session brackets its work with these (through SessionUse,
  // state.h). A disconnect asked for meanwhile (a shutdown callback run while the server call
  // waits, on this thread or another) happens when the last use ends, so no call in progress
  // loses its interfaces or its session. The count is kept under the session table's lock;
  // BeginUse is called with that lock held.
  void BeginUse() { ++uses_; }
  void EndUse();
  void RequestDisconnect();
  // The process is ending: forget every interface without calling it.
  void Abandon();
  // The sink advised on the server, if any (a new reference).
  win::ComPtr<CIOPCShutdown> ShutdownSink() const { return shutdown_sink_; }

  DWORD Browse();
  BOOL ItemName(DWORD index, char* buffer, DWORD length) const;
  DWORD ItemHandle(const char* item_id, DWORD client_handle);
  BOOL ReleaseItemHandle(DWORD item_handle);
  DWORD LoadAttributes();
  BOOL Attribute(DWORD index, DWORD* id, VARTYPE* data_type, char* name, DWORD name_length,
                 char* description, DWORD description_length) const;
  DWORD LoadAggregates();
  BOOL Aggregate(DWORD index, DWORD* id, char* name, DWORD name_length, char* description,
                 DWORD description_length) const;

  DWORD ReadAttribute(DWORD item_handle, DWORD attribute_id, const ReadPeriod& period,
                      DWORD max_values, FILETIME* time_stamps, VARIANT* values);
  DWORD ReadRaw(DWORD item_handle, BOOL bounds, const ReadPeriod& period, DWORD max_values,
                FILETIME* time_stamps, VARIANT* values, DWORD* qualities);
  DWORD ReadProcessed(DWORD item_handle, DWORD aggregate_id, const ReadPeriod& period,
                      FILETIME resample_interval, DWORD max_values, FILETIME* time_stamps,
                      VARIANT* values, DWORD* qualities);
  HRESULT Write(DWORD item_handle, DWORD edit_type, DWORD count, const FILETIME* time_stamps,
                const VARIANT* values, const DWORD* qualities, HRESULT* results);
  BOOL Status(DWORD* status, FILETIME* current_time, FILETIME* start_time, WORD* major, WORD* minor,
              WORD* build, DWORD* max_return_values, char* status_text, DWORD status_length,
              char* vendor_text, DWORD vendor_length);

  // The failure that showed the server gone (its process ended, its machine or the network went),
  // S_OK while it answers. A lost session calls the server no more: every operation that would
  // fails at once.
  HRESULT LostResult() const { return lost_.load(); }
  // Once for a session found lost: calls its shutdown callback, as a server's shutdown notice
  // would. The export that found the loss calls it when its work is done (see WithSession).
  void DeliverLossNotice();

 private:
  bool Answers() const { return lost_.load() == S_OK; }
  // After a call to the server failed or brought no result: a failure that means the server is
  // gone marks the session lost; any other asks the server for its status, whose failure may.
  void CheckServer(HRESULT hr);
  void MarkLost(HRESULT hr);

  bool CreateLocal(const std::wstring& prog_id, const char* prog_id_text);
  bool CreateRemote(const std::wstring& machine, const std::wstring& prog_id,
                    const char* machine_text, const char* prog_id_text);
  bool QueryInterfaces();
  void AdviseShutdown();
  void ReleaseShutdown();
  void Disconnect();

  std::vector<std::string> item_names_;
  std::vector<AttributeEntry> attributes_;
  std::vector<AggregateEntry> aggregates_;
  std::atomic<AMBREL_SHUTDOWN_CALLBACK> shutdown_callback_{nullptr};
  win::ComPtr<IUnknown> server_object_;
  win::ComPtr<IOPCHDA_Server> history_server_;
  win::ComPtr<IOPCHDA_SyncRead> sync_read_;
  win::ComPtr<IOPCHDA_SyncUpdate> sync_update_;
  win::ComPtr<IOPCHDA_AsyncRead> async_read_;
  win::ComPtr<IOPCCommon> common_;
  win::ComPtr<IConnectionPointContainer> point_container_;
  win::ComPtr<IConnectionPoint> shutdown_point_;
  win::ComPtr<CIOPCShutdown> shutdown_sink_;

  AMBREL_SESSION handle_ = AMBREL_NO_SESSION;
  std::atomic<HRESULT> lost_{S_OK};
  std::atomic<bool> loss_notice_due_{false};
  int uses_ = 0;
  bool disconnect_pending_ = false;
};

}  // namespace ambrel
