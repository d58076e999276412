// Paths as the operating system writes them.
#pragma once

namespace platform {

// The separator put between a directory and a name.
#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
#else
inline constexpr char16_t kPathSeparator = u'/';
#endif

}  // namespace platform
