// Defaults, validation, comparison and the "ConfigBase" element of the common settings.
#include "xml/config_base.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <string>

#include "platform/screen.h"
#include "text/assert_report.h"
#include "text/integer_text.h"
#include "xml/xml_reader.h"
#include "xml/xml_tree.h"

namespace {

constexpr TRect kDefaultMessageBox{50, 50, 200, 200};
constexpr std::int64_t kMinVisible = 96;  // of the main window, in pixels
constexpr std::int64_t kMinMainWidth = 400;

// "MessageLevel_" + index: the indexed element names.
std::u16string IndexedName(const char16_t* prefix, std::size_t index) {
  return std::u16string(prefix) + IntegerText(static_cast<std::int64_t>(index)).Str();
}

// Work areas come as `long`; a seam can make them wider than a coordinate.
std::int32_t Clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void ReadSwitches(const char16_t* prefix, const char16_t* text, std::vector<bool>& switches) {
  for (std::size_t i = 0; i < switches.size(); ++i) {
    bool on = switches[i];
    XmlGetBool(IndexedName(prefix, i).c_str(), text, on);
    switches[i] = on;
  }
}

void WriteSwitches(const char16_t* prefix, const std::vector<bool>& switches, TXmlNode& node) {
  for (std::size_t i = 0; i < switches.size(); ++i) {
    node.AddChild(new TXmlChild(IndexedName(prefix, i).c_str(), std::int32_t{switches[i]}));
  }
}

}  // namespace

TConfigBaseData::TConfigBaseData()
    : messageLevel(kMessageLevels, true), messageTypes(kMessageTypes, true) {
  TConfigBaseData::SetDefaults();  // this class's defaults: a derived record is not built yet
  modified = false;
}

bool TConfigBaseData::Load() {
  AssertReport(u"You should override this function", "ConfigBase", false);
  return true;
}

bool TConfigBaseData::Save() {
  AssertReport(u"You should override this function", "ConfigBase", false);
  return true;
}

void TConfigBaseData::SetDefaults() {
  const platform::ScreenRect area = platform::WorkArea();
  language = 1;
  std::fill(messageLevel.begin(), messageLevel.end(), true);
  std::fill(messageTypes.begin(), messageTypes.end(), true);
  traceSize = 1;
  autoLogoff = true;
  mainBox.left = static_cast<std::int32_t>(area.left);
  mainBox.top = static_cast<std::int32_t>(area.top);
  mainBox.right = static_cast<std::int32_t>(area.left + (area.right - area.left) / 2);
  mainBox.bottom = static_cast<std::int32_t>(area.top + (area.bottom - area.top) / 2);
  messageBox = kDefaultMessageBox;
  modified = true;
}

void TConfigBaseData::Validate() {
  language = std::clamp(language, 0, kMaxLanguage);
  traceSize = std::clamp(traceSize, 0, kMaxTraceSize);

  const platform::ScreenRect area = platform::WorkArea();
  const std::int64_t width = area.right - area.left;
  const std::int64_t height = area.bottom - area.top;
  // Both limits as written: the upper one first, so a screen narrower than 96 gives 0.
  const std::int64_t left =
      std::max<std::int64_t>(std::min<std::int64_t>(mainBox.left, width - kMinVisible), 0);
  const std::int64_t top =
      std::max<std::int64_t>(std::min<std::int64_t>(mainBox.top, height - kMinVisible), 0);
  const std::int64_t right =
      std::max(std::min<std::int64_t>(mainBox.right, width + left), left + kMinMainWidth);
  const std::int64_t bottom =
      std::max(std::min<std::int64_t>(mainBox.bottom, height + top), top + kMinVisible);
  mainBox = {Clamp32(left), Clamp32(top), Clamp32(right), Clamp32(bottom)};
  modified = true;
}

bool TConfigBaseData::DiffersFrom(const TConfigBaseData& other) const {
  return recordKind != other.recordKind || language != other.language ||
         messageLevel != other.messageLevel || messageTypes != other.messageTypes ||
         traceSize != other.traceSize || mainBox != other.mainBox ||
         messageBox != other.messageBox || autoLogoff != other.autoLogoff;
}

bool TConfigBaseData::ReadXml(const char16_t* text) {
  TString element;
  if (XmlFindElement(u"ConfigBase", text, element) == 0) return true;
  const char16_t* base = element.Str();
  XmlGetLong(u"Language", base, language);
  ReadSwitches(u"MessageLevel_", base, messageLevel);
  ReadSwitches(u"MessageTypes_", base, messageTypes);
  XmlGetLong(u"TraceSize", base, traceSize);
  XmlGetBool(u"AutoLogoff", base, autoLogoff);
  XmlGetRect(mainBox, base, u"MainBox");
  XmlGetRect(messageBox, base, u"MessageBox");
  modified = true;
  return false;
}

void TConfigBaseData::WriteBase(TXmlNode& parent) {
  auto node = std::make_unique<TXmlNode>(u"ConfigBase");
  node->AddChild(new TXmlChild(u"Language", language));
  WriteSwitches(u"MessageLevel_", messageLevel, *node);
  WriteSwitches(u"MessageTypes_", messageTypes, *node);
  node->AddChild(new TXmlChild(u"TraceSize", traceSize));
  node->AddChild(new TXmlChild(u"AutoLogoff", std::int32_t{autoLogoff}));
  node->AddChild(new TXmlNode(u"MainBox", mainBox));
  node->AddChild(new TXmlNode(u"MessageBox", messageBox));
  parent.AddChild(std::move(node));
  modified = false;
}
