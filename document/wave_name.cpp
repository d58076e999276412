#include "document/wave_name.h"

TString WaveFullName(const TWave& wave) {
  TString name(wave.MachineName.Length() + wave.ServerName.Length() + wave.ItemName.Length() + 4);
  if (!wave.MachineName.IsEmpty()) {
    name.Append(wave.MachineName);
    name.Append(u"::");
  }
  name.Append(wave.ServerName);
  name.Append(u"::");
  name.Append(wave.ItemName);
  return name;
}
