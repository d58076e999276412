// Every Windows test program ends itself when one of its cases hangs, after naming the case
// (tests/support/case_watchdog.cpp, linked into each). A program whose cases use the simulator
// also leaves the prefix clean for the programs after it, and a GUI test says what the program it
// drove had logged.
#pragma once

namespace test_support {

// Called on the watchdog's thread before the hung program ends; one per program, set while
// static objects are made.
void SetHungCaseCleanup(void (*cleanup)());

// Called on the watchdog's thread first, to tell more of where the case stood; set by the case
// (the last one set is called).
void SetHungCaseReport(void (*report)());

}  // namespace test_support
