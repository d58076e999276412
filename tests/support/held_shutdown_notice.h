// A client of the simulator on a thread of its own whose shutdown sink keeps the server's round of
// shutdown notices waiting until the test lets it answer. The simulator asks the sinks one after
// the other in the order their objects were made, and revokes its classes before it asks: while
// this sink holds the round, every object of that server process still answers, a new connection
// starts a new server process, and the notices of the test's own connections are still to come.
#pragma once

#include <windows.h>

#include "win/handle.h"

namespace test_support {

class HeldShutdownNotice {
 public:
  // Makes an object of that class and advises the sink; make it before the connections whose
  // notices it should hold back.
  explicit HeldShutdownNotice(const wchar_t* prog_id);
  // Lets the sink answer and ends the client.
  ~HeldShutdownNotice();
  HeldShutdownNotice(const HeldShutdownNotice&) = delete;
  HeldShutdownNotice& operator=(const HeldShutdownNotice&) = delete;

  bool Advised() const { return advised_; }
  // True once the server has asked the sink (within the time).
  bool WaitUntilAsked(DWORD timeout_ms);
  // The sink answers delay_ms after this call; the server then asks the next sink.
  void Answer(DWORD delay_ms);
  // The client reads the simulator's slow item once, on its own thread: for two seconds the
  // server process serves nothing else, so that other clients' calls have to wait.
  void ReadSlowly();

 private:
  static DWORD WINAPI Run(void* self);

  const wchar_t* prog_id_;
  win::UniqueKernelHandle ready_;
  win::UniqueKernelHandle asked_;
  win::UniqueKernelHandle answer_;
  win::UniqueKernelHandle finish_;
  win::UniqueKernelHandle read_;
  win::UniqueKernelHandle thread_;
  volatile LONG delay_ms_ = 0;
  bool advised_ = false;
};

}  // namespace test_support
