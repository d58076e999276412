#include "text/unit_buffer.h"

#include <atomic>
#include <new>

namespace text {
namespace {
std::atomic<int> g_failingAllocations{0};

bool TakeInjectedFailure() {
  int left = g_failingAllocations.load();
  while (left > 0) {
    if (g_failingAllocations.compare_exchange_weak(left, left - 1)) return true;
  }
  return false;
}
}  // namespace

namespace detail {
void* AllocateBytes(std::size_t bytes) {
  if (TakeInjectedFailure()) return nullptr;
  return ::operator new(bytes, std::nothrow);
}

void FreeBytes(void* block) { ::operator delete(block); }
}  // namespace detail

namespace faults {
void FailNextAllocations(int count) { g_failingAllocations.store(count > 0 ? count : 0); }
}  // namespace faults

}  // namespace text
