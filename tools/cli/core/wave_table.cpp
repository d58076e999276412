#include "tools/cli/core/wave_table.h"

#include <algorithm>
#include <cmath>

#include "text/numbers.h"
#include "text/time_fields.h"
#include "text/time_format.h"
#include "tools/cli/core/utf8.h"

namespace cli {
namespace {

void AppendRow(std::string& out, const std::vector<std::string>& cells, TTableFormat format) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i != 0) out += format == TTableFormat::Csv ? ',' : '\t';
    out += TableCell(cells[i], format);
  }
  out += format == TTableFormat::Csv ? "\r\n" : "\n";
}

// The time and value cells of sample k, empty beyond the wave's end.
void AppendSampleCells(std::vector<std::string>& cells, const TWave& wave, std::size_t k) {
  if (k >= wave.T.size()) {
    cells.emplace_back();
    cells.emplace_back();
    return;
  }
  cells.push_back(TimeCell(wave.T[k]));
  if (k < wave.S.size()) {
    cells.push_back(ToUtf8(wave.S[k]));
  } else if (k < wave.Y.size()) {
    cells.push_back(NumberCell(wave.Y[k]));
  } else {
    cells.emplace_back();
  }
}

}  // namespace

std::string TimeCell(double t) {
  TTimeFields fields;
  TimeToFields(t, fields);
  return ToUtf8(FormatDateTime(fields, true));
}

std::string NumberCell(double y) {
  if (std::isnan(y)) return ToUtf8(kNaNText);
  NumberText text;
  FormatGeneral(y, 15, text, u'.');
  return ToUtf8(text);
}

std::string TableCell(const std::string& text, TTableFormat format) {
  if (format == TTableFormat::Tabs) {
    std::string cell = text;
    std::replace_if(
        cell.begin(), cell.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return cell;
  }
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string cell = "\"";
  for (char c : text) {
    if (c == '"') cell += '"';
    cell += c;
  }
  cell += '"';
  return cell;
}

std::string WaveTableHeader(std::span<const TWave> waves, TTableFormat format) {
  std::string out;
  std::vector<std::string> cells;
  for (const TWave& wave : waves) {
    cells.push_back("Time");
    cells.push_back(ToUtf8(wave.ItemName));
  }
  AppendRow(out, cells, format);
  return out;
}

std::string FormatWaveTable(std::span<const TWave> waves, TTableFormat format) {
  std::string out = WaveTableHeader(waves, format);
  std::vector<std::string> cells;
  std::size_t rows = 0;
  for (const TWave& wave : waves) rows = std::max(rows, wave.T.size());
  for (std::size_t k = 0; k < rows; ++k) {
    cells.clear();
    for (const TWave& wave : waves) AppendSampleCells(cells, wave, k);
    AppendRow(out, cells, format);
  }
  return out;
}

void AppendWaveRows(std::string& out, const TWave& wave, TTableFormat format) {
  std::vector<std::string> cells;
  for (std::size_t k = 0; k < wave.T.size(); ++k) {
    cells.clear();
    AppendSampleCells(cells, wave, k);
    AppendRow(out, cells, format);
  }
}

}  // namespace cli
