// One wave: the history of one item over the document's period, as time stamps paired by position
// with either numbers (Y) or texts (S).
#pragma once

#include <vector>

#include "text/tstring.h"

struct TWave {
  TString MachineName;
  TString ServerName;
  TString ItemName;
  std::vector<double> T;   // time stamps, milliseconds since 1970-01-01 00:00:00 UTC
  std::vector<double> Y;   // numeric values
  std::vector<TString> S;  // text values
};
