// Waves laid out as the grid shows them: one time column and one value column per wave, row k
// holding the k-th sample of every wave. Written tab-separated or as RFC 4180 CSV, in UTF-8.
#pragma once

#include <span>
#include <string>

#include "document/wave.h"

namespace cli {

enum class TTableFormat { Tabs, Csv };

// A header row ("Time" and the item ID per wave), then one row per sample index up to the
// longest wave; a shorter wave leaves its cells empty. Times are day first with milliseconds,
// numbers locale-independent with up to 15 significant digits, NaN as 1.#QNAN.
std::string FormatWaveTable(std::span<const TWave> waves, TTableFormat format);

// The header row of FormatWaveTable alone.
std::string WaveTableHeader(std::span<const TWave> waves, TTableFormat format);
// Appends the rows FormatWaveTable writes for a table of this wave alone, without the header: a
// long read is written this way piece by piece, each piece a wave of its own.
void AppendWaveRows(std::string& out, const TWave& wave, TTableFormat format);

// One cell: CSV quotes a field holding a comma, quote, CR or LF and doubles its quotes; the
// tab-separated form replaces tabs and line breaks by spaces.
std::string TableCell(const std::string& text, TTableFormat format);

// A number as the table writes it.
std::string NumberCell(double y);
// A time stamp as the table writes it: local time, day first, with milliseconds.
std::string TimeCell(double t);

}  // namespace cli
