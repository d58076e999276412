// A document's graph built and drawn with its long waves over the whole period, for callers that
// draw once and wait (varnel-cli render, the benchmarks): each wave cut at the document's 32000
// values is marked cut, then read from its open server over the time axis's pixel columns as the
// window reads it (raw when few, else per-column extremes), and the graph is drawn again while a
// reading changed the columns (new value bounds can widen the value axis's labels). The document
// window does the same a wave per posted message.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "document/open_connections.h"
#include "document/varnel_doc.h"
#include "graph/graph.h"

// The graph as the document window shows it after opening the document: its settings, one plot
// per numeric wave under the wave's full name, and the period as the time axes' range.
void BuildDocumentGraph(const TVarnelDoc& doc, graph::TGraph& graph);

// The open connection to the wave's server, if any.
std::optional<ConnectionId> OpenConnectionOf(const TWave& wave, const IOpenConnections& source);

// Widens a cut wave's plot to the bounds of every value of the document's period, when its
// server is open and can say them exactly: the value axes then take their final labels, and so the
// time axis its final columns, before the wave's extremes are read for those columns (else each
// reading that moves the labels leaves every wave read before it to be read again).
void WidenToPeriodBounds(const TVarnelDoc& doc, const TWave& wave, graph::TPlot& plot,
                         IOpenConnections& source);

// A wave the drawing could not show whole: its server is not open, cannot give its columns
// exactly, or holds more than the raw budget; drawn up to `cutAfter`.
struct TCutWave {
  const TWave* wave = nullptr;
  double cutAfter = 0;
};

// `graph` holds the document's plots under the waves' full names and `draw` draws it where the
// caller wants it. Returns the waves left cut.
std::vector<TCutWave> DrawLongWaves(const TVarnelDoc& doc, graph::TGraph& graph,
                                    const std::function<void()>& draw, IOpenConnections& source);
