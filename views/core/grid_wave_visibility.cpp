#include "views/core/grid_wave_visibility.h"

#include <algorithm>

#include "document/wave_name.h"

namespace views {

std::vector<std::size_t> SelectedWaves(const TableRange& selection, std::size_t waveCount) {
  std::vector<std::size_t> waves;
  if (selection.IsEmpty()) return waves;
  for (int column = std::max(selection.firstColumn, 1); column <= selection.lastColumn; ++column) {
    const auto wave = static_cast<std::size_t>((column - 1) / 2);
    if (wave >= waveCount) break;
    if (waves.empty() || waves.back() != wave) waves.push_back(wave);
  }
  return waves;
}

graph::TPlotSettings* WavePlotSettings(TVarnelDoc& doc, std::size_t wave) {
  if (wave >= doc.Waves.size()) return nullptr;
  const auto found = doc.GraphSettings.Plots.find(WaveFullName(doc.Waves[wave]));
  return found == doc.GraphSettings.Plots.end() ? nullptr : &found->second;
}

bool AnySelectedWave(TVarnelDoc& doc, const TableRange& selection, bool hidden) {
  for (std::size_t wave : SelectedWaves(selection, doc.Waves.size())) {
    const graph::TPlotSettings* settings = WavePlotSettings(doc, wave);
    if (settings && settings->Hide == hidden) return true;
  }
  return false;
}

bool SetSelectedWavesHidden(TVarnelDoc& doc, const TableRange& selection, bool hide) {
  bool changed = false;
  for (std::size_t wave : SelectedWaves(selection, doc.Waves.size())) {
    graph::TPlotSettings* settings = WavePlotSettings(doc, wave);
    if (!settings || settings->Hide == hide) continue;
    settings->Hide = hide;
    changed = true;
  }
  if (changed) doc.SetModified(true);
  return changed;
}

}  // namespace views
