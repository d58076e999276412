// UTF-16 to UTF-8, for the places that hand text to an interface taking UTF-8 (POSIX file names,
// standard output). A surrogate without its partner becomes U+FFFD, so the result is always
// valid UTF-8.
#pragma once

#include <string>

namespace platform {

// The text up to its terminating NUL.
std::string ToUtf8(const char16_t* text);

}  // namespace platform
