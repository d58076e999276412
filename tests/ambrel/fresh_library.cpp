#include "tests/ambrel/fresh_library.h"

namespace ambrel_test {

FreshLibrary::FreshLibrary() : module_(LoadLibraryW(L"AmbrelFresh.dll")) {
  if (!module_) return;
  Resolve(connect, "ConnectHDA");
  Resolve(disconnect, "DisconnectHDA");
  Resolve(number_of_items, "NumberOfHDAItems");
  Resolve(number_of_attributes, "NumberOfHDAAttributes");
  Resolve(enable_errors, "EnableHDAErrorNotification");
  Resolve(enable_shutdown, "EnableHDAShutdownNotification");
}

FreshLibrary::~FreshLibrary() { Free(); }

bool FreshLibrary::Free() {
  if (!module_) return false;
  const BOOL freed = FreeLibrary(module_);
  module_ = nullptr;
  return freed && GetModuleHandleW(L"AmbrelFresh.dll") == nullptr;
}

template <typename Function>
void FreshLibrary::Resolve(Function& function, const char* name) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
}

}  // namespace ambrel_test
