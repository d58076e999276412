// Creating the server object, obtaining its interfaces, the shutdown sink, and the orders in
// which a session lets go of them.
#include <windows.h>

#include <ocidl.h>

#include <memory>
#include <mutex>

#include "ambrel/hda_server.h"
#include "ambrel/report.h"
#include "ambrel/state.h"
#include "ambrel/text_conversion.h"

namespace ambrel {

std::shared_ptr<HDASvr> HDASvr::Connect(const char* machine, const char* prog_id) {
  auto session = std::make_shared<HDASvr>();
  const std::wstring wide_prog_id = WidenBytes(prog_id);
  const bool local = !machine || !*machine;
  const bool created = local ? session->CreateLocal(wide_prog_id, prog_id ? prog_id : "")
                             : session->CreateRemote(WidenBytes(machine), wide_prog_id, machine,
                                                     prog_id ? prog_id : "");
  if (!created || !session->QueryInterfaces()) return nullptr;
  session->AdviseShutdown();
  return session;
}

bool HDASvr::CreateLocal(const std::wstring& prog_id, const char* prog_id_text) {
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(prog_id.c_str(), &clsid);
  Trace("CLSIDFromProgID", hr);
  if (FAILED(hr)) {
    ReportError(hr, FillPattern("CLSIDFromProgID failed for %ls\n", {prog_id_text}));
    return false;
  }
  win::ComPtr<IClassFactory> factory;
  hr = CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                        reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) {
    hr = CoGetClassObject(clsid, CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory,
                          reinterpret_cast<void**>(&factory));
  }
  Trace("CoGetClassObject", hr);
  if (FAILED(hr)) {
    ReportError(
        hr, FillPattern("CoGetClassObject- no InProc or Local server for (%lx)\n", {HexNoPad(hr)}));
    return false;
  }
  hr = factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&server_object_));
  Trace("CreateInstance", hr);
  factory.Reset();
  if (FAILED(hr)) {
    server_object_.Reset();
    ReportError(hr, FillPattern("Error from CreateInstance (%lx)\n", {HexNoPad(hr)}));
    return false;
  }
  return true;
}

bool HDASvr::CreateRemote(const std::wstring& machine, const std::wstring& prog_id,
                          const char* machine_text, const char* prog_id_text) {
  CLSID clsid{};
  if (const AmbrelState* state = TheState()) {
    for (const ServerEntry& entry : state->servers) {
      if (entry.prog_id == prog_id_text) {
        clsid = entry.clsid;
        break;
      }
    }
  }
  if (IsEqualCLSID(clsid, GUID_NULL)) {
    const HRESULT hr = CLSIDFromProgID(prog_id.c_str(), &clsid);
    Trace("CLSIDFromProgID", hr);
    if (FAILED(hr)) {
      ReportError(
          hr, FillPattern("CLSIDFromProgID failed for %ls (%lx)\n", {prog_id_text, HexNoPad(hr)}));
      return false;
    }
  }
  std::wstring node = machine;
  COSERVERINFO info{};
  info.pwszName = node.data();
  MULTI_QI query{&IID_IUnknown, nullptr, S_OK};
  HRESULT hr = CoCreateInstanceEx(clsid, nullptr, CLSCTX_REMOTE_SERVER, &info, 1, &query);
  Trace("CoCreateInstanceEx", hr);
  if (FAILED(hr) || FAILED(query.hr) || !query.pItf) {
    if (query.pItf) query.pItf->Release();
    ReportError(hr, FillPattern("CoCreateInstanceEx - failed for node:%ls ProgID:%ls (%lx)\n",
                                {machine_text, prog_id_text, HexNoPad(hr)}));
    return false;
  }
  server_object_ = win::ComPtr<IUnknown>::Attach(query.pItf);
  return true;
}

