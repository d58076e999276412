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
    : MessageLevel(kMessageLevels, true), MessageTypes(kMessageTypes, true) {
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
  Language = 1;
  std::fill(MessageLevel.begin(), MessageLevel.end(), true);
  std::fill(MessageTypes.begin(), MessageTypes.end(), true);
  TraceSize = 1;
  AutoLogoff = true;
  MainBox.left = static_cast<std::int32_t>(area.left);
  MainBox.top = static_cast<std::int32_t>(area.top);
  MainBox.right = static_cast<std::int32_t>(area.left + (area.right - area.left) / 2);
  MainBox.bottom = static_cast<std::int32_t>(area.top + (area.bottom - area.top) / 2);
  MessageBoxRect = kDefaultMessageBox;
  modified = true;
}

void TConfigBaseData::Validate() {
  Language = std::clamp(Language, 0, kMaxLanguage);
  TraceSize = std::clamp(TraceSize, 0, kMaxTraceSize);

  const platform::ScreenRect area = platform::WorkArea();
  const std::int64_t width = area.right - area.left;
  const std::int64_t height = area.bottom - area.top;
  // Both limits as written: the upper one first, so a screen narrower than 96 gives 0.
  const std::int64_t left =
      std::max<std::int64_t>(std::min<std::int64_t>(MainBox.left, width - kMinVisible), 0);
  const std::int64_t top =
      std::max<std::int64_t>(std::min<std::int64_t>(MainBox.top, height - kMinVisible), 0);
  const std::int64_t right =
      std::max(std::min<std::int64_t>(MainBox.right, width + left), left + kMinMainWidth);
  const std::int64_t bottom =
      std::max(std::min<std::int64_t>(MainBox.bottom, height + top), top + kMinVisible);
  MainBox = {Clamp32(left), Clamp32(top), Clamp32(right), Clamp32(bottom)};
  modified = true;
}

bool TConfigBaseData::DiffersFrom(const TConfigBaseData& other) const {
  return recordKind != other.recordKind || Language != other.Language ||
         MessageLevel != other.MessageLevel || MessageTypes != other.MessageTypes ||
         TraceSize != other.TraceSize || MainBox != other.MainBox ||
         MessageBoxRect != other.MessageBoxRect || AutoLogoff != other.AutoLogoff;
}

bool TConfigBaseData::ReadXml(const char16_t* text) {
  TString element;
  if (XmlFindElement(u"ConfigBase", text, element) == 0) return true;
  const char16_t* base = element.Str();
  XmlGetLong(u"Language", base, Language);
  ReadSwitches(u"MessageLevel_", base, MessageLevel);
  ReadSwitches(u"MessageTypes_", base, MessageTypes);
  XmlGetLong(u"TraceSize", base, TraceSize);
  XmlGetBool(u"AutoLogoff", base, AutoLogoff);
  XmlGetRect(MainBox, base, u"MainBox");
  XmlGetRect(MessageBoxRect, base, u"MessageBox");
  modified = true;
  return false;
}

void TConfigBaseData::WriteBase(TXmlNode& parent) {
  auto node = std::make_unique<TXmlNode>(u"ConfigBase");
  node->AddChild(new TXmlChild(u"Language", Language));
  WriteSwitches(u"MessageLevel_", MessageLevel, *node);
  WriteSwitches(u"MessageTypes_", MessageTypes, *node);
  node->AddChild(new TXmlChild(u"TraceSize", TraceSize));
  node->AddChild(new TXmlChild(u"AutoLogoff", std::int32_t{AutoLogoff}));
  node->AddChild(new TXmlNode(u"MainBox", MainBox));
  node->AddChild(new TXmlNode(u"MessageBox", MessageBoxRect));
  parent.AddChild(std::move(node));
  modified = false;
}
