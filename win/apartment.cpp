#include "win/apartment.h"

#include <cstdio>

#include "win/report.h"

namespace win {

Apartment::Apartment(DWORD kind) : result_(CoInitializeEx(nullptr, kind)) {
  if (SUCCEEDED(result_)) return;
  char text[128];
  std::snprintf(text, sizeof text, "CoInitializeEx(%s) failed on thread %lu: 0x%08lX",
                (kind & COINIT_APARTMENTTHREADED) ? "apartment-threaded" : "multithreaded",
                static_cast<unsigned long>(GetCurrentThreadId()),
                static_cast<unsigned long>(result_));
  Report(text);
}

Apartment::~Apartment() {
  if (SUCCEEDED(result_)) CoUninitialize();
}

}  // namespace win
