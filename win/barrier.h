// The barriers that keep exceptions from crossing a COM or C boundary. Each one that catches
// says so through the report sink: what it caught, in which function, and what it answers.
//
//   HRESULT Thing::Method(...) { return win::ComBarrier([&]() -> HRESULT { ... }); }
//   BOOL __stdcall Export(...) { return win::Barrier<BOOL>(FALSE, [&]() -> BOOL { ... }); }
#pragma once

#include <windows.h>

#include <source_location>
#include <utility>

namespace win {

// The HRESULT that stands for the exception being handled: an HResultError's own,
// E_OUTOFMEMORY for std::bad_alloc, E_INVALIDARG for std::invalid_argument, E_FAIL for any
// other std::exception, E_UNEXPECTED for anything else. Call only inside a catch block.
HRESULT HResultOfCurrentException() noexcept;

// Reports the exception being handled, caught at `where`, answered with `answer` (an HRESULT,
// or null for a barrier that answers its own failure value). Call only inside a catch block.
void ReportCaught(const std::source_location& where, const HRESULT* answer) noexcept;

// Runs a COM method body; an exception becomes its HRESULT.
template <typename Body>
HRESULT ComBarrier(Body&& body,
                   std::source_location where = std::source_location::current()) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    const HRESULT answer = HResultOfCurrentException();
    ReportCaught(where, &answer);
    return answer;
  }
}

// Runs the body of a C export; an exception becomes `failure`.
template <typename Result, typename Body>
Result Barrier(Result failure, Body&& body,
               std::source_location where = std::source_location::current()) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    ReportCaught(where, nullptr);
    return failure;
  }
}

}  // namespace win
