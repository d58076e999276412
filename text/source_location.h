// The place of a call, taken where the call is written: std::source_location where the standard
// library has it. clang 14 (the fuzz preset's compiler) lacks the builtin that libstdc++'s needs,
// so there the same interface is built on the builtins clang does have.
#pragma once

#include <cstdint>
#include <version>

#if defined(__cpp_lib_source_location)
#include <source_location>

using SourceLocation = std::source_location;
#else
class SourceLocation {
 public:
  static constexpr SourceLocation current(const char* file = __builtin_FILE(),
                                          std::uint_least32_t line = __builtin_LINE()) noexcept {
    SourceLocation place;
    place.file_ = file;
    place.line_ = line;
    return place;
  }
  constexpr const char* file_name() const noexcept { return file_; }
  constexpr std::uint_least32_t line() const noexcept { return line_; }

 private:
  const char* file_ = "";
  std::uint_least32_t line_ = 0;
};
#endif
