// A client in a process of its own, for the test that kills a client in the middle of a session.
#pragma once

namespace hdatest {

// Connects, advises a shutdown sink, signals the named event and then reads until it is killed.
int RunChildClient(const char* ready_event);

}  // namespace hdatest
