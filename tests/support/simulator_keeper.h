// Keeps the simulation server running through a GUI case, so that the case's program finds it
// alive whenever it looks for it.
//
// The simulator ends a grace period after its last client let go, and gives up its classes as it
// does. Under Wine a client that has just looked a class up, when its server gives it up, fails
// ("the class is not there") instead of starting a new server; and a case's program that connects
// a few seconds after the previous case's program closed meets that moment now and then. A keeper
// holds one server-list object of the simulator from a thread of its own for the case's time.
#pragma once

#include <windows.h>

#include <memory>

#include "win/handle.h"

namespace test_support {

class SimulatorKeeper {
 public:
  // Returns once the object is held or every attempt failed (each failure is printed).
  SimulatorKeeper();
  // Lets the object go and waits (up to 10 s) until it has: a reference that a program takes
  // with it when it ends would keep the simulator running for good.
  ~SimulatorKeeper();
  SimulatorKeeper(const SimulatorKeeper&) = delete;
  SimulatorKeeper& operator=(const SimulatorKeeper&) = delete;

  bool Holds() const;

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
  win::UniqueKernelHandle thread_;
};

}  // namespace test_support
