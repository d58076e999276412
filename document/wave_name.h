// The full name of a wave, under which the graph keeps its plot and the plot's settings:
// machine, server and item joined with "::", without the machine and its "::" when the machine
// name is empty.
#pragma once

#include "document/wave.h"

TString WaveFullName(const TWave& wave);
