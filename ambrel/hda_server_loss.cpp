// A session whose server is gone: the failures that say so, asking a server that failed a call
// whether it still answers, and telling the caller once, through its shutdown callback.
#include <windows.h>

#include <algorithm>
#include <iterator>

#include "ambrel/hda_server.h"
#include "ambrel/report.h"
#include "ambrel/state.h"

namespace ambrel {
namespace {

// The server's process ended, or its machine or the network went away: no later call can
// succeed. A call in progress when it happened fails with one of the first three; a call made
// later with the first, or, when the server disconnected its objects as it ended, with the last
// three.
constexpr HRESULT kServerGone[] = {
    static_cast<HRESULT>(0x800706BAL),  // RPC_S_SERVER_UNAVAILABLE
    static_cast<HRESULT>(0x800706BEL),  // RPC_S_CALL_FAILED
    static_cast<HRESULT>(0x800706BFL),  // RPC_S_CALL_FAILED_DNE
    static_cast<HRESULT>(0x80010007L),  // RPC_E_SERVER_DIED
    static_cast<HRESULT>(0x80010012L),  // RPC_E_SERVER_DIED_DNE
    static_cast<HRESULT>(0x80010108L),  // RPC_E_DISCONNECTED
    static_cast<HRESULT>(0x800401FDL),  // CO_E_OBJNOTCONNECTED
};

bool MeansServerGone(HRESULT hr) {
  return std::find(std::begin(kServerGone), std::end(kServerGone), hr) != std::end(kServerGone);
}

}  // namespace

void HDASvr::CheckServer(HRESULT hr) {
  if (!Answers()) return;
  if (MeansServerGone(hr)) {
    MarkLost(hr);
    return;
  }
  // The server may have refused the call, or be gone in a way the call's answer does not show.
  // Its status says which; a status call that fails because it is gone marks the session.
  Status(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0);
}

void HDASvr::MarkLost(HRESULT hr) {
  if (!MeansServerGone(hr)) return;
  HRESULT answering = S_OK;
  if (!lost_.compare_exchange_strong(answering, hr)) return;
  Trace("Server stopped answering", hr);
  loss_notice_due_.store(true);
}

void HDASvr::DeliverLossNotice() {
  if (!loss_notice_due_.exchange(false)) return;
  // Looked up like a shutdown notice: nobody is called for a session closed meanwhile.
  const AMBREL_SESSION session = handle_;
  if (const AMBREL_SHUTDOWN_CALLBACK callback = ShutdownCallbackOf(session)) callback(session);
}

}  // namespace ambrel
