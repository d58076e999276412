// A copy of the library that no test program links (AmbrelFresh.dll): loaded by a test, it starts
// with a state of its own, without any callback enabled, and unloading it really unmaps it.
#pragma once

#include <windows.h>

#include "ambrel/ambrel.h"

namespace ambrel_test {

class FreshLibrary {
 public:
  FreshLibrary();
  ~FreshLibrary();
  FreshLibrary(const FreshLibrary&) = delete;
  FreshLibrary& operator=(const FreshLibrary&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  // FreeLibrary; true when it succeeded and the copy is no longer mapped.
  bool Free();

  // The copy's exports, with the types of the linked ones.
  decltype(&ConnectHDA) connect = nullptr;
  decltype(&DisconnectHDA) disconnect = nullptr;
  decltype(&NumberOfHDAItems) number_of_items = nullptr;
  decltype(&NumberOfHDAAttributes) number_of_attributes = nullptr;
  decltype(&EnableHDAErrorNotification) enable_errors = nullptr;
  decltype(&EnableHDAShutdownNotification) enable_shutdown = nullptr;

 private:
  template <typename Function>
  void Resolve(Function& function, const char* name);

  HMODULE module_;
};

}  // namespace ambrel_test
