// Enters a COM apartment on this thread for the guard's lifetime: CoInitializeEx now,
// CoUninitialize at the end, but only when the entry succeeded. A failed entry (most often a
// thread already in the other kind of apartment) is reported.
#pragma once

#include <windows.h>

#include <objbase.h>

namespace win {

class Apartment {
 public:
  // COINIT_APARTMENTTHREADED or COINIT_MULTITHREADED.
  explicit Apartment(DWORD kind);
  ~Apartment();
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

  // S_OK, or S_FALSE when the thread was in this kind of apartment already (still counted).
  HRESULT Result() const { return result_; }
  explicit operator bool() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace win
