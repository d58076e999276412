// The grid view with a document in a document window's splitter, beside a graph view: the
// table it lays out, the text it copies to the clipboard, hiding and showing waves in the graph,
// the commands' states, what survives a rebuild, and the pages it prints.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "strings/command_ids.h"
#include "document/wave_name.h"
#include "tests/grid/grid_test_window.h"
#include "text/time_base.h"
#include "ui/clipboard_text.h"
#include "ui/memory_bitmap.h"
#include "ui/splitter.h"
#include "views/graph_view.h"
#include "views/grid_view.h"

namespace grid_test {
namespace {

using ui::GridCellRange;

// 25/12/2024 13:45:10 UTC.
constexpr double kStart = 1735134310000.0;

TWave Wave(const char16_t* item, std::size_t count, bool texts = false) {
  TWave wave;
  wave.ServerName = u"Sim";
  wave.ItemName = item;
  for (std::size_t i = 0; i < count; ++i) {
    wave.T.push_back(kStart + 1000.0 * static_cast<double>(i));
    wave.Y.push_back(0.5 * static_cast<double>(i));
    if (texts) wave.S.emplace_back(i % 2 ? u"off" : u"on");
  }
  return wave;
}

class GridViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_offset_ = SetLocalOffsetForTesting(0);
    TVarnelDoc& doc = document_.Doc();
    doc.Waves.push_back(Wave(u"Plant1.Unit2.Temp.Outlet", 40));
    doc.Waves.push_back(Wave(u"Valve", 3, true));
    doc.Waves.push_back(Wave(u"Level", 5));
    host_ = std::make_unique<HostWindow>(700, 450);
    ASSERT_TRUE(splitter_.Create(host_->Hwnd(), 0.5));
    MoveWindow(splitter_.Hwnd(), 0, 0, 700, 450, TRUE);
    graph_.SetDocument(&document_);
    grid_.SetDocument(&document_);
    ASSERT_TRUE(graph_.Create(splitter_.Hwnd(), ui::kFirstPaneId));
    ASSERT_TRUE(grid_.Create(splitter_.Hwnd(), ui::kSecondPaneId));
    splitter_.SetPanes(graph_.Hwnd(), grid_.Hwnd());
    grid_.Grid().SetSmoothScrolling(false);
    // The first showing: the graph stores its plots' settings in the document.
    graph_.OnUpdate(nullptr, views::kHintFull);
    grid_.OnUpdate(nullptr, views::kHintFull);
    doc.SetModified(false);
  }
  void TearDown() override { SetLocalOffsetForTesting(saved_offset_); }

  bool Enabled(UINT id) {
    ui::CommandState state{id};
    ui::CommandChain{&grid_}.Update(state);
    return state.enabled;
  }
  bool GraphHides(std::size_t wave) {
    const TString name = WaveFullName(document_.Doc().Waves[wave]);
    return graph_.GraphPane().Graph().Settings().Plots.at(name).Hide;
  }

  views::VarnelDocument document_;
  std::unique_ptr<HostWindow> host_;
  ui::Splitter splitter_;
  views::TVarnelGraphView graph_;
  views::TVarnelGridView grid_;
  double saved_offset_ = 0;
};

TEST_F(GridViewTest, LaysOutTheTableOfTheDocument) {
  ui::TGridCtrl& grid = grid_.Grid();
  EXPECT_EQ(grid.GetRowCount(), 40 + 3);
  EXPECT_EQ(grid.GetColumnCount(), 7);
  EXPECT_EQ(grid.GetFixedRowCount(), 2);
  EXPECT_EQ(grid.GetFixedColumnCount(), 1);
  EXPECT_EQ(grid.GetColumnWidth(0), 32);
  for (int column = 1; column < 7; ++column) EXPECT_EQ(grid.GetColumnWidth(column), 130);
  EXPECT_EQ(grid.GetBkColor(), RGB(235, 235, 235));
  EXPECT_EQ(grid.GetItemText(0, 0), L"#");
  EXPECT_EQ(grid.GetItemText(0, 2), L"Plant1.Unit2.Temp.");
  EXPECT_EQ(grid.GetItemText(1, 2), L"Outlet");
  EXPECT_EQ(grid.GetItemText(2, 0), L"0");
  EXPECT_EQ(grid.GetItemText(3, 1), L"25/12/2024 13:45:11");
  EXPECT_EQ(grid.GetItemText(3, 2), L"0.500");
  EXPECT_EQ(grid.GetItemText(3, 4), L"off");
  EXPECT_EQ(grid.GetItemText(5, 4), L"");

  // With milliseconds from the configuration, after the next update.
  TConfig config = grid_.Config();
  config.ViewMilliseconds = true;
  grid_.SetConfig(config);
  grid_.OnUpdate(nullptr, views::kHintConfiguration);
  EXPECT_EQ(grid.GetItemText(3, 1), L"25/12/2024 13:45:11.000");
}

TEST_F(GridViewTest, CopiesTheSelectionToTheClipboardAsText) {
  EXPECT_FALSE(Enabled(ID_EDIT_COPY));
  grid_.Grid().SetSelectedRange({2, 1, 3, 4});
  EXPECT_TRUE(Enabled(ID_EDIT_COPY));
  ui::CommandChain{&grid_}.Execute(ID_EDIT_COPY);
  EXPECT_EQ(ui::ClipboardText(host_->Hwnd()),
            L"Time\tPlant1.Unit2.Temp.Outlet\tTime\tValve\r\n"
            L"25/12/2024 13:45:10\t0.000\t25/12/2024 13:45:10\ton\r\n"
            L"25/12/2024 13:45:11\t0.500\t25/12/2024 13:45:11\toff\r\n");
  grid_.Grid().SetSelectedRange({6, 2, 7, 4});
  grid_.CopySelection();
  EXPECT_EQ(ui::ClipboardText(host_->Hwnd()), L"2.000\t\t\r\n2.500\t\t\r\n");
  // Cut, paste and undo are never offered.
  EXPECT_FALSE(Enabled(ID_EDIT_CUT));
  EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
  EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
}

