// One wave: the history of one item over the document's period, as time stamps paired by position
// with either numbers (Y) or texts (S).
#pragma once

#include <cstddef>
#include <vector>

#include "text/tstring.h"

// The most values one read keeps of a wave.
inline constexpr std::size_t kMaxWaveValues = 32000;

struct TWave {
  TString MachineName;
  TString ServerName;
  TString ItemName;
  std::vector<double> T;   // time stamps, milliseconds since 1970-01-01 00:00:00 UTC
  std::vector<double> Y;   // numeric values
  std::vector<TString> S;  // text values
  // Not stored in the document file: the last read stopped at its limit while the server holds
  // further values of the period after T.back(). A wave loaded from a file is taken as cut when
  // it holds as many values as a read keeps (the file does not say whether more were there).
  bool Cut = false;
};
