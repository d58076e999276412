#include "tools/hdasim/server/local_server.h"

#include <windows.h>

#include <objbase.h>

#include <memory>
#include <string>
#include <vector>

#include "opc/opc.h"
#include "tools/hdasim/server/class_factory.h"
#include "tools/hdasim/server/hda_server.h"
#include "tools/hdasim/server/local_server_messages.h"
#include "tools/hdasim/server/module.h"
#include "tools/hdasim/server/registration.h"
#include "tools/hdasim/server/server_classes.h"
#include "tools/hdasim/server/server_list.h"
#include "tools/hdasim/server/simulation.h"
#include "win/apartment.h"
#include "win/com_ptr.h"
#include "win/handle.h"

namespace hdasim {
namespace {

constexpr UINT_PTR kLingerTimer = 1;
constexpr UINT_PTR kRevokedTimer = 2;
constexpr DWORD kDefaultLingerMs = 3000;
// From giving up the classes to the end: a client that found a class just before still reaches
// its factory and is served to the end.
constexpr DWORD kRevokedServeMs = 1000;
// From the end of the message loop to the end of the process.
constexpr DWORD kAnswersLeaveMs = 300;
// A client that does not answer its ShutdownRequest within this time is not waited for.
constexpr DWORD kShutdownCallLimitMs = 10000;
constexpr const wchar_t* kShutdownReason = L"The simulation server was asked to shut down";

// One class object registered with COM for the lifetime of the object.
class ClassRegistration {
 public:
  ClassRegistration(const CLSID& clsid, ClassFactory::Creator creator, HRESULT refusal = S_OK)
      : factory_(std::make_unique<ClassFactory>(std::move(creator), refusal)) {
    result_ = CoRegisterClassObject(clsid, factory_.get(), CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                    &cookie_);
  }
  ~ClassRegistration() {
    Revoke();
    Release();
  }
  ClassRegistration(const ClassRegistration&) = delete;
  ClassRegistration& operator=(const ClassRegistration&) = delete;
  HRESULT Result() const { return result_; }
  // Revoked while the factory stays connected: a client that found the class just before may still
  // be on its way to the factory.
  void Revoke() {
    if (!SUCCEEDED(result_) || !cookie_) return;
    held_ = SUCCEEDED(CoLockObjectExternal(factory_.get(), TRUE, FALSE));
    CoRevokeClassObject(cookie_);
    cookie_ = 0;
  }
  // The factory's connection goes: its clients' calls fail from now on.
  void Release() {
    if (held_) CoLockObjectExternal(factory_.get(), FALSE, TRUE);
    held_ = false;
  }

