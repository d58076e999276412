#include "graph/settings_xml.h"

#include "xml/xml_reader.h"

namespace graph {

namespace {

void Add(TXmlNode& node, const char16_t* name, std::int32_t v) {
  node.AddChild(std::make_unique<TXmlChild>(name, v));
}
void AddBool(TXmlNode& node, const char16_t* name, bool v) {
  node.AddChild(std::make_unique<TXmlChild>(name, std::int32_t{v ? 1 : 0}));
}
void AddColor(TXmlNode& node, const char16_t* name, TColor v) {
  node.AddChild(std::make_unique<TXmlChild>(name, std::uint32_t{v}));
}
void AddDouble(TXmlNode& node, const char16_t* name, double v) {
  node.AddChild(std::make_unique<TXmlChild>(name, v));
}
void AddText(TXmlNode& node, const char16_t* name, const TString& v) {
  node.AddChild(std::make_unique<TXmlChild>(name, v));
}

void GetColor(const char16_t* name, const char16_t* text, TColor& color) {
  std::int64_t v = 0;
  if (XmlGetInt64(name, text, v)) color = static_cast<TColor>(v);
}
void GetText(const char16_t* name, const char16_t* text, TString& value) {
  TString read;
  if (XmlGetString(name, text, read)) value = read;
}

// The element of `name` at or after `position`; moves position past it.
bool FindAt(const char16_t* name, const char16_t* text, std::size_t& position, TString& element) {
  std::size_t end = XmlFindElement(name, text + position, element);
  if (end == 0) return true;
  position += end;
  return false;
}

}  // namespace

std::unique_ptr<TXmlNode> AxisSettingElement(const TAxisSettings& a) {
  auto node = std::make_unique<TXmlNode>(u"AxisSetting");
  TXmlNode& n = *node;
  Add(n, u"Id", a.Id);
  AddText(n, u"Name", a.Name);
  Add(n, u"Location", a.Location);
  Add(n, u"Format", a.Format);
  AddBool(n, u"Hide", a.Hide);
  AddColor(n, u"Background", a.Background);
  AddColor(n, u"PrintBackground", a.PrintBackground);
  Add(n, u"PenSize", a.PenSize);
  AddColor(n, u"PenColor", a.PenColor);
  AddColor(n, u"PenPrintColor", a.PenPrintColor);
  Add(n, u"GridPenSize", a.GridPenSize);
  AddColor(n, u"GridPenColor", a.GridPenColor);
  AddColor(n, u"GridPenPrintColor", a.GridPenPrintColor);
  AddText(n, u"FontName", a.FontName);
  AddText(n, u"PowerFontName", a.PowerFontName);
  Add(n, u"FontSize", a.FontSize);
  Add(n, u"PowerFontSize", a.PowerFontSize);
  AddColor(n, u"FontColor", a.FontColor);
  AddColor(n, u"FontPrintColor", a.FontPrintColor);
  Add(n, u"Width", a.Width);
  Add(n, u"Height", a.Height);
  AddBool(n, u"AutoScale", a.AutoScale);
  AddDouble(n, u"MinValue", a.MinValue);
  AddDouble(n, u"MaxValue", a.MaxValue);
  AddDouble(n, u"Exponent", a.Exponent);
  AddBool(n, u"ManualTicks", a.ManualTicks);
  AddDouble(n, u"FirstMajorTick", a.FirstMajorTick);
  AddDouble(n, u"FirstMinorTick", a.FirstMinorTick);
  AddDouble(n, u"FirstMicroTick", a.FirstMicroTick);
  AddDouble(n, u"MajorTickGap", a.MajorTickGap);
  AddDouble(n, u"MinorTickGap", a.MinorTickGap);
  AddDouble(n, u"MicroTickGap", a.MicroTickGap);
  Add(n, u"MajorTickSize", a.MajorTickSize);
  Add(n, u"MinorTickSize", a.MinorTickSize);
  Add(n, u"MicroTickSize", a.MicroTickSize);
  Add(n, u"Decimals", a.Decimals);
  Add(n, u"GridType", a.GridType);
  return node;
}

bool ReadAxisSetting(TAxisSettings& a, const char16_t* text, std::size_t& position) {
  TString element;
  if (FindAt(u"AxisSetting", text, position, element)) return true;
  const char16_t* e = element.Str();
  XmlGetLong(u"Id", e, a.Id);
  GetText(u"Name", e, a.Name);
  XmlGetLong(u"Location", e, a.Location);
  XmlGetLong(u"Format", e, a.Format);
  XmlGetBool(u"Hide", e, a.Hide);
  GetColor(u"Background", e, a.Background);
  GetColor(u"PrintBackground", e, a.PrintBackground);
  XmlGetLong(u"PenSize", e, a.PenSize);
  GetColor(u"PenColor", e, a.PenColor);
  GetColor(u"PenPrintColor", e, a.PenPrintColor);
  XmlGetLong(u"GridPenSize", e, a.GridPenSize);
  GetColor(u"GridPenColor", e, a.GridPenColor);
  GetColor(u"GridPenPrintColor", e, a.GridPenPrintColor);
  GetText(u"FontName", e, a.FontName);
  GetText(u"PowerFontName", e, a.PowerFontName);
  XmlGetLong(u"FontSize", e, a.FontSize);
  XmlGetLong(u"PowerFontSize", e, a.PowerFontSize);
  GetColor(u"FontColor", e, a.FontColor);
  GetColor(u"FontPrintColor", e, a.FontPrintColor);
  XmlGetLong(u"Width", e, a.Width);
  XmlGetLong(u"Height", e, a.Height);
  XmlGetBool(u"AutoScale", e, a.AutoScale);
  XmlGetDouble(u"MinValue", e, a.MinValue);
  XmlGetDouble(u"MaxValue", e, a.MaxValue);
  XmlGetDouble(u"Exponent", e, a.Exponent);
  XmlGetBool(u"ManualTicks", e, a.ManualTicks);
  XmlGetDouble(u"FirstMajorTick", e, a.FirstMajorTick);
  XmlGetDouble(u"FirstMinorTick", e, a.FirstMinorTick);
  XmlGetDouble(u"FirstMicroTick", e, a.FirstMicroTick);
  XmlGetDouble(u"MajorTickGap", e, a.MajorTickGap);
  XmlGetDouble(u"MinorTickGap", e, a.MinorTickGap);
  XmlGetDouble(u"MicroTickGap", e, a.MicroTickGap);
  XmlGetLong(u"MajorTickSize", e, a.MajorTickSize);
  XmlGetLong(u"MinorTickSize", e, a.MinorTickSize);
  XmlGetLong(u"MicroTickSize", e, a.MicroTickSize);
  XmlGetLong(u"Decimals", e, a.Decimals);
  XmlGetLong(u"GridType", e, a.GridType);
  return false;
}

std::unique_ptr<TXmlNode> PlotSettingElement(const TPlotSettings& p) {
  auto node = std::make_unique<TXmlNode>(u"PlotSetting");
  TXmlNode& n = *node;
  Add(n, u"LineType", p.LineType);
  Add(n, u"LineWidth", p.LineWidth);
  Add(n, u"LineColor", static_cast<std::int32_t>(p.LineColor));
  Add(n, u"FillColor", static_cast<std::int32_t>(p.FillColor));
  Add(n, u"MarkerSize", p.MarkerSize);
  Add(n, u"MarkerShape", p.MarkerShape);
  Add(n, u"MarkerColor", static_cast<std::int32_t>(p.MarkerColor));
  Add(n, u"YAxisId", p.YAxisId);
  Add(n, u"XAxisId", p.XAxisId);
  AddBool(n, u"Hide", p.Hide);
  AddText(n, u"Name", p.Name);
  return node;
}

bool ReadPlotSetting(TPlotSettings& p, const char16_t* text, std::size_t& position) {
  TString element;
  if (FindAt(u"PlotSetting", text, position, element)) return true;
  const char16_t* e = element.Str();
  XmlGetLong(u"LineType", e, p.LineType);
  XmlGetLong(u"LineWidth", e, p.LineWidth);
  GetColor(u"LineColor", e, p.LineColor);
  GetColor(u"FillColor", e, p.FillColor);
  XmlGetLong(u"MarkerSize", e, p.MarkerSize);
  XmlGetLong(u"MarkerShape", e, p.MarkerShape);
  GetColor(u"MarkerColor", e, p.MarkerColor);
  XmlGetLong(u"YAxisId", e, p.YAxisId);
  XmlGetLong(u"XAxisId", e, p.XAxisId);
  XmlGetBool(u"Hide", e, p.Hide);
  GetText(u"Name", e, p.Name);
  return false;
}

std::unique_ptr<TXmlNode> GraphSettingsElement(const TGraphSettings& g) {
  auto node = std::make_unique<TXmlNode>(u"GraphSettings");
  auto general = std::make_unique<TXmlNode>(u"General");
  AddColor(*general, u"Background", g.Background);
  AddColor(*general, u"PrintBackground", g.PrintBackground);
  Add(*general, u"Space", g.Space);
  general->AddChild(std::make_unique<TXmlNode>(u"Margin", g.Margin));
  node->AddChild(std::move(general));
  auto axes = std::make_unique<TXmlNode>(u"AxisSettings");
  for (const auto& [id, axis] : g.Axes) axes->AddChild(AxisSettingElement(axis));
  node->AddChild(std::move(axes));
  auto plots = std::make_unique<TXmlNode>(u"PlotSettings");
  for (const auto& [name, plot] : g.Plots) plots->AddChild(PlotSettingElement(plot));
  node->AddChild(std::move(plots));
  return node;
}

bool ReadGraphSettings(TGraphSettings& g, const char16_t* text) {
  TString root;
  if (XmlFindElement(u"GraphSettings", text, root) == 0) return true;
  TString section;
  if (XmlFindElement(u"General", root.Str(), section)) {
    const char16_t* e = section.Str();
    GetColor(u"Background", e, g.Background);
    GetColor(u"PrintBackground", e, g.PrintBackground);
    XmlGetLong(u"Space", e, g.Space);
    XmlGetRect(g.Margin, e, u"Margin");
  }
  // One working record per map: a child missing from an element keeps the value read from the
  // element before it.
  if (XmlFindElement(u"AxisSettings", root.Str(), section)) {
    g.Axes.clear();
    TAxisSettings working(-1, kLeft);
    std::size_t position = 0;
    while (!ReadAxisSetting(working, section.Str(), position)) {
      g.Axes.insert_or_assign(working.Id, working);
    }
  }
  if (XmlFindElement(u"PlotSettings", root.Str(), section)) {
    g.Plots.clear();
    TPlotSettings working;
    std::size_t position = 0;
    while (!ReadPlotSetting(working, section.Str(), position)) {
      g.Plots.insert_or_assign(working.Name, working);
    }
  }
  g.EnsureAxes();
  return false;
}

}  // namespace graph
