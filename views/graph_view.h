// The upper pane of a document window: the document's numeric waves as a graph. The view fills
// the graph from the document on every update hint; the graph window covering its client area
// draws it and handles the mouse. The view has the keyboard focus and passes keys and the loss
// of the focus on to the graph window; it copies the graph as a bitmap, opens the legend, and
// copies the settings the user changed into the document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/open_connections.h"
#include "graph/time_columns.h"
#include "text/tstring.h"
#include "views/graph_window.h"
#include "views/varnel_view.h"

namespace views {

class TVarnelGraphView : public TVarnelView {
 public:
  static constexpr wchar_t kClassName[] = L"VarnelGraphView";

  TVarnelGraphView();
  bool Create(HWND parent, UINT id);
  void OnUpdate(ui::View* sender, LPARAM hint) override;
  GraphWindow& GraphPane() { return graph_window_; }
  const GraphWindow& GraphPane() const { return graph_window_; }
  // Shows the point marker on point `index` of the named wave (a double click in the grid).
  void MarkPoint(const TString& wave_name, std::size_t index);
  // Takes the Hide fields of the document's plot settings into the graph and repaints it.
  void ApplyDocumentPlotVisibility();

  // Long waves still to be read or drawn: a posted read, a drawing not yet checked, a paint due.
  bool LongWavesBusy() const;
  // Asks for the reads of long waves whose columns were not read yet (a server connected since).
  void CheckLongWaves();

  // Where long waves read their extremes: the main frame's connections while it exists.
  static void SetWaveSource(IOpenConnections* source);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool OnCreate(const CREATESTRUCTW& create) override;
  void OnSize(UINT type, int cx, int cy) override;
  bool OnEraseBackground(HDC) override { return true; }

 private:
  void ApplyPeriod();
  // The graph's settings into the document; StoreSettings also marks it modified.
  void CopySettingsToDocument();
  void StoreSettings();
  void CopyToClipboard();
  void ShowLegend();
  // Long waves: those whose server holds more of the period than the document's 32000 values.
  void NoteLongWaves();
  void ReadNextLongWave(WPARAM generation);
  void PostRead();
  // `now`: painted at once, not when the message loop next runs.
  void ShowStatus(const std::wstring& text, bool now);

  struct TLongWave {
    std::size_t wave = 0;  // index in the document's waves
    TString name;
    std::optional<graph::TColumnGrid> grid;  // the columns last read for
  };

  GraphWindow graph_window_;
  std::vector<TLongWave> long_waves_;
  std::uint32_t generation_ = 0;
  int posted_reads_ = 0;
  bool reading_ = false;
};

}  // namespace views
