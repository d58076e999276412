// UTF-8 on the command line and standard output, UTF-16 inside the program.
#pragma once

#include <string>
#include <string_view>

#include "platform/utf8.h"
#include "text/tstring.h"

namespace cli {

// Invalid sequences and lone surrogates become U+FFFD, both ways.
TString FromUtf8(std::string_view text);
inline std::string ToUtf8(const char16_t* text) { return platform::ToUtf8(text); }
inline std::string ToUtf8(const TString& text) { return platform::ToUtf8(text.Str()); }

}  // namespace cli
