// TConfig: the application's own settings, kept in "Varnel_Config.xml" in the start directory.
// The main frame owns the live record; every view holds a copy.
#pragma once

#include <cstdint>
#include <vector>

#include "document/connection_info.h"
#include "platform/rect.h"
#include "text/tstring.h"
#include "xml/config_base.h"

inline constexpr char16_t kConfigFileLeafName[] = u"Varnel_Config.xml";

class TConfig : public TConfigBaseData {
 public:
  static constexpr std::int32_t kDefaultRefreshRate = 60;
  static constexpr std::int32_t kDefaultMargin = 1134;         // twips: 2 cm
  static constexpr std::int32_t kDefaultUnits = 1;             // hundredths of a millimetre
  static constexpr std::int16_t kDefaultPaperOrientation = 1;  // portrait
  static constexpr std::int16_t kDefaultPaperFormat = 9;       // A4
  static constexpr std::int32_t kDefaultPaperWidth = 11904;    // A4, twips
  static constexpr std::int32_t kDefaultPaperHeight = 16836;
  static constexpr TRect kDefaultBox{40, 50, 400, 200};  // ConfigBox and ToolsBox

  // The base record's defaults, then this record's: the refresh values, the reconnection of lost
  // servers and the two rectangles,
  // one Validate, then the printing values.
  TConfig();

  // Reads the file over the current values: a value missing there keeps what the record held,
  // except the server list, which is emptied first. Returns false when every section was found,
  // true when the file cannot be opened, is not Unicode, has no root or lacks a section.
  [[nodiscard]] bool Load() override;
  // Writes every value to the file, replacing it only once the new text is complete. Returns
  // false on success; on failure the previous file is still there.
  [[nodiscard]] bool Save() override;
  // The base record's checks; this record adds none.
  void Validate() override;

  // True when any value except the server list differs: this record's own values, the two
  // rectangles, and the base record's values.
  bool DiffersFully(const TConfig& other) const;

  // Removes every entry for the same machine and server (compared exactly), then appends the
  // definition when it asks for reconnection at start-up.
  void RememberServer(const HdaServerDef& def);

  // The start directory's "Varnel_Config.xml".
  static TString FileName();

  // Defaults are given by the constructor.
  std::int32_t RefreshRate;  // seconds; 0: no automatic refresh
  bool ViewMilliseconds;
  // A connection lost without the user's doing is tried again until its server answers.
  bool ReconnectLostServers;
  TString PrinterName;  // empty: the system's default printer
  TRect PageMargin;     // twips
  std::int32_t Units;   // 1: hundredths of a millimetre; any other value: thousandths of an inch
  std::int16_t PaperOrientation;
  std::int16_t PaperFormat;
  std::int32_t PaperWidth;  // twips
  std::int32_t PaperHeight;
  TRect ConfigBox;  // where the configuration sheet opens
  TRect ToolsBox;
  std::vector<HdaServerDef> Servers;  // reconnected at start-up when they ask for it
};
