// The user manual: the PDF files searched for, in the order they are tried.
#pragma once

#include <vector>

#include "text/tstring.h"

inline constexpr char16_t kManualFallbackName[] = u"Varnel Help UK";

// "Varnel Help " + FR, UK, GE, SP or NL for languages 0 to 4; above 4 Dutch, below 0 French.
TString ManualBaseName(int language);

// The twelve files to try, each ending in ".pdf": the language's manual N and then the English
// one E, each in S, S\Help, P, P\Help, W\Help and W, where S is the start directory, P the start
// directory up to its last backslash (empty when it has none) and W the Windows directory.
std::vector<TString> ManualCandidates(int language, const TString& start_dir,
                                      const TString& windows_dir);

// The first of the candidates that can be opened for reading; empty when none can.
TString FindManual(const std::vector<TString>& candidates);
