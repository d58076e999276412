// An exception that carries the HRESULT of a failed call; a barrier answers with that HRESULT.
#pragma once

#include <windows.h>

#include <stdexcept>

namespace win {

class HResultError : public std::runtime_error {
 public:
  // `what` names the call that failed.
  HResultError(HRESULT result, const char* what) : std::runtime_error(what), result_(result) {}
  HRESULT Result() const { return result_; }

 private:
  HRESULT result_;
};

inline void ThrowIfFailed(HRESULT result, const char* what) {
  if (FAILED(result)) throw HResultError(result, what);
}

}  // namespace win
