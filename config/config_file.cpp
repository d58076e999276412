// The configuration file: UTF-16LE XML with a byte-order mark, root "Varnel_Configuration".
#include <cstdint>
#include <memory>

#include "config/config.h"
#include "document/log_entry.h"
#include "document/log_message.h"
#include "text/time_base.h"
#include "text/time_fields.h"
#include "text/time_format.h"
#include "xml/xml_doc.h"
#include "xml/xml_file.h"
#include "xml/xml_reader.h"
#include "xml/xml_tree.h"

namespace {

constexpr std::int32_t kConfigVersion = 1;
constexpr std::uint32_t kWriteCapacity = 16000;

std::unique_ptr<TXmlNode> VersionElement() {
  auto node = std::make_unique<TXmlNode>(u"ConfigVersion");
  node->AddChild(new TXmlChild(u"Version", kConfigVersion));
  TTimeFields now;
  TimeToFields(Now(), now);
  node->AddChild(new TXmlChild(u"Created", FormatDateTime(now, false)));
  return node;
}

std::unique_ptr<TXmlNode> GeneralElement(const TConfig& config) {
  auto node = std::make_unique<TXmlNode>(u"General");
  node->AddChild(new TXmlChild(u"RefreshRate", config.RefreshRate));
  node->AddChild(new TXmlChild(u"ViewMilliseconds", std::int32_t{config.ViewMilliseconds}));
  node->AddChild(new TXmlChild(u"ReconnectLostServers", std::int32_t{config.ReconnectLostServers}));
  return node;
}

std::unique_ptr<TXmlNode> PrintingElement(const TConfig& config) {
  auto node = std::make_unique<TXmlNode>(u"Printing");
  node->AddChild(new TXmlChild(u"PrinterName", config.PrinterName));
  node->AddChild(new TXmlNode(u"PageMargin", config.PageMargin));
  node->AddChild(new TXmlChild(u"Units", config.Units));
  node->AddChild(new TXmlChild(u"PaperOrientation", std::int32_t{config.PaperOrientation}));
  node->AddChild(new TXmlChild(u"PaperFormat", std::int32_t{config.PaperFormat}));
  node->AddChild(new TXmlChild(u"PaperWidth", config.PaperWidth));
  node->AddChild(new TXmlChild(u"PaperHeight", config.PaperHeight));
  return node;
}

std::unique_ptr<TXmlNode> RectanglesElement(const TConfig& config) {
  auto node = std::make_unique<TXmlNode>(u"Rectangles");
  node->AddChild(new TXmlNode(u"ConfigBox", config.ConfigBox));
  node->AddChild(new TXmlNode(u"ToolsBox", config.ToolsBox));
  return node;
}

std::unique_ptr<TXmlNode> ServersElement(const TConfig& config) {
  auto node = std::make_unique<TXmlNode>(u"HdaOpcServers");
  for (const HdaServerDef& server : config.Servers) node->AddChild(HdaServerDefElement(server));
  return node;
}

// Each reader returns true when its section is missing.
bool ReadGeneral(TConfig& config, const char16_t* root) {
  TString section;
  if (XmlFindElement(u"General", root, section) == 0) return true;
  XmlGetLong(u"RefreshRate", section.Str(), config.RefreshRate);
  XmlGetBool(u"ViewMilliseconds", section.Str(), config.ViewMilliseconds);
  XmlGetBool(u"ReconnectLostServers", section.Str(), config.ReconnectLostServers);
  return false;
}

// Margins are four independent values, not a rectangle: they are taken as written, where the
// rectangle reader would put a left margin larger than the right one on the other side.
void ReadMargins(TRect& margins, const char16_t* section) {
  TString element;
  if (XmlFindElement(u"PageMargin", section, element) == 0) return;
  XmlGetLong(u"left", element.Str(), margins.left);
  XmlGetLong(u"top", element.Str(), margins.top);
  XmlGetLong(u"right", element.Str(), margins.right);
  XmlGetLong(u"bottom", element.Str(), margins.bottom);
}

bool ReadPrinting(TConfig& config, const char16_t* root) {
  TString section;
  if (XmlFindElement(u"Printing", root, section) == 0) return true;
  TString printer;
  if (XmlGetString(u"PrinterName", section.Str(), printer) != 0) config.PrinterName = printer;
  ReadMargins(config.PageMargin, section.Str());
  XmlGetLong(u"Units", section.Str(), config.Units);
  XmlGetShort(u"PaperOrientation", section.Str(), config.PaperOrientation);
  XmlGetShort(u"PaperFormat", section.Str(), config.PaperFormat);
  XmlGetLong(u"PaperWidth", section.Str(), config.PaperWidth);
  XmlGetLong(u"PaperHeight", section.Str(), config.PaperHeight);
  return false;
}

bool ReadRectangles(TConfig& config, const char16_t* root) {
  TString section;
  if (XmlFindElement(u"Rectangles", root, section) == 0) return true;
  XmlGetRect(config.ConfigBox, section.Str(), u"ConfigBox");
  XmlGetRect(config.ToolsBox, section.Str(), u"ToolsBox");
  return false;
}

bool ReadServers(TConfig& config, const char16_t* root) {
  config.Servers.clear();
  TString section;
  if (XmlFindElement(u"HdaOpcServers", root, section) == 0) return true;
  std::size_t position = 0;
  for (;;) {
    HdaServerDef server;  // each entry starts from the defaults, not from the one before
    if (ReadHdaServerDef(server, section.Str(), position)) break;
    config.Servers.push_back(server);
  }
  return false;
}

}  // namespace

bool TConfig::Load() {
  const TString fileName = FileName();
  TString text;
  const XmlFileStatus status = XmlLoadFile(fileName.Str(), text);
  if (status == XmlFileStatus::CannotOpen) return true;
  LogMessage(kTypeConfiguration, kLevelInfo, u"Loading Configuration from file : ", fileName.Str());
  if (status == XmlFileStatus::NotUnicode) {
    LogMessage(kTypeConfiguration, kLevelWarning, u"File ", fileName.Str(), u" is not Unicode");
    return true;
  }
  if (status == XmlFileStatus::CutShort) {
    LogMessage(kTypeConfiguration, kLevelError, u"File ", fileName.Str(),
               u" could not be read completely");
    return true;
  }
  TString root;
  if (XmlFindElement(u"Varnel_Configuration", text.Str(), root) == 0) return true;
  text.Clear();
  bool missing = ReadGeneral(*this, root.Str());
  missing |= ReadPrinting(*this, root.Str());
  missing |= ReadRectangles(*this, root.Str());
  missing |= ReadServers(*this, root.Str());
  missing |= ReadXml(root.Str());
  Validate();
  return missing;
}

bool TConfig::Save() {
  TXmlDoc xml;
  auto root = std::make_unique<TXmlNode>(u"Varnel_Configuration");
  root->AddChild(VersionElement());
  WriteBase(*root);
  root->AddChild(GeneralElement(*this));
  root->AddChild(PrintingElement(*this));
  root->AddChild(RectanglesElement(*this));
  root->AddChild(ServersElement(*this));
  xml.SetRoot(root.release());

  const TString fileName = FileName();
  if (XmlSaveFile(xml, fileName.Str(), kWriteCapacity)) {
    LogMessage(kTypeConfiguration, kLevelWarning, u"Can not save configuration file : ",
               fileName.Str());
    return true;
  }
  LogMessage(kTypeConfiguration, kLevelInfo, u"Configuration saved into file : ", fileName.Str());
  return false;
}