TEST_F(GridViewTest, HidesAndShowsTheSelectedWavesInTheGraphAndMarksTheDocument) {
  // The text wave has no plot; the two numeric ones have their looks.
  ASSERT_EQ(document_.Doc().GraphSettings.Plots.size(), 2u);
  // From the value of wave 0 over the text wave to the time of wave 2.
  grid_.Grid().SetSelectedRange({4, 2, 6, 5});
  EXPECT_TRUE(Enabled(ID_GRID_HIDE_WAVES));
  EXPECT_FALSE(Enabled(ID_GRID_SHOW_WAVES));
  ui::CommandChain{&grid_}.Execute(ID_GRID_HIDE_WAVES);
  EXPECT_TRUE(document_.IsModified());
  EXPECT_TRUE(GraphHides(0));
  EXPECT_TRUE(GraphHides(2));
  EXPECT_FALSE(Enabled(ID_GRID_HIDE_WAVES));
  EXPECT_TRUE(Enabled(ID_GRID_SHOW_WAVES));

  document_.SetModified(false);
  grid_.Grid().SetSelectedRange({4, 6, 4, 6});
  ui::CommandChain{&grid_}.Execute(ID_GRID_SHOW_WAVES);
  EXPECT_TRUE(document_.IsModified());
  EXPECT_TRUE(GraphHides(0));
  EXPECT_FALSE(GraphHides(2));
  // The graph's own copy and the document's agree, so a full update changes nothing.
  graph_.OnUpdate(nullptr, views::kHintFull);
  EXPECT_TRUE(GraphHides(0));
  EXPECT_FALSE(GraphHides(2));
}

TEST_F(GridViewTest, UpdatesKeepTheSelectionAndTheScrollPosition) {
  ui::TGridCtrl& grid = grid_.Grid();
  grid.SetSelectedRange({30, 1, 35, 2});
  SendMessageW(grid.Hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
  const POINT scroll = grid.GetScrollPosition();
  ASSERT_GT(scroll.y, 0);
  grid_.OnUpdate(nullptr, views::kHintAutomaticRefresh);
  EXPECT_EQ(grid.GetSelectedCellRange(), (GridCellRange{30, 1, 35, 2}));
  EXPECT_EQ(grid.GetScrollPosition().y, scroll.y);
  // A shorter table keeps what is left of them.
  document_.Doc().Waves[0] = Wave(u"Short", 32);
  grid_.OnUpdate(nullptr, views::kHintRefresh);
  EXPECT_EQ(grid.GetSelectedCellRange(), (GridCellRange{30, 1, 34, 2}));
  EXPECT_LT(grid.GetScrollPosition().y, scroll.y);
  // No waves at all: the number column and three rows, nothing selected.
  document_.Doc().Waves.clear();
  grid_.OnUpdate(nullptr, views::kHintItemsRemoved);
  EXPECT_EQ(grid.GetColumnCount(), 1);
  EXPECT_EQ(grid.GetRowCount(), 3);
  EXPECT_EQ(grid.GetSelectedCount(), 0);
}

TEST_F(GridViewTest, PrintsTheWholeTableOnPagesWithHeaderAndFooter) {
  // A page as wide as the device a memory DC reports, for the centred header.
  const int width = GetDeviceCaps(ui::WindowDc(nullptr).Get(), HORZRES);
  ui::MemoryBitmap page(width, 1000);  // stands in for a printer's page
  ASSERT_TRUE(page.Valid());
  EXPECT_FALSE(grid_.CanPrint());
  grid_.Grid().SetSelectedRange({3, 3, 3, 3});
  EXPECT_TRUE(grid_.CanPrint());
  const int pages = grid_.BeginPrinting(page.Dc());
  // 43 table rows, none cut at this width; lines per page from the font's height.
  EXPECT_EQ(grid_.PrintJob().PageLines().size(), 43u);
  EXPECT_EQ(pages, (43 + grid_.PrintJob().Layout().linesPerPage - 1) /
                       grid_.PrintJob().Layout().linesPerPage);
  RECT all{0, 0, width, 1000};
  FillRect(page.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  grid_.DrawPrintPage(page.Dc(), 1);
  GdiFlush();
  const auto inked_rows = [&](int top, int bottom) {
    int rows = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = 0; x < width; ++x) {
        if (page.Pixel(x, y) != 0xFFFFFFu) {
          ++rows;
          break;
        }
      }
    }
    return rows;
  };
  const int line_height = grid_.PrintJob().Layout().lineHeight;
  EXPECT_GT(inked_rows(20, 20 + line_height), 0) << "no header";
  EXPECT_GT(inked_rows(5 * line_height, 6 * line_height), 0) << "no first line";
  EXPECT_EQ(inked_rows(20 + line_height, 5 * line_height), 0);
  grid_.EndPrinting();
  EXPECT_FALSE(grid_.PrintJob().IsActive());
}

}  // namespace
}  // namespace grid_test
