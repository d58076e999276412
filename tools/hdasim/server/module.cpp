#include "tools/hdasim/server/module.h"

#include <atomic>

namespace hdasim {
namespace {

std::atomic<long> g_count{0};
std::atomic<void (*)()> g_idle{nullptr};

}  // namespace

void ServerModule::AddRef() { ++g_count; }

void ServerModule::Release() {
  if (--g_count == 0) {
    if (auto idle = g_idle.load()) idle();
  }
}

long ServerModule::Count() { return g_count.load(); }

void ServerModule::SetIdleCallback(void (*callback)()) { g_idle = callback; }

}  // namespace hdasim
