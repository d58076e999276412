// The document file: UTF-16LE XML with a byte-order mark, root "VarnelDoc".
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <utility>

#include "document/log_entry.h"
#include "document/log_message.h"
#include "document/plain_point.h"
#include "document/varnel_doc.h"
#include "graph/settings_xml.h"
#include "platform/locale.h"
#include "text/numbers.h"
#include "text/time_base.h"
#include "text/time_fields.h"
#include "text/time_format.h"
#include "xml/xml_doc.h"
#include "xml/xml_file.h"
#include "xml/xml_reader.h"
#include "xml/xml_section.h"
#include "xml/xml_tree.h"

namespace {

constexpr double kFileVersion = 1.36;
constexpr std::int32_t kSavedLocked = 1;  // a reopened document is always locked
constexpr std::uint32_t kWriteCapacity = 256000;
// The shortest text a "Wave" or a "Point" element can take; sizes read from a file reserve no
// more entries than the text could hold.
constexpr std::size_t kMinElementUnits = 13;

// "dd/mm/yyyy hh:mm:ss", or "INF".
TString DateText(double timeStamp) {
  TTimeFields fields;
  TimeToFields(timeStamp, fields);
  return TString(FormatDateTime(fields, false));
}

TString PointNumber(double value) {
  NumberText text;
  FormatNumber(value, 3, text);
  return TString(text);
}

std::int32_t Count(std::size_t size) {
  return static_cast<std::int32_t>(std::min<std::size_t>(size, INT32_MAX));
}

std::unique_ptr<TXmlNode> GeneralElement(const TVarnelDoc& doc) {
  auto general = std::make_unique<TXmlNode>(u"General");
  general->AddChild(new TXmlChild(u"Version", kFileVersion));
  general->AddChild(new TXmlChild(u"Created", DateText(Now())));
  general->AddChild(new TXmlChild(u"WaveNo", Count(doc.Waves.size())));
  general->AddChild(new TXmlChild(u"StartTime", doc.StartTime));
  general->AddChild(new TXmlChild(u"StartDate", DateText(doc.StartTime)));
  general->AddChild(new TXmlChild(u"StopTime", doc.StopTime));
  general->AddChild(new TXmlChild(u"StopDate", DateText(doc.StopTime)));
  general->AddChild(new TXmlChild(u"Period", doc.Period));
  general->AddChild(new TXmlChild(u"Locked", kSavedLocked));
  return general;
}

std::unique_ptr<TXmlNode> WaveElement(const TWave& wave) {
  auto node = std::make_unique<TXmlNode>(u"Wave");
  node->AddChild(new TXmlChild(u"MachineName", wave.MachineName));
  node->AddChild(new TXmlChild(u"ServerName", wave.ServerName));
  node->AddChild(new TXmlChild(u"ItemName", wave.ItemName));
  node->AddChild(new TXmlChild(u"T_Size", Count(wave.T.size())));
  node->AddChild(new TXmlChild(u"Y_Size", Count(wave.Y.size())));
  node->AddChild(new TXmlChild(u"S_Size", Count(wave.S.size())));
  // A wave with numbers is saved with its numbers only.
  const bool numeric = !wave.Y.empty();
  const std::size_t points = std::min(wave.T.size(), numeric ? wave.Y.size() : wave.S.size());
  for (std::size_t i = 0; i < points; ++i) {
    auto point = std::make_unique<TXmlNode>(u"Point");
    point->AddChild(new TXmlChild(u"T", PointNumber(wave.T[i])));
    if (numeric) {
      point->AddChild(new TXmlChild(u"Y", PointNumber(wave.Y[i])));
    } else {
      point->AddChild(new TXmlChild(u"S", wave.S[i]));
    }
    node->AddChild(std::move(point));
  }
  return node;
}

std::unique_ptr<TXmlNode> DocumentElement(const TVarnelDoc& doc) {
  auto root = std::make_unique<TXmlNode>(u"VarnelDoc");
  root->AddChild(GeneralElement(doc));
  auto connections = std::make_unique<TXmlNode>(u"Connections");
  for (const ConnectionInfo& info : doc.Connections) {
    connections->AddChild(ConnectionInfoElement(info));
  }
  root->AddChild(std::move(connections));
  auto waves = std::make_unique<TXmlNode>(u"Waves");
  for (const TWave& wave : doc.Waves) waves->AddChild(WaveElement(wave));
  root->AddChild(std::move(waves));
  root->AddChild(graph::GraphSettingsElement(doc.GraphSettings));
  return root;
}

// Room for a count read from a file, never more than a text of that length could hold.
std::size_t ReservedRoom(std::int32_t count, std::size_t textLength) {
  if (count <= 0) return 0;
  return std::min<std::size_t>(static_cast<std::size_t>(count), textLength / kMinElementUnits);
}

// The readers take their sections in place (see TXmlSection): a point's "T" is found within its
// own "Point" element, never in the next one.
void ReadWave(TWave& wave, const TXmlSection& section) {
  wave.T.clear();
  wave.Y.clear();
  wave.S.clear();
  char16_t* const text = section.Str();
  XmlGetString(u"MachineName", text, wave.MachineName);
  XmlGetString(u"ServerName", text, wave.ServerName);
  XmlGetString(u"ItemName", text, wave.ItemName);
  std::int32_t tSize = 0, ySize = 0, sSize = 0;
  XmlGetLong(u"T_Size", text, tSize);
  XmlGetLong(u"Y_Size", text, ySize);
  XmlGetLong(u"S_Size", text, sSize);
  wave.T.reserve(ReservedRoom(tSize, section.Length()));
  wave.Y.reserve(ReservedRoom(ySize, section.Length()));
  wave.S.reserve(ReservedRoom(sSize, section.Length()));
  const bool numeric = ySize > 0;
  TString value;
  for (std::size_t position = 0;;) {
    double t = 0, y = 0;
    if (numeric) {
      if (const std::size_t length = ReadPlainPoint(text + position, t, y)) {
        position += length;
        wave.T.push_back(t);
        wave.Y.push_back(y);
        continue;
      }
    }
    const TXmlSection point(u"Point", text + position);
    if (!point.Found()) break;
    position += point.Next();
    XmlGetDouble(u"T", point.Str(), t);
    wave.T.push_back(t);
    if (numeric) {
      XmlGetDouble(u"Y", point.Str(), y);
      wave.Y.push_back(y);
    } else {
      XmlGetString(u"S", point.Str(), value);
      wave.S.push_back(value);
    }
  }
  wave.Cut = wave.T.size() >= kMaxWaveValues;
}

// Each reader returns true when its section is missing.
bool ReadGeneral(TVarnelDoc& doc, const TXmlSection& root) {
  const TXmlSection general(u"General", root.Str());
  if (!general.Found()) return true;
  XmlGetDouble(u"StartTime", general.Str(), doc.StartTime);
  XmlGetDouble(u"StopTime", general.Str(), doc.StopTime);
  XmlGetLong(u"Period", general.Str(), doc.Period);
  XmlGetBool(u"Locked", general.Str(), doc.Locked);
  std::int32_t waveCount = 0;
  XmlGetLong(u"WaveNo", general.Str(), waveCount);
  doc.Waves.reserve(ReservedRoom(waveCount, root.Length()));
  return false;
}

// Where the waves lie, in characters from the start of the root's text; all 0 without waves.
struct TWavesPlace {
  std::size_t begin = 0;
  std::size_t end = 0;
};

bool ReadWaves(TVarnelDoc& doc, const TXmlSection& root, TWavesPlace& place) {
  const TXmlSection waves(u"Waves", root.Str());
  if (!waves.Found()) return true;
  place.begin = static_cast<std::size_t>(waves.Str() - root.Str());
  place.end = place.begin + waves.Length();
  for (std::size_t position = 0;;) {
    const TXmlSection wave(u"Wave", waves.Str() + position);
    if (!wave.Found()) break;
    position += wave.Next();
    doc.Waves.emplace_back();
    ReadWave(doc.Waves.back(), wave);
  }
  return false;
}

bool ReadConnections(TVarnelDoc& doc, const TXmlSection& root) {
  const TXmlSection connections(u"Connections", root.Str());
  if (!connections.Found()) return true;
  std::size_t position = 0;
  ConnectionInfo info;
  while (!ReadConnectionInfo(info, connections.Str(), position)) doc.Connections.push_back(info);
  return false;
}

// The graph's settings are looked for before the waves, then after them, never among their
// points: a search from the start of the root would pass every tag of the waves once more.
bool ReadGraph(TVarnelDoc& doc, const TXmlSection& root, const TWavesPlace& waves) {
  char16_t* const text = root.Str();
  if (waves.end == 0) return graph::ReadGraphSettings(doc.GraphSettings, text);
  {
    const TXmlTextEnd beforeWaves(text + waves.begin);
    if (!graph::ReadGraphSettings(doc.GraphSettings, text)) return false;
  }
  return graph::ReadGraphSettings(doc.GraphSettings, text + waves.end);
}

}  // namespace

