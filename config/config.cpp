// TConfig: defaults, comparison and the remembered servers.
#include "config/config.h"

#include <algorithm>

#include "app_context/start_directory.h"

TConfig::TConfig() {
  RefreshRate = kDefaultRefreshRate;
  ViewMilliseconds = false;
  ReconnectLostServers = true;
  ConfigBox = kDefaultBox;
  ToolsBox = kDefaultBox;
  Validate();
  PageMargin = {kDefaultMargin, kDefaultMargin, kDefaultMargin, kDefaultMargin};
  Units = kDefaultUnits;
  PaperOrientation = kDefaultPaperOrientation;
  PaperFormat = kDefaultPaperFormat;
  PaperWidth = kDefaultPaperWidth;
  PaperHeight = kDefaultPaperHeight;
}

void TConfig::Validate() { TConfigBaseData::Validate(); }

bool TConfig::DiffersFully(const TConfig& other) const {
  return RefreshRate != other.RefreshRate || ViewMilliseconds != other.ViewMilliseconds ||
         ReconnectLostServers != other.ReconnectLostServers ||
         !(PrinterName == other.PrinterName) || PageMargin != other.PageMargin ||
         Units != other.Units || PaperOrientation != other.PaperOrientation ||
         PaperFormat != other.PaperFormat || PaperWidth != other.PaperWidth ||
         PaperHeight != other.PaperHeight || ConfigBox != other.ConfigBox ||
         ToolsBox != other.ToolsBox || TConfigBaseData::DiffersFrom(other);
}

void TConfig::RememberServer(const HdaServerDef& def) {
  // A copy: the definition may be one of the entries about to be removed.
  const HdaServerDef remembered = def;
  std::erase_if(
      Servers, [&remembered](const HdaServerDef& server) { return server.SameServer(remembered); });
  if (remembered.ReconnectAtStartup) Servers.push_back(remembered);
}

TString TConfig::FileName() { return FileInStartDirectory(kConfigFileLeafName); }
