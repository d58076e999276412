// The graph's settings as XML elements: "AxisSetting", "PlotSetting" and "GraphSettings".
// Readers return false on success and true when there is no such element in the text; values
// whose child element is missing keep what the record held.
#pragma once

#include <cstddef>
#include <memory>

#include "graph/axis_settings.h"
#include "graph/graph_settings.h"
#include "graph/plot_settings.h"
#include "xml/xml_tree.h"

namespace graph {

std::unique_ptr<TXmlNode> AxisSettingElement(const TAxisSettings& axis);
std::unique_ptr<TXmlNode> PlotSettingElement(const TPlotSettings& plot);
std::unique_ptr<TXmlNode> GraphSettingsElement(const TGraphSettings& graph);

// Reads the first element at or after `position` in text and moves `position` past it.
bool ReadAxisSetting(TAxisSettings& axis, const char16_t* text, std::size_t& position);
bool ReadPlotSetting(TPlotSettings& plot, const char16_t* text, std::size_t& position);
// Reads the first "GraphSettings" element of the text, then adds missing axes.
bool ReadGraphSettings(TGraphSettings& graph, const char16_t* text);

}  // namespace graph