bool TVarnelDoc::Load(const char16_t* fileName) {
  StopTime = Now();
  StartTime = StartOfUnit(TCalendarUnit::Year, StopTime);
  Waves.clear();
  Connections.clear();
  modified_ = false;

  missingSection_ = u"";
  TXmlFileText text;
  const XmlFileStatus status = text.Load(fileName);
  if (status == XmlFileStatus::CannotOpen) {
    loadOutcome_ = TLoadOutcome::CannotOpen;
    return true;
  }
  LogMessage(kTypeConfiguration, kLevelInfo, u"Loading document from file : ", fileName);
  if (status == XmlFileStatus::NotUnicode) {
    LogMessage(kTypeConfiguration, kLevelWarning, u"File ", fileName, u" is not Unicode");
    loadOutcome_ = TLoadOutcome::NotUnicode;
    return true;
  }
  if (status == XmlFileStatus::CutShort) {
    LogMessage(kTypeConfiguration, kLevelError, u"File ", fileName,
               u" could not be read completely");
    loadOutcome_ = TLoadOutcome::CannotReadAll;
    return true;
  }
  const TXmlSection root(u"VarnelDoc", text.Buffer());
  if (!root.Found()) {
    loadOutcome_ = TLoadOutcome::NoDocument;
    return true;
  }
  // The sections are read as far as they go either way; what is missing is noted in file order.
  TWavesPlace waves;
  const std::pair<const char16_t*, bool> sections[] = {
      {u"General", ReadGeneral(*this, root)},
      {u"Waves", ReadWaves(*this, root, waves)},
      {u"Connections", ReadConnections(*this, root)},
      {u"Graph", ReadGraph(*this, root, waves)},
  };
  bool missing = false;
  for (const auto& [name, absent] : sections) {
    if (absent && !missing) missingSection_ = name;
    missing |= absent;
  }
  loadOutcome_ = missing ? TLoadOutcome::SectionMissing : TLoadOutcome::Read;
  // An element never closed runs to the end of the text: the file ends inside the document.
  constexpr char16_t kClosing[] = u"</VarnelDoc>";
  constexpr std::uint32_t kClosingLength = std::size(kClosing) - 1;
  if (root.Length() < kClosingLength || !std::equal(kClosing, kClosing + kClosingLength,
                                                    root.Str() + root.Length() - kClosingLength)) {
    loadOutcome_ = TLoadOutcome::Unfinished;
  }
  return missing;
}

bool TVarnelDoc::Save(const char16_t* fileName) {
  TXmlDoc xml;
  {
    platform::ScopedFileNumerics numerics;  // point texts are built here, not by the writer
    xml.SetRoot(DocumentElement(*this).release());
  }
  // A failed write leaves the previous file intact.
  if (XmlSaveFile(xml, fileName, kWriteCapacity)) {
    LogMessage(kTypeConfiguration, kLevelError, u"Could not save document into file : ", fileName);
    return true;
  }
  modified_ = false;
  return false;
}