bool HDASvr::QueryInterfaces() {
  HRESULT hr = server_object_.As(IID_IOPCHDA_Server, std::addressof(history_server_));
  Trace("OPCServer->QueryInterface(IID_IOPCHDA_Server)", hr);
  if (FAILED(hr) || !history_server_) {
    ReportError(hr, "QueryInterface (IID_IOPCHDA_Server) Failed");
    history_server_.Reset();
    server_object_.Reset();
    return false;
  }
  Trace("OPCServer->QueryInterface(IID_IOPCCommon)",
        server_object_.As(IID_IOPCCommon, std::addressof(common_)));
  Trace("OPCServer->QueryInterface(IID_IOPCHDA_SyncRead)",
        server_object_.As(IID_IOPCHDA_SyncRead, std::addressof(sync_read_)));
  Trace("OPCServer->QueryInterface(IID_IOPCHDA_SyncUpdate)",
        server_object_.As(IID_IOPCHDA_SyncUpdate, std::addressof(sync_update_)));
  Trace("OPCServer->QueryInterface(IID_IOPCHDA_AsyncRead)",
        server_object_.As(IID_IOPCHDA_AsyncRead, std::addressof(async_read_)));
  Trace("OPCServer->QueryInterface(IID_IConnectionPointContainer)",
        server_object_.As(IID_IConnectionPointContainer, std::addressof(point_container_)));
  return true;
}

void HDASvr::AdviseShutdown() {
  if (!point_container_) return;
  shutdown_sink_ = win::ComPtr<CIOPCShutdown>::Attach(new CIOPCShutdown);
  HRESULT hr = point_container_->FindConnectionPoint(IID_IOPCShutdown, &shutdown_point_);
  Trace("IConnectionPointContainer->FindConnectionPoint (IID_IOPCShutdown)", hr);
  if (FAILED(hr)) shutdown_point_.Reset();
  if (!shutdown_point_) return;
  DWORD cookie = 0;
  hr = shutdown_point_->Advise(static_cast<IOPCShutdown*>(shutdown_sink_.Get()), &cookie);
  Trace("ConnectionPoint->Advise (IID_IOPCShutdown)", hr);
  shutdown_sink_->cookie = SUCCEEDED(hr) ? cookie : 0;
}

void HDASvr::ReleaseShutdown() {
  // A server that is gone cannot be told; the call would only wait for the failure.
  if (shutdown_point_ && Answers()) {
    if (shutdown_sink_ && shutdown_sink_->cookie != 0) {
      shutdown_point_->Unadvise(shutdown_sink_->cookie);
      shutdown_sink_->cookie = 0;
    }
  }
  if (shutdown_sink_) {
    shutdown_sink_->DetachSession();
    shutdown_sink_.Reset();
  }
  shutdown_point_.Reset();
}

void HDASvr::Disconnect() {
  history_server_.Reset();
  common_.Reset();
  ReleaseShutdown();
  server_object_.Reset();
}

void HDASvr::SetHandle(AMBREL_SESSION handle) {
  handle_ = handle;
  if (shutdown_sink_) shutdown_sink_->SetSession(handle);
}

void HDASvr::RequestDisconnect() {
  {
    std::lock_guard<std::mutex> lock(SessionTableLock());
    if (uses_ > 0) {
      disconnect_pending_ = true;
      return;
    }
  }
  // Out of the table already, so no new use can begin.
  Disconnect();
}

void HDASvr::EndUse() {
  {
    std::lock_guard<std::mutex> lock(SessionTableLock());
    if (--uses_ > 0 || !disconnect_pending_) return;
    disconnect_pending_ = false;
  }
  Disconnect();
}

void HDASvr::Abandon() {
  history_server_.Detach();
  sync_read_.Detach();
  sync_update_.Detach();
  async_read_.Detach();
  common_.Detach();
  point_container_.Detach();
  shutdown_point_.Detach();
  if (shutdown_sink_) shutdown_sink_->DetachSession();
  shutdown_sink_.Detach();
  server_object_.Detach();
}

HDASvr::~HDASvr() {
  attributes_.clear();
  aggregates_.clear();
  item_names_.clear();
  history_server_.Reset();
  point_container_.Reset();
  common_.Reset();
  sync_read_.Reset();
  sync_update_.Reset();
  async_read_.Reset();
  ReleaseShutdown();
  server_object_.Reset();
}

}  // namespace ambrel
