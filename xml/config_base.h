// TConfigBaseData: base of the application's persisted settings record. It holds the settings
// common to the whole application and reads and writes them as the "ConfigBase" element.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/rect.h"

class TXmlNode;

class TConfigBaseData {
 public:
  static constexpr std::int32_t kRecordKind = 245;
  static constexpr std::size_t kMessageLevels = 5;
  static constexpr std::size_t kMessageTypes = 8;
  static constexpr std::int32_t kMaxLanguage = 9;
  static constexpr std::int32_t kMaxTraceSize = 1000;

  // Defaults, not marked modified.
  TConfigBaseData();

  // Reading and writing the record's own file belongs to the derived record; these report that
  // and return true (failure).
  [[nodiscard]] virtual bool Load();
  // Appends the "ConfigBase" element to the parent and clears the modified flag.
  virtual void WriteBase(TXmlNode& parent);
  [[nodiscard]] virtual bool Save();
  // The defaults; MainBox covers the top-left quarter of the screen's work area. Sets modified.
  virtual void SetDefaults();
  // Clamps the language and trace size and keeps the main window on the work area. Sets modified.
  virtual void Validate();
  // True when any stored value (or the record kind) differs.
  virtual bool DiffersFrom(const TConfigBaseData& other) const;
  // Records are deleted through base pointers by their owners.
  virtual ~TConfigBaseData() = default;

  TConfigBaseData(const TConfigBaseData&) = default;
  TConfigBaseData& operator=(const TConfigBaseData&) = default;

  // Reads the "ConfigBase" element out of the text; values missing there keep what the record
  // held. Returns true (and changes nothing) when the element is missing; otherwise sets modified.
  bool ReadXml(const char16_t* text);

  // The "MessageBox" element; named apart from the system's MessageBox macro.
  TRect MessageBoxRect;
  std::int32_t recordKind = kRecordKind;  // not stored in the file
  std::int32_t Language = 1;
  std::int32_t TraceSize = 1;
  bool AutoLogoff = true;
  TRect MainBox;
  std::vector<bool> MessageLevel;
  std::vector<bool> MessageTypes;
  bool modified = false;
};
