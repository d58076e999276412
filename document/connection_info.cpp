#include "document/connection_info.h"

#include <algorithm>
#include <cstdint>

#include "xml/xml_reader.h"
#include "xml/xml_tree.h"

bool ConnectionInfo::AddItemName(const TString& itemName) {
  if (std::find(ItemNames.begin(), ItemNames.end(), itemName) != ItemNames.end()) return false;
  ItemNames.push_back(itemName);
  return true;
}

std::unique_ptr<TXmlNode> HdaServerDefElement(const HdaServerDef& server) {
  auto node = std::make_unique<TXmlNode>(u"HdaServerDef");
  node->AddChild(new TXmlChild(u"MachineName", server.MachineName));
  node->AddChild(new TXmlChild(u"ServerName", server.ServerName));
  node->AddChild(
      new TXmlChild(u"ReconnectAtStartup", static_cast<std::int32_t>(server.ReconnectAtStartup)));
  return node;
}

std::unique_ptr<TXmlNode> ConnectionInfoElement(const ConnectionInfo& info) {
  auto node = std::make_unique<TXmlNode>(u"ConnectionInfo");
  node->AddChild(HdaServerDefElement(info));
  auto items = std::make_unique<TXmlNode>(u"ItemNames");
  items->AddChild(new TXmlChild(u"ItemNo", static_cast<std::int32_t>(info.ItemNames.size())));
  for (const TString& name : info.ItemNames) items->AddChild(new TXmlChild(u"ItemName", name));
  node->AddChild(std::move(items));
  return node;
}

namespace {

void ReadServerFields(HdaServerDef& server, const char16_t* element) {
  TString text;
  if (XmlGetString(u"MachineName", element, text) != 0) server.MachineName = text;
  if (XmlGetString(u"ServerName", element, text) != 0) server.ServerName = text;
  std::int64_t reconnect = 0;
  if (XmlGetInt64(u"ReconnectAtStartup", element, reconnect) != 0) {
    server.ReconnectAtStartup = reconnect != 0;
  }
}

}  // namespace

bool ReadHdaServerDef(HdaServerDef& server, const char16_t* text, std::size_t& position) {
  TString element;
  const std::size_t step = XmlFindElement(u"HdaServerDef", text + position, element);
  if (step == 0) return true;
  ReadServerFields(server, element.Str());
  position += step;
  return false;
}

bool ReadConnectionInfo(ConnectionInfo& info, const char16_t* text, std::size_t& position) {
  TString element;
  const std::size_t step = XmlFindElement(u"ConnectionInfo", text + position, element);
  if (step == 0) return true;
  ConnectionInfo read;
  std::size_t serverPosition = 0;
  ReadHdaServerDef(read, element.Str(), serverPosition);
  TString items;
  if (XmlFindElement(u"ItemNames", element.Str(), items) != 0) {
    TString name;
    std::size_t itemPosition = 0;
    while (std::size_t itemStep = XmlGetString(u"ItemName", items.Str() + itemPosition, name)) {
      itemPosition += itemStep;
      read.ItemNames.push_back(name);
    }
  }
  info = std::move(read);
  position += step;
  return false;
}