 private:
  std::unique_ptr<ClassFactory> factory_;
  DWORD cookie_ = 0;
  HRESULT result_ = E_FAIL;
  bool held_ = false;
};

HWND g_window = nullptr;
// The class objects; revoked as soon as the server decides to end, so that no new client finds it.
std::vector<std::unique_ptr<ClassRegistration>>* g_registrations = nullptr;
bool g_ending = false;

void RevokeClasses() {
  if (g_registrations)
    for (auto& r : *g_registrations) r->Revoke();
}

void ReleaseFactories() {
  if (g_registrations)
    for (auto& r : *g_registrations) r->Release();
}
DWORD g_linger_ms = kDefaultLingerMs;

DWORD LingerMs() {
  wchar_t text[32] = {};
  const DWORD length = GetEnvironmentVariableW(L"HDASIM_LINGER_MS", text, 32);
  std::int64_t ms = 0;
  if (length > 0 && length < 32 && ParseOffsetMs(text, &ms) && ms >= 0 && ms <= 600000)
    return static_cast<DWORD>(ms);
  return kDefaultLingerMs;
}

// Calls ShutdownRequest on every sink from a thread of its own, so that a client that does not
// answer cannot hold the server forever.
struct ShutdownJob {
  std::vector<DWORD> sinks;
};

DWORD WINAPI ShutdownWorker(void* parameter) {
  std::unique_ptr<ShutdownJob> job(static_cast<ShutdownJob*>(parameter));
  const win::Apartment apartment(COINIT_MULTITHREADED);
  if (!apartment) return 1;
  win::ComPtr<IGlobalInterfaceTable> table;
  if (SUCCEEDED(CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IGlobalInterfaceTable, reinterpret_cast<void**>(&table)))) {
    for (DWORD cookie : job->sinks) {
      win::ComPtr<IOPCShutdown> sink;
      if (SUCCEEDED(table->GetInterfaceFromGlobal(cookie, IID_IOPCShutdown,
                                                  reinterpret_cast<void**>(&sink))))
        sink->ShutdownRequest(kShutdownReason);
    }
  }
  return 0;
}

// Waits for a handle while still serving calls (the clients unadvise from inside their handler).
void WaitServingCalls(HANDLE handle, DWORD limit_ms) {
  const ULONGLONG deadline = GetTickCount64() + limit_ms;
  while (true) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE,
                                                   static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    if (result != WAIT_OBJECT_0 + 1) return;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

void NotifyClientsOfShutdown() {
  auto job = std::make_unique<ShutdownJob>();
  for (HdaServer* server : Simulation::Instance().Servers())
    for (DWORD cookie : server->Shutdown().SinkCookies()) job->sinks.push_back(cookie);
  if (job->sinks.empty()) return;
  win::UniqueKernelHandle thread(CreateThread(nullptr, 0, ShutdownWorker, job.get(), 0, nullptr));
  if (!thread) return;
  job.release();  // the worker owns it now
  WaitServingCalls(thread.Get(), kShutdownCallLimitMs);
}

// Cuts every client off, so that their later calls fail instead of reaching a dying process.
void DisconnectClients() {
  std::vector<win::ComPtr<IUnknown>> servers;
  for (HdaServer* server : Simulation::Instance().Servers())
    servers.push_back(win::ComPtr<IUnknown>::Share(static_cast<IOPCHDA_Server*>(server)));
  for (const auto& server : servers) CoDisconnectObject(server.Get(), 0);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kIdleMessage:
      if (ServerModule::Count() != 0) return 0;
      if (g_ending) {
        PostQuitMessage(0);
      } else {
        SetTimer(window, kLingerTimer, static_cast<UINT>(lparam), nullptr);
      }
      return 0;
    case WM_TIMER:
      if (wparam == kLingerTimer) {
        KillTimer(window, kLingerTimer);
        if (ServerModule::Count() != 0) return 0;
        // Revoke first, so that any later client makes COM start a new server instead of
        // reaching this one as it goes; one that found the class just before still gets its
        // object for a while and is served to the end (the end waits for its release then).
        g_ending = true;
        RevokeClasses();
        SetTimer(window, kRevokedTimer, kRevokedServeMs, nullptr);
      } else if (wparam == kRevokedTimer) {
        KillTimer(window, kRevokedTimer);
        ReleaseFactories();
        if (ServerModule::Count() == 0) PostQuitMessage(0);
      }
      return 0;
    case kShutdownMessage:
      g_ending = true;
      RevokeClasses();
      NotifyClientsOfShutdown();
      DisconnectClients();
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int RunLocalServer() {
  const win::Apartment apartment(COINIT_APARTMENTTHREADED);
  if (!apartment) return 1;
  Simulation& sim = Simulation::Instance();  // reads the clock offset now, at start
  const DWORD linger_ms = LingerMs();

  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"VarnelHdaSimServer";
  RegisterClassW(&window_class);
  win::UniqueWindow window(CreateWindowExW(0, window_class.lpszClassName, L"", 0, 0, 0, 0, 0,
                                           HWND_MESSAGE, nullptr, window_class.hInstance, nullptr));
  if (!window) return 1;
  g_window = window.Get();

  g_linger_ms = linger_ms;
  ServerModule::SetIdleCallback(
      [] { PostMessageW(g_window, kIdleMessage, 0, static_cast<LPARAM>(g_linger_ms)); });
  sim.SetShutdownHandler([] { PostMessageW(g_window, kShutdownMessage, 0, 0); });

  std::vector<std::unique_ptr<ClassRegistration>> registrations;
  for (const ServerClass& c : HdaServerClasses()) {
    const ServerFeatures features = c.features;
    registrations.push_back(std::make_unique<ClassRegistration>(
        c.clsid,
        [features]() -> IUnknown* { return static_cast<IOPCHDA_Server*>(new HdaServer(features)); },
        features.create_fault));
  }
  if (ServerListIsOurs())
    registrations.push_back(std::make_unique<ClassRegistration>(
        CLSID_OpcServerList,
        []() -> IUnknown* { return static_cast<IOPCServerList2*>(new ServerList()); }));
  for (const auto& r : registrations)
    if (FAILED(r->Result())) return 1;
  g_registrations = &registrations;

  // Nobody may come at all: the same grace period applies from the start, but never less than
  // the time a client needs to create its first object.
  SetTimer(window.Get(), kLingerTimer, linger_ms > 5000 ? linger_ms : 5000, nullptr);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  // COM's own threads send the answers of the last calls served after this thread has moved on:
  // time for them to leave before the process ends.
  Sleep(kAnswersLeaveMs);

  RevokeClasses();
  g_registrations = nullptr;
  ServerModule::SetIdleCallback(nullptr);
  sim.SetShutdownHandler(nullptr);
  window.Reset();
  g_window = nullptr;
  return 0;
}

}  // namespace hdasim
