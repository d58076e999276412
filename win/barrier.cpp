#include "win/barrier.h"

#include <cstdio>
#include <exception>
#include <new>
#include <stdexcept>

#include "win/hresult_error.h"
#include "win/report.h"

namespace win {
namespace {

struct Caught {
  const char* kind;
  const char* what;
  HRESULT result;
};

// Rethrows the exception being handled to find out what it is.
Caught Classify() noexcept {
  try {
    throw;
  } catch (const HResultError& e) {
    return {"HResultError", e.what(), e.Result()};
  } catch (const std::bad_alloc& e) {
    return {"std::bad_alloc", e.what(), E_OUTOFMEMORY};
  } catch (const std::invalid_argument& e) {
    return {"std::invalid_argument", e.what(), E_INVALIDARG};
  } catch (const std::exception& e) {
    return {"std::exception", e.what(), E_FAIL};
  } catch (...) {
    return {"an exception of unknown type", "", E_UNEXPECTED};
  }
}

const char* FileNameOnly(const char* path) {
  const char* name = path;
  for (const char* c = path; *c; ++c)
    if (*c == '/' || *c == '\\') name = c + 1;
  return name;
}

}  // namespace

HRESULT HResultOfCurrentException() noexcept { return Classify().result; }

void ReportCaught(const std::source_location& where, const HRESULT* answer) noexcept {
  const Caught caught = Classify();
  // No allocation here: the exception may be std::bad_alloc.
  char text[768];
  char answer_text[32] = "its failure value";
  if (answer)
    std::snprintf(answer_text, sizeof answer_text, "0x%08lX", static_cast<unsigned long>(*answer));
  std::snprintf(text, sizeof text, "%s (%s:%u): caught %s \"%s\", answering %s",
                where.function_name(), FileNameOnly(where.file_name()),
                static_cast<unsigned>(where.line()), caught.kind, caught.what, answer_text);
  Report(text);
}

}  // namespace win
