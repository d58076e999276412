#include "tests/support/simulator_keeper.h"

#include <objbase.h>

#include <cstdio>
#include <memory>

#include "opc/opc.h"
#include "win/apartment.h"
#include "win/com_ptr.h"
#include "win/handle.h"

namespace test_support {
namespace {

// A client that met a server as it ended finds no class the next time and starts a new server:
// a second attempt after the old one's last second is enough; the third is for a slow machine.
constexpr int kAttempts = 3;
constexpr DWORD kRetryMs = 1500;
// The activation itself may wait 30 s for a server that starts slowly.
constexpr DWORD kHoldLimitMs = 100000;
constexpr DWORD kReleaseLimitMs = 10000;

}  // namespace

// Owned by the keeper and its thread together: a thread that outlives its keeper (an activation
// or a release that does not come back) still finds its events.
struct SimulatorKeeper::Shared {
  win::UniqueKernelHandle held{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  win::UniqueKernelHandle release{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  HRESULT result = E_PENDING;
};

namespace {

DWORD WINAPI KeeperThread(void* parameter) {
  const std::unique_ptr<std::shared_ptr<SimulatorKeeper::Shared>> handed(
      static_cast<std::shared_ptr<SimulatorKeeper::Shared>*>(parameter));
  const std::shared_ptr<SimulatorKeeper::Shared> shared = *handed;
  win::ComPtr<IUnknown> list;
  {
    const win::Apartment apartment(COINIT_MULTITHREADED);
    HRESULT hr = apartment.Result();
    for (int attempt = 1; SUCCEEDED(apartment.Result()) && attempt <= kAttempts; ++attempt) {
      hr = CoCreateInstance(CLSID_OpcServerList, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown,
                            reinterpret_cast<void**>(&list));
      if (SUCCEEDED(hr)) break;
      std::fprintf(stderr, "[ KEEPER   ] attempt %d to hold the simulator failed: 0x%08lx\n",
                   attempt, static_cast<unsigned long>(hr));
      std::fflush(stderr);
      if (attempt < kAttempts) Sleep(kRetryMs);
    }
    shared->result = hr;
    SetEvent(shared->held.Get());
    WaitForSingleObject(shared->release.Get(), INFINITE);
    list.Reset();
  }
  return 0;
}

}  // namespace

SimulatorKeeper::SimulatorKeeper() : shared_(std::make_shared<Shared>()) {
  auto* handed = new std::shared_ptr<Shared>(shared_);
  thread_.Reset(CreateThread(nullptr, 0, KeeperThread, handed, 0, nullptr));
  if (!thread_) {
    delete handed;
    shared_->result = HRESULT_FROM_WIN32(GetLastError());
    std::fprintf(stderr, "[ KEEPER   ] no thread to hold the simulator\n");
    return;
  }
  if (WaitForSingleObject(shared_->held.Get(), kHoldLimitMs) != WAIT_OBJECT_0)
    std::fprintf(stderr, "[ KEEPER   ] the simulator was not held within %lu s\n",
                 static_cast<unsigned long>(kHoldLimitMs / 1000));
}

SimulatorKeeper::~SimulatorKeeper() {
  SetEvent(shared_->release.Get());
  if (thread_ && WaitForSingleObject(thread_.Get(), kReleaseLimitMs) != WAIT_OBJECT_0)
    std::fprintf(stderr, "[ KEEPER   ] the simulator was not let go within %lu s\n",
                 static_cast<unsigned long>(kReleaseLimitMs / 1000));
}

bool SimulatorKeeper::Holds() const {
  return WaitForSingleObject(shared_->held.Get(), 0) == WAIT_OBJECT_0 && SUCCEEDED(shared_->result);
}

}  // namespace test_support
