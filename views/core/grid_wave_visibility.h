// Showing and hiding the waves of the selected grid columns in the graph: each column from 1 on
// belongs to wave (column - 1) / 2, whose plot settings are found by the wave's full name.
#pragma once

#include <cstddef>
#include <vector>

#include "document/varnel_doc.h"
#include "graph/plot_settings.h"
#include "views/core/grid_range.h"

namespace views {

// The waves of the selected columns, each once, in column order; column 0 and columns past the
// last wave give none.
std::vector<std::size_t> SelectedWaves(const TableRange& selection, std::size_t waveCount);

// The plot settings of the document's wave, or null when the graph settings hold none for it.
graph::TPlotSettings* WavePlotSettings(TVarnelDoc& doc, std::size_t wave);

// Whether a selected wave with plot settings is hidden (hidden = true) or shown (false): the
// enabling of "Show" and "Hide".
bool AnySelectedWave(TVarnelDoc& doc, const TableRange& selection, bool hidden);

// Hides or shows the selected waves that have plot settings. When a setting changed, the
// document is marked modified and true is returned.
bool SetSelectedWavesHidden(TVarnelDoc& doc, const TableRange& selection, bool hide);

}  // namespace views
