// One entry of the application message log.
#pragma once

#include <cstdint>

#include "text/tstring.h"

enum TLogLevel : std::int32_t {
  kLevelError = 0,
  kLevelWarning = 1,
  kLevelInfo = 2,
  kLevelDebug = 3,
  kLevelCommunication = 4,
};

enum TLogType : std::int32_t {
  kTypeOther = 0,
  kTypeResource = 1,
  kTypeOpc = 2,
  kTypeDde = 3,
  kTypeTcpIp = 4,
  kTypeSerial = 5,
  kTypeConfiguration = 6,
  kTypeReserved = 7,  // no message of the program uses it
};

inline constexpr int kLevelCount = 5;
inline constexpr int kTypeCount = 8;

struct TLogEntry {
  double Time = 0.0;  // 0 for the continuation lines of a message
  std::int32_t Level = kLevelInfo;
  std::int32_t Type = kTypeOther;
  TString Text;
};
