// The graph view of Varnel.exe as the operator uses it: selections dragged, resized and zoomed,
// Ctrl-drag panning, the period hints that leave or move a zoomed time axis, double clicks to the
// settings sheet and its pages, a plot colour changed there and saved, the legend following the
// settings, and the graph copied to the clipboard as a bitmap. Mouse messages go to the graph
// window; what it did is read through the program's test channel ("graph", see
// app/test_channel_graph.h) and from the files it writes.
#include <gtest/gtest.h>

#include <windows.h>

#include <colordlg.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "strings/command_ids.h"
#include "dialogs/dialog_ids.h"
#include "document/period.h"
#include "document/varnel_doc.h"
#include "graph/graph_interaction.h"
#include "platform/wide.h"
#include "strings/resource_text.h"
#include "strings/string_ids.h"
#include "tests/gui/channel_answers.h"
#include "tests/gui/long_document.h"
#include "tests/gui/run_directory_test.h"
#include "tests/gui/screen_picture.h"
#include "tests/gui/varnel_driver.h"
#include "tests/support/simulator_keeper.h"
#include "views/graph_sheet_ids.h"
#include "views/varnel_document.h"

namespace gui {
namespace {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
};

struct Axis {
  int id = 0;
  int location = 0;
  bool automatic = true;
  double min_value = 0, max_value = 0;  // the settings' range
  double min = 0, max = 0;              // the range drawn last
  Rect band;
  bool hidden = false;
};

// The answer to "graph".
struct GraphState {
  HWND window = nullptr;
  Rect area;
  std::vector<Axis> axes;
  bool selection = false;
  Rect selected;
  std::wstring readout;
  std::wstring legend;
  std::vector<std::wstring> items;
  int drawings = -1;

  const Axis* Find(int id) const {
    for (const Axis& axis : axes) {
      if (axis.id == id) return &axis;
    }
    return nullptr;
  }
};

Rect ToRect(const std::vector<std::wstring>& f, std::size_t at) {
  return {std::stoi(f[at]), std::stoi(f[at + 1]), std::stoi(f[at + 2]), std::stoi(f[at + 3])};
}

GraphState ReadGraph(const VarnelProcess& program) {
  GraphState state;
  for (const std::wstring& line : Lines(program.Ask(L"graph"))) {
    const std::vector<std::wstring> f = Fields(line);
    if (f[0] == L"window" && f.size() == 2) {
      state.window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(f[1])));
    } else if (f[0] == L"area" && f.size() == 5) {
      state.area = ToRect(f, 1);
    } else if (f[0] == L"axis" && f.size() == 13) {
      state.axes.push_back({std::stoi(f[1]), std::stoi(f[2]), f[3] == L"1", std::stod(f[4]),
                            std::stod(f[5]), std::stod(f[6]), std::stod(f[7]), ToRect(f, 8),
                            f[12] == L"1"});
    } else if (f[0] == L"selection" && f.size() == 6) {
      state.selection = f[1] == L"1";
      state.selected = ToRect(f, 2);
    } else if (f[0] == L"readout" && f.size() >= 2) {
      state.readout = f[1];
    } else if (f[0] == L"legend" && f.size() >= 2) {
      state.legend = f[1];
    } else if (f[0] == L"item" && f.size() >= 2) {
      state.items.push_back(f[1]);
    } else if (f[0] == L"drawings" && f.size() == 2) {
      state.drawings = std::stoi(f[1]);
    }
  }
  return state;
}

// Mouse messages straight to the graph window, each handled before the next is sent.
void Mouse(HWND window, UINT message, WPARAM keys, int x, int y) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, keys, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &result);
}

void Drag(HWND window, int x0, int y0, int x1, int y1, WPARAM keys = 0) {
  Mouse(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, x0, y0);
  Mouse(window, WM_MOUSEMOVE, MK_LBUTTON | keys, (x0 + x1) / 2, (y0 + y1) / 2);
  Mouse(window, WM_MOUSEMOVE, MK_LBUTTON | keys, x1, y1);
  Mouse(window, WM_LBUTTONUP, keys, x1, y1);
}

// A document of two numeric waves over its period, with no look stored for them.
std::wstring WriteGraphDocument(const std::wstring& dir) {
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = u"Varnel.HdaSim.1";
  ConnectionInfo& info = doc.FindOrAddConnection(server);
  const double span = doc.StopTime - doc.StartTime;
  for (const char16_t* name : {u"Waves/A", u"Waves/B"}) {
    info.AddItemName(name);
    TWave wave;
    wave.ServerName = server.ServerName;
    wave.ItemName = name;
    for (int i = 0; i < 200; ++i) {
      wave.T.push_back(doc.StartTime + span * i / 199);
      wave.Y.push_back(name[7] == u'A' ? std::sin(i * 0.1) : 2 + std::cos(i * 0.05));
    }
    doc.Waves.push_back(std::move(wave));
  }
  const std::wstring path = dir + L"\\graph.xml";
  EXPECT_FALSE(doc.Save(platform::U16(path.c_str())));
  return path;
}

// How many pixels of the row y between x0 and x1 (inside) the two pictures show differently.
int ChangedInRow(const ScreenPicture& a, const ScreenPicture& b, int y, int x0, int x1) {
  int changed = 0;
  for (int x = x0 + 1; x < x1; ++x) changed += a.At(x, y) != b.At(x, y);
  return changed;
}

int TabIndex(HWND sheet) {
  return static_cast<int>(
      SendMessageW(FindDescendant(sheet, L"SysTabControl32"), TCM_GETCURSEL, 0, 0));
}

HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// Chooses the combo item carrying `data` as a user would, so that the page hears of it.
void ChooseComboData(HWND page, int control, LPARAM data) {
  HWND combo = GetDlgItem(page, control);
  const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (SendMessageW(combo, CB_GETITEMDATA, i, 0) != data) continue;
    SendMessageW(combo, CB_SETCURSEL, i, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(control, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    return;
  }
  ADD_FAILURE() << "no item with data " << data << " in combo " << control;
}

class VarnelGraph : public RunDirectoryTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(RunDirectoryTest::SetUp());
    simulator_.emplace();
  }
  void TearDown() override {
    simulator_.reset();
    RunDirectoryTest::TearDown();
  }

  // Starts the program on the document and waits until its graph has been drawn.
  GraphState Open(VarnelProcess& program) {
    EXPECT_TRUE(program.Start()) << "Varnel.exe could not be started (error "
                                 << program.StartError() << ")";
    EXPECT_NE(program.WaitMainWindow(), nullptr) << "no main window within 30 s";
    GraphState graph;
    EXPECT_TRUE(WaitUntil(
        [&] {
          graph = ReadGraph(program);
          const Axis* time = graph.Find(2);
          return graph.window && time && time->band.right > time->band.left;
        },
        20000))
        << "the graph was not drawn";
    return graph;
  }
  void CloseAndExpectExit(VarnelProcess& program) {
    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    // Documents changed by the test are not saved.
    while (HWND box = program.WaitWindow(L"Varnel", 3000)) Click(GetDlgItem(box, IDNO));
    EXPECT_EQ(program.WaitExit(), 0) << "the program did not end cleanly after WM_CLOSE";
  }
  // Double-clicks the graph at (x, y) and waits for the settings sheet.
  HWND OpenSheet(VarnelProcess& program, HWND graph, int x, int y) {
    PostMessageW(graph, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(graph, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PostMessageW(graph, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(graph, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    HWND sheet = program.WaitWindow(L"graph.xml");
    EXPECT_NE(sheet, nullptr) << "no settings sheet after a double click at " << x << "," << y;
    return sheet;
  }

 private:
  // Up for the whole case, whenever the program looks for it.
  std::optional<test_support::SimulatorKeeper> simulator_;
};

TEST_F(VarnelGraph,
       SelectionIsDrawnResizedToItsMinimumAndExpandedHorizontallyThenHintsLeaveOrResetIt) {
  VarnelProcess program(dir_, L"\"" + WriteGraphDocument(dir_) + L"\"");
  GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  const Rect area = graph.area;
  const int x0 = area.left + 100, y0 = area.top + 40, x1 = area.left + 300, y1 = area.top + 160;

  // A click without a drag leaves no selection.
  Drag(graph.window, x0, y0, x0, y0);
  EXPECT_FALSE(ReadGraph(program).selection);

  Drag(graph.window, x0, y0, x1, y1);
  graph = ReadGraph(program);
  ASSERT_TRUE(graph.selection);
  EXPECT_EQ(graph.selected.left, x0);
  EXPECT_EQ(graph.selected.top, y0);
  EXPECT_EQ(graph.selected.right, x1);
  EXPECT_EQ(graph.selected.bottom, y1);

  // The bottom right corner dragged past the top left corner stops 8 pixels from it.
  Drag(graph.window, x1, y1, x0 - 50, y0 - 50);
  graph = ReadGraph(program);
  ASSERT_TRUE(graph.selection);
  EXPECT_EQ(graph.selected.right, x0 + 8);
  EXPECT_EQ(graph.selected.bottom, y0 + 8);

  // Pressed outside the selection: a new one.
  Drag(graph.window, x1, y1, x0, y0 + 100);
  graph = ReadGraph(program);
  ASSERT_TRUE(graph.selection);
  EXPECT_EQ(graph.selected.left, x0);
  EXPECT_EQ(graph.selected.right, x1);

  // The pop-up's "Horizontal Expand": the time axis shows the selection's span and is manual,
  // the value axis is left alone.
  const Axis before = *graph.Find(2);
  ASSERT_TRUE(before.automatic);
  const double per_pixel = (before.max - before.min) / before.band.Width();
  program.Ask(L"command-timed " + std::to_wstring(graph::kZoomExpandHorizontal));
  graph = ReadGraph(program);
  const Axis* time = graph.Find(2);
  EXPECT_FALSE(time->automatic);
  EXPECT_NEAR(time->min_value, before.min + (x0 - before.band.left) * per_pixel, 1.0);
  EXPECT_NEAR(time->max_value, before.min + (x1 - before.band.left) * per_pixel, 1.0);
  EXPECT_NEAR(time->min, time->min_value, 1.0) << "the drawing shows the zoomed range";
  EXPECT_TRUE(graph.Find(1)->automatic);
  EXPECT_FALSE(graph.selection) << "a zoom consumes the selection";
  EXPECT_EQ(Flags(MenuItem(program.Ask(L"menu"), ID_GRAPH_AUTOSCALE)).find(L'c'),
            std::wstring::npos)
      << "Autoscale is checked although an axis is manual";

  // An automatic refresh leaves a zoomed time axis where it is.
  program.Ask(L"update-timed " + std::to_wstring(views::kHintAutomaticRefresh));
  const Axis after_refresh = *ReadGraph(program).Find(2);
  EXPECT_FALSE(after_refresh.automatic);
  EXPECT_DOUBLE_EQ(after_refresh.min_value, time->min_value);
  // A period hint shows the period again.
  program.Ask(L"update-timed " + std::to_wstring(views::kHintCurrentPeriod));
  const Axis reset = *ReadGraph(program).Find(2);
  EXPECT_TRUE(reset.automatic);
  EXPECT_NEAR(reset.min, before.min, 1.0);
  EXPECT_NEAR(reset.max, before.max, 1.0);

  // Autoscale: everything automatic and the menu item checked.
  Drag(graph.window, x0, y0, x1, y1);
  program.Ask(L"command-timed " + std::to_wstring(graph::kZoomExpandVertical));
  EXPECT_FALSE(ReadGraph(program).Find(1)->automatic);
  program.Command(ID_GRAPH_AUTOSCALE);
  EXPECT_TRUE(WaitUntil([&] { return ReadGraph(program).Find(1)->automatic; }));
  EXPECT_NE(Flags(MenuItem(program.Ask(L"menu"), ID_GRAPH_AUTOSCALE)).find(L'c'),
            std::wstring::npos);
  CloseAndExpectExit(program);
}

// A selection drawn after the graph lost the keyboard (a click in the grid) stays on the screen
// when the button goes up.
TEST_F(VarnelGraph, ASelectionDrawnAfterAClickInTheGridStaysOnTheScreen) {
  VarnelProcess program(dir_, L"\"" + WriteGraphDocument(dir_) + L"\"");
  const GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  HWND grid = FindDescendant(program.MainWindow(), L"VarnelGridCtrl");
  ASSERT_NE(grid, nullptr);
  const Rect area = graph.area;
  const int x0 = area.left + 60, y0 = area.top + 20, x1 = area.left + 260, y1 = area.top + 80;
  // A click in the graph gives it the keyboard, a click in the grid takes it away again.
  Drag(graph.window, x0, y0, x0, y0);
  Mouse(grid, WM_LBUTTONDOWN, MK_LBUTTON, 20, 30);
  Mouse(grid, WM_LBUTTONUP, 0, 20, 30);
  GUITHREADINFO focus{};
  focus.cbSize = sizeof(focus);
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(grid, nullptr), &focus));
  ASSERT_EQ(focus.hwndFocus, grid) << "the click did not give the grid the keyboard";
  program.Ask(L"paint-timed");  // everything due is on the screen
  const ScreenPicture before = ReadScreen(graph.window);
  ASSERT_FALSE(before.pixels.empty()) << "the screen could not be read";
  ASSERT_LT(y1, before.height) << "the selection would reach below the graph";

  Drag(graph.window, x0, y0, x1, y1);
  ASSERT_TRUE(ReadGraph(program).selection);
  ScreenPicture after;
  const int width = x1 - x0 - 1;
  EXPECT_TRUE(WaitUntil(
      [&] {
        after = ReadScreen(graph.window);
        // A point marker the mouse left on a wave may cover a few pixels of the frame.
        return !after.pixels.empty() && ChangedInRow(before, after, y0, x0, x1) >= width * 9 / 10 &&
               ChangedInRow(before, after, y1, x0, x1) >= width * 9 / 10;
      },
      3000))
      << "the selection's frame is not on the screen: of " << width << " pixels, "
      << (after.pixels.empty() ? -1 : ChangedInRow(before, after, y0, x0, x1))
      << " of its top edge and "
      << (after.pixels.empty() ? -1 : ChangedInRow(before, after, y1, x0, x1))
      << " of its bottom edge changed";
  CloseAndExpectExit(program);
}

// A document saved with its time axis zoomed opens with that zoom, not with its whole period.
TEST_F(VarnelGraph, ADocumentSavedWithAZoomedTimeAxisReopensZoomed) {
  const std::wstring path = WriteGraphDocument(dir_);
  Axis zoomed;
  {
    VarnelProcess program(dir_, L"\"" + path + L"\"");
    GraphState graph = Open(program);
    ASSERT_NE(graph.window, nullptr);
    Drag(graph.window, graph.area.left + 100, graph.area.top + 40, graph.area.left + 300,
         graph.area.top + 160);
    program.Ask(L"command-timed " + std::to_wstring(graph::kZoomExpandHorizontal));
    // The automatic refresh keeps the zoom and hands the graph's settings to the document.
    program.Ask(L"update-timed " + std::to_wstring(views::kHintAutomaticRefresh));
    zoomed = *ReadGraph(program).Find(2);
    ASSERT_FALSE(zoomed.automatic);
    program.Command(ID_FILE_SAVE);
    ASSERT_TRUE(WaitUntil([&] {
      return ReadUtf16(path).find(L"<AutoScale>0</AutoScale>") != std::wstring::npos;
    })) << "the zoom did not reach the saved document";
    CloseAndExpectExit(program);
  }
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  const GraphState graph = Open(program);
  const Axis* time = graph.Find(2);
  ASSERT_NE(time, nullptr);
  EXPECT_FALSE(time->automatic) << "opening made the zoomed time axis automatic";
  EXPECT_NEAR(time->min, zoomed.min, 1.0);
  EXPECT_NEAR(time->max, zoomed.max, 1.0);
  CloseAndExpectExit(program);
}

// A paint with nothing changed puts the kept bitmap on the screen; an update of the document's
// views draws again in the paint that follows it at once, before the repaint the view posts, and
// that repaint then draws nothing more: the opening and each update are drawn once.
TEST_F(VarnelGraph, AnExposurePaintsTheKeptBitmapAndAnUpdateDrawsAgain) {
  VarnelProcess program(dir_, L"\"" + WriteGraphDocument(dir_) + L"\"");
  const GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  const auto drawn_again = [&](int drawings) {
    return WaitUntil([&] { return ReadGraph(program).drawings > drawings; }, 1500);
  };
  const int opened = ReadGraph(program).drawings;
  EXPECT_FALSE(drawn_again(opened));
  EXPECT_EQ(ReadGraph(program).drawings, 1) << "the opened document was drawn more than once";
  program.Ask(L"paint-timed");  // any repaint still due from opening
  for (int round = 0; round < 3; ++round) {
    const std::wstring exposure = program.Ask(L"paint-timed");
    EXPECT_NE(exposure.find(L" kept"), std::wstring::npos) << exposure;
  }
  const int before_update = ReadGraph(program).drawings;
  const std::wstring update = program.Ask(L"update-timed 7");  // an automatic refresh's update
  EXPECT_NE(update.find(L" drawn"), std::wstring::npos) << update;
  EXPECT_FALSE(drawn_again(before_update + 1)) << "the update was drawn more than once";
  const std::wstring exposure = program.Ask(L"paint-timed");
  EXPECT_NE(exposure.find(L" kept"), std::wstring::npos) << exposure;
  CloseAndExpectExit(program);
}

TEST_F(VarnelGraph, CtrlDragFiftyPixelsRightMovesTheTimeRangeBackFiftyPixelsWorth) {
  VarnelProcess program(dir_, L"\"" + WriteGraphDocument(dir_) + L"\"");
  GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  const Axis before = *graph.Find(2);
  const double per_pixel = (before.max - before.min) / before.band.Width();
  const int x = (graph.area.left + graph.area.right) / 2,
            y = (graph.area.top + graph.area.bottom) / 2;
  Drag(graph.window, x, y, x + 50, y, MK_CONTROL);
  graph = ReadGraph(program);
  const Axis* time = graph.Find(2);
  EXPECT_FALSE(time->automatic);
  EXPECT_NEAR(time->min_value, before.min - 50 * per_pixel, 1.0);
  EXPECT_NEAR(time->max_value, before.max - 50 * per_pixel, 1.0);
  EXPECT_FALSE(graph.selection) << "panning leaves no selection";
  CloseAndExpectExit(program);
}

TEST_F(VarnelGraph, DoubleClicksOpenTheAxisPagesOrTheGeneralPageAndCancelAsksOnlyAfterAChange) {
  VarnelProcess program(dir_, L"\"" + WriteGraphDocument(dir_) + L"\"");
  const GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  const Rect left = graph.Find(1)->band, bottom = graph.Find(2)->band;
  struct Case {
    int x, y;
    int page;
    const wchar_t* axis;
  };
  const Case cases[] = {
      {(left.left + left.right) / 2, (left.top + left.bottom) / 2, 2, L"Axis_1"},
      {(bottom.left + bottom.right) / 2, (bottom.top + bottom.bottom) / 2, 2, L"Axis_2"},
      {(graph.area.left + graph.area.right) / 2, (graph.area.top + graph.area.bottom) / 2, 0,
       nullptr},
  };
  for (const Case& c : cases) {
    HWND sheet = OpenSheet(program, graph.window, c.x, c.y);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(TabIndex(sheet), c.page);
    if (c.axis) {
      EXPECT_EQ(WindowText(GetDlgItem(CurrentPage(sheet), IDC_AXIS_NAME)), c.axis);
    }
    // Opened and left alone: Cancel closes without a question.
    Click(GetDlgItem(sheet, IDCANCEL));
    ASSERT_TRUE(VarnelProcess::WaitGone(sheet)) << "Cancel right after opening did not close";
  }

  // The commands turn the pages; a change makes Cancel ask.
  HWND sheet =
      OpenSheet(program, graph.window, (left.left + left.right) / 2, (left.top + left.bottom) / 2);
  ASSERT_NE(sheet, nullptr);
  SendMessageW(sheet, WM_COMMAND, ID_GRAPH_PAGE_WAVES, 0);
  EXPECT_EQ(TabIndex(sheet), 1);
  SendMessageW(sheet, WM_COMMAND, ID_GRAPH_PAGE_GENERAL, 0);
  EXPECT_EQ(TabIndex(sheet), 0);
  SendMessageW(sheet, WM_COMMAND, ID_GRAPH_PAGE_AXIS, 0);
  EXPECT_EQ(TabIndex(sheet), 2);
  HWND page = CurrentPage(sheet);
  SendMessageW(GetDlgItem(page, IDC_AXIS_HIDDEN), BM_CLICK, 0, 0);
  Click(GetDlgItem(sheet, IDCANCEL));
  HWND question = program.WaitWindow(L"Discard changes?");
  ASSERT_NE(question, nullptr) << "Cancel after a change did not ask";
  EXPECT_EQ(WindowText(GetDlgItem(question, IDC_QUESTION_HEADING)), L"Warning:");
  Click(GetDlgItem(question, IDC_QUESTION_BUTTON2));
  ASSERT_TRUE(VarnelProcess::WaitGone(question));
  EXPECT_TRUE(IsWindowVisible(sheet)) << "No closed the sheet";
  Click(GetDlgItem(sheet, IDCANCEL));
  question = program.WaitWindow(L"Discard changes?");
  ASSERT_NE(question, nullptr);
  Click(GetDlgItem(question, IDC_QUESTION_BUTTON1));
  ASSERT_TRUE(VarnelProcess::WaitGone(sheet));
  EXPECT_FALSE(ReadGraph(program).Find(1)->hidden) << "a dropped change reached the graph";
  CloseAndExpectExit(program);
}

// The settings sheet left alone changes nothing: OK does not mark the document modified, and
// Cancel does not ask, even for an axis whose texts have another colour than its line (the page
// shows one colour for both).
TEST_F(VarnelGraph, SettingsSheetLeftAloneNeitherMarksTheDocumentNorAsks) {
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = u"Varnel.HdaSim.1";
  doc.FindOrAddConnection(server).AddItemName(u"Waves/A");
  TWave wave;
  wave.ServerName = server.ServerName;
  wave.ItemName = u"Waves/A";
  wave.T = {doc.StartTime, doc.StopTime};
  wave.Y = {1.0, 2.0};
  doc.Waves.push_back(wave);
  graph::TAxisSettings left(1, graph::kLeft);
  left.Name = u"Axis_1";
  left.FontColor = graph::Rgb(255, 255, 0);  // yellow texts on a white line
  doc.GraphSettings.Axes.emplace(1, left);
  graph::TAxisSettings bottom(2, graph::kBottom);
  bottom.Name = u"Axis_2";
  doc.GraphSettings.Axes.emplace(2, bottom);
  const std::wstring path = dir_ + L"\\graph.xml";
  ASSERT_FALSE(doc.Save(platform::U16(path.c_str())));

  VarnelProcess program(dir_, L"\"" + path + L"\"");
  const GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  ASSERT_TRUE(WaitUntil([&] {
    return program.Ask(L"documents").find(L"|0|1|1") != std::wstring::npos;
  })) << Narrow(program.Ask(L"documents"));
  const Rect left_band = graph.Find(1)->band;
  HWND sheet = OpenSheet(program, graph.window, (left_band.left + left_band.right) / 2,
                         (left_band.top + left_band.bottom) / 2);
  ASSERT_NE(sheet, nullptr);
  Click(GetDlgItem(sheet, IDCANCEL));
  HWND question = program.WaitWindow(L"Discard changes?", 2000);
  EXPECT_EQ(question, nullptr) << "Cancel right after opening asked";
  if (question) Click(GetDlgItem(question, IDC_QUESTION_BUTTON1));
  ASSERT_TRUE(VarnelProcess::WaitGone(sheet));

  sheet = OpenSheet(program, graph.window, (graph.area.left + graph.area.right) / 2,
                    (graph.area.top + graph.area.bottom) / 2);
  ASSERT_NE(sheet, nullptr);
  Click(GetDlgItem(sheet, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(sheet));
  program.Ask(L"paint-timed");  // what OK posted has been handled
  EXPECT_NE(program.Ask(L"documents").find(L"|0|1|1"), std::wstring::npos)
      << "OK with nothing changed marked the document modified";
  CloseAndExpectExit(program);
}

// Range texts typed after choosing another format are read in the format chosen.
TEST_F(VarnelGraph, AxisRangeTypedAfterAFormatChangeIsReadInTheNewFormat) {
  VarnelProcess program(dir_, L"\"" + WriteGraphDocument(dir_) + L"\"");
  const GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  const Rect left = graph.Find(1)->band;
  HWND sheet =
      OpenSheet(program, graph.window, (left.left + left.right) / 2, (left.top + left.bottom) / 2);
  ASSERT_NE(sheet, nullptr);
  HWND page = CurrentPage(sheet);
  ChooseComboData(page, IDC_AXIS_FORMAT, 3);  // duration
  SendMessageW(GetDlgItem(page, IDC_AXIS_AUTOSCALE), BM_CLICK, 0, 0);
  ASSERT_EQ(SendMessageW(GetDlgItem(page, IDC_AXIS_AUTOSCALE), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageW(GetDlgItem(page, IDC_AXIS_MIN), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"00:00:01.500"));
  SendMessageW(GetDlgItem(page, IDC_AXIS_MAX), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"00:01:00.000"));
  Click(GetDlgItem(sheet, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(sheet));
  Axis axis;
  EXPECT_TRUE(WaitUntil([&] {
    axis = *ReadGraph(program).Find(1);
    return !axis.automatic;
  }));
  EXPECT_DOUBLE_EQ(axis.min_value, 1500.0);
  EXPECT_DOUBLE_EQ(axis.max_value, 60000.0);
  CloseAndExpectExit(program);
}

TEST_F(VarnelGraph, PlotColourChosenOnTheWavesPageReachesTheSavedDocument) {
  const std::wstring path = WriteGraphDocument(dir_);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  const GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  HWND sheet = OpenSheet(program, graph.window, (graph.area.left + graph.area.right) / 2,
                         (graph.area.top + graph.area.bottom) / 2);
  ASSERT_NE(sheet, nullptr);
  SendMessageW(sheet, WM_COMMAND, ID_GRAPH_PAGE_WAVES, 0);
  Click(GetDlgItem(CurrentPage(sheet), IDC_PLOT_LINE_COLOR));
  HWND chooser = program.WaitWindow(L"Color");
  ASSERT_NE(chooser, nullptr) << "the colour chooser did not open";
  for (const auto& [control, value] : {std::pair{COLOR_RED, L"10"}, std::pair{COLOR_GREEN, L"200"},
                                       std::pair{COLOR_BLUE, L"30"}}) {
    SendMessageW(GetDlgItem(chooser, control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
  }
  Click(GetDlgItem(chooser, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(chooser));
  Click(GetDlgItem(sheet, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(sheet));
  program.Command(ID_FILE_SAVE);
  // RGB(10, 200, 30) as the file writes colours: red in the low byte.
  const std::wstring colour =
      L"<LineColor>" + std::to_wstring(10 + 200 * 256 + 30 * 65536) + L"</LineColor>";
  EXPECT_TRUE(WaitUntil([&] { return ReadUtf16(path).find(colour) != std::wstring::npos; }))
      << "the saved document has no line colour " << Narrow(colour);
  CloseAndExpectExit(program);
}

TEST_F(VarnelGraph, LegendShowsTheWavesAndFollowsAnAxisMovedToTheRight) {
  VarnelProcess program(dir_, L"\"" + WriteGraphDocument(dir_) + L"\"");
  const GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  program.Command(ID_GRAPH_LEGEND);
  HWND legend = program.WaitWindow(L"Legend : graph.xml");
  ASSERT_NE(legend, nullptr) << "no legend window";
  GraphState state = ReadGraph(program);
  const std::vector<std::wstring> items = {L"\u25C4\u25BC Varnel.HdaSim.1::Waves/A",
                                           L"\u25C4\u25BC Varnel.HdaSim.1::Waves/B"};
  EXPECT_EQ(state.items, items);

  // A new right axis for the first wave, through the settings sheet.
  HWND sheet = OpenSheet(program, graph.window, (graph.area.left + graph.area.right) / 2,
                         (graph.area.top + graph.area.bottom) / 2);
  ASSERT_NE(sheet, nullptr);
  SendMessageW(sheet, WM_COMMAND, ID_GRAPH_PAGE_AXIS, 0);
  HWND page = CurrentPage(sheet);
  Click(GetDlgItem(page, IDC_AXIS_ADD));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(GetDlgItem(page, IDC_AXIS_NAME)) == L"Axis_2"; }))
      << "Add did not make a copy of Axis_1 named after it";
  ChooseComboData(page, IDC_AXIS_LOCATION, 3);  // right
  SendMessageW(sheet, WM_COMMAND, ID_GRAPH_PAGE_WAVES, 0);
  ChooseComboData(CurrentPage(sheet), IDC_PLOT_Y_AXIS, 3);  // the new axis has the free id 3
  Click(GetDlgItem(sheet, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(sheet));
  EXPECT_TRUE(WaitUntil([&] {
    state = ReadGraph(program);
    return state.items.size() == 2 && state.items[0] == L"\u25BC\u25BA Varnel.HdaSim.1::Waves/A";
  })) << (state.items.empty() ? "" : Narrow(state.items[0]));
  ASSERT_NE(state.Find(3), nullptr);
  EXPECT_EQ(state.Find(3)->location, 3);

  PostMessageW(legend, WM_CLOSE, 0, 0);
  EXPECT_TRUE(VarnelProcess::WaitGone(legend));
  EXPECT_TRUE(WaitUntil([&] { return ReadGraph(program).legend == L"-"; }))
      << "the legend was not deleted";
  CloseAndExpectExit(program);
}

// Esc in the floating legend, which stays usable while a dialog is open, is the legend's: the
// dialog stays open.
TEST_F(VarnelGraph, EscapeInTheLegendDoesNotCloseAnOpenDialog) {
  VarnelProcess program(dir_, L"\"" + WriteGraphDocument(dir_) + L"\"");
  const GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  program.Command(ID_GRAPH_LEGEND);
  HWND legend = program.WaitWindow(L"Legend : graph.xml");
  ASSERT_NE(legend, nullptr) << "no legend window";
  program.Command(ID_SERVER_CONNECT_REMOTE);  // the machine name dialog
  HWND dialog = program.WaitWindow(L"OPC 2.0 Remote Connection");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(IsWindowEnabled(legend));
  // A fresh Esc press: repeat count 1, scan code 1.
  PostMessageW(legend, WM_KEYDOWN, VK_ESCAPE, 1 | (1 << 16));
  PostMessageW(legend, WM_KEYUP, VK_ESCAPE, 1 | (1 << 16) | (1u << 30) | (1u << 31));
  program.Ask(L"graph");  // the keys have been handled
  EXPECT_FALSE(VarnelProcess::WaitGone(dialog, 1000)) << "Esc in the legend closed the dialog";
  if (IsWindow(dialog)) {
    Click(GetDlgItem(dialog, IDCANCEL));
    EXPECT_TRUE(VarnelProcess::WaitGone(dialog));
  }
  CloseAndExpectExit(program);
}

TEST_F(VarnelGraph, CopyPutsTheGraphOnTheClipboardAsABitmap) {
  VarnelProcess program(dir_, L"\"" + WriteGraphDocument(dir_) + L"\"");
  const GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  RECT client{};
  GetClientRect(GetParent(graph.window), &client);
  // Emptied first, so that the bitmap found is the copy's.
  ASSERT_TRUE(OpenClipboardWithin());
  EmptyClipboard();
  CloseClipboard();
  program.Command(ID_EDIT_COPY);
  ASSERT_TRUE(WaitUntil([] { return IsClipboardFormatAvailable(CF_BITMAP) != FALSE; }))
      << "no bitmap on the clipboard";
  ASSERT_TRUE(OpenClipboardWithin());
  HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  GetObjectW(bitmap, sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, client.right);
  EXPECT_EQ(info.bmHeight, client.bottom);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = info.bmWidth;
  format.bmiHeader.biHeight = -info.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.bmWidth) * info.bmHeight);
  HDC screen = GetDC(nullptr);
  const int rows =
      GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  CloseClipboard();
  ASSERT_EQ(rows, info.bmHeight);
  // The graph's black background, its white axis lines where the graph drew them, and waves.
  auto pixel = [&](int x, int y) {
    return pixels[static_cast<std::size_t>(y) * info.bmWidth + x] & 0xFFFFFF;
  };
  EXPECT_EQ(pixel(0, 0), 0u);
  const Rect left = graph.Find(1)->band, bottom = graph.Find(2)->band;
  int axis_pixels = 0, white = 0;
  for (int y = left.top; y < left.bottom; ++y, ++axis_pixels)
    white += pixel(left.right - 5, y) == 0xFFFFFF;
  for (int x = bottom.left; x < bottom.right; ++x, ++axis_pixels)
    white += pixel(x, bottom.top + 5) == 0xFFFFFF;
  EXPECT_GT(axis_pixels, 100);
  EXPECT_EQ(white, axis_pixels) << "the axis lines are not in the copied picture";
  std::size_t coloured = 0;
  for (std::uint32_t p : pixels) {
    p &= 0xFFFFFF;
    coloured += p != 0 && p != 0xFFFFFF && p != 0x808080;
  }
  EXPECT_GT(coloured, 200u) << "no waves in the copied picture";
  CloseAndExpectExit(program);
}

// The configuration that reconnects the simulator at start-up.
void WriteReconnectingConfiguration(const std::wstring& dir,
                                    const std::wstring& server = L"Varnel.HdaSim.1") {
  WriteUtf16(dir + L"\\Varnel_Config.xml",
             L"<Varnel_Configuration><HdaOpcServers><HdaServerDef><MachineName></MachineName>"
             L"<ServerName>" +
                 server +
                 L"</ServerName><ReconnectAtStartup>1</ReconnectAtStartup>"
                 L"</HdaServerDef></HdaOpcServers></Varnel_Configuration>");
}

// The period commands need the document's server open: this case runs with the simulator.
TEST_F(VarnelGraph, NextPeriodMovesAZoomedTimeAxisThatTheAutomaticRefreshLeft) {
  WriteReconnectingConfiguration(dir_);
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = u"Varnel.HdaSim.1";
  doc.FindOrAddConnection(server).AddItemName(u"Waves/Sine 1s");
  const std::wstring path = dir_ + L"\\graph.xml";
  ASSERT_FALSE(doc.Save(platform::U16(path.c_str())));
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  // The last hour, then the one before it: a period that is not live.
  program.Command(ID_PERIOD_UNLOCK);
  program.Command(PeriodKindOf(kPeriodLastHour).command);
  ASSERT_TRUE(WaitUntil(
      [&] {
        const Axis* time = ReadGraph(program).Find(2);
        return time && std::fabs(time->max - time->min - 3600000) < 1;
      },
      30000))
      << "the last hour was not shown";
  const double hour_start = ReadGraph(program).Find(2)->min;
  program.Command(ID_PERIOD_PREVIOUS);
  ASSERT_TRUE(WaitUntil(
      [&] { return std::fabs(ReadGraph(program).Find(2)->min - (hour_start - 3600000)) < 1; },
      30000));

  graph = ReadGraph(program);
  const int x0 = graph.area.left + 100, x1 = graph.area.left + 200, y = graph.area.top + 50;
  Drag(graph.window, x0, y, x1, y + 100);
  program.Ask(L"command-timed " + std::to_wstring(graph::kZoomExpandHorizontal));
  const Axis zoomed = *ReadGraph(program).Find(2);
  ASSERT_FALSE(zoomed.automatic);
  program.Ask(L"update-timed " + std::to_wstring(views::kHintAutomaticRefresh));
  EXPECT_DOUBLE_EQ(ReadGraph(program).Find(2)->min_value, zoomed.min_value);

  program.Command(ID_PERIOD_NEXT);
  Axis next;
  EXPECT_TRUE(WaitUntil(
      [&] {
        next = *ReadGraph(program).Find(2);
        // An automatic axis has no range until the new period's values are in.
        return next.automatic && next.max > next.min;
      },
      30000))
      << "Next left the time axis manual or without a range";
  // The hour after the previous one reaches the present, so it is the last hour again.
  EXPECT_GE(next.min, hour_start - 1.0) << "the time axis does not show the next period";
  EXPECT_LT(next.min, hour_start + 120000);
  EXPECT_NEAR(next.max - next.min, 3600000, 1.0);
  CloseAndExpectExit(program);
}

std::wstring StatusLine(const VarnelProcess& program) {
  const std::vector<std::wstring> lines = Lines(program.Ask(L"status"));
  return lines.empty() ? L"" : lines[0];
}

// The program's text of `id` in `language` for the item.
std::wstring ItemText(int id, int language, const std::wstring& item) {
  std::wstring text = platform::W(RString(id, language));
  text.replace(text.find(L"%1"), 2, item);
  return text;
}

// A week of 1 s values, cut at the document's 32000, is drawn over the whole period from the
// simulator's per-column extremes (the status bar says so, in the program's language); zoomed in to
// three hours it is read raw, markers and all (the notice goes); back to the whole week the
// extremes come again. Each language in turn.
TEST_F(VarnelGraph, ALongWaveIsDrawnWholeReadRawZoomedInAndToldInEveryLanguage) {
  WriteReconnectingConfiguration(dir_);
  const std::wstring path = WriteLongDocument(dir_, L"long.xml", {u"Waves/Sine 1s"});
  ASSERT_FALSE(path.empty());
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  GraphState graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  ASSERT_TRUE(WaitUntil(
      [&] {
        return StatusLine(program) == ItemText(IDS_WAVE_ENVELOPE_STATUS, 1, L"Waves/Sine 1s");
      },
      20000))
      << "opened: " << Narrow(StatusLine(program));
  const int kLanguages[] = {1, 0, 2, 3, 4};  // English first, as the program starts
  for (int language : kLanguages) {
    const std::wstring whole = ItemText(IDS_WAVE_ENVELOPE_STATUS, language, L"Waves/Sine 1s");
    if (language != 1) program.Command(ID_LANGUAGE_FRENCH + static_cast<UINT>(language));
    // Three hours of the week (10800 values): raw.
    graph = ReadGraph(program);
    const int width = graph.area.right - graph.area.left;
    const int x0 = graph.area.left + width / 2;
    const int x1 = x0 + std::max(10, width / 56);
    Drag(graph.window, x0, graph.area.top + 20, x1, graph.area.bottom - 20);
    program.Ask(L"command-timed " + std::to_wstring(graph::kZoomExpandHorizontal));
    ASSERT_TRUE(WaitUntil([&] { return StatusLine(program).empty(); }, 20000))
        << "zoomed in, language " << language << ": " << Narrow(StatusLine(program));
    const Axis* time = ReadGraph(program).Find(2);
    ASSERT_NE(time, nullptr);
    EXPECT_LT(time->max - time->min, 32000 * 1000.0) << "no more than 32000 values shown";
    program.Command(ID_GRAPH_AUTOSCALE);
    ASSERT_TRUE(WaitUntil([&] { return StatusLine(program) == whole; }, 20000))
        << "zoomed out, language " << language << ": " << Narrow(StatusLine(program));
  }
  CloseAndExpectExit(program);
}

// An item whose extremes the server cannot give as the wave reader keeps its values (some are not
// good) stays cut at 32000 values, and the status bar says up to when.
TEST_F(VarnelGraph, ALongWaveWithoutExactExtremesStaysCutAndSaysSo) {
  WriteReconnectingConfiguration(dir_);
  const std::wstring path = WriteLongDocument(dir_, L"cut.xml", {u"Qualities/Cycling 1s"});
  ASSERT_FALSE(path.empty());
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NE(Open(program).window, nullptr);
  const std::wstring prefix =
      L"Qualities/Cycling 1s: only the first 32000 values of the period are shown, up to ";
  EXPECT_TRUE(WaitUntil([&] { return StatusLine(program).rfind(prefix, 0) == 0; }, 20000))
      << Narrow(StatusLine(program));
  // However narrow the pane (a high DPI), its tip holds the whole notice.
  EXPECT_EQ(Lines(program.Ask(L"status-tips"))[0], StatusLine(program));
  CloseAndExpectExit(program);
}

// A server without the aggregates: every raw value of a week is read by continuation and drawn
// from each pixel column's extremes; a month goes past the budget of 2000000 values a wave, and the
// status bar says up to when.
TEST_F(VarnelGraph, AServerWithoutAggregatesIsReadRawUpToTheBudget) {
  WriteReconnectingConfiguration(dir_, L"Varnel.HdaSim.17");
  const std::wstring week =
      WriteLongDocument(dir_, L"week.xml", {u"Waves/Sine 1s"}, 7, u"Varnel.HdaSim.17");
  const std::wstring month =
      WriteLongDocument(dir_, L"month.xml", {u"Waves/Sine 1s"}, 30, u"Varnel.HdaSim.17");
  ASSERT_FALSE(week.empty());
  ASSERT_FALSE(month.empty());
  VarnelProcess program(dir_, L"\"" + week + L"\"");
  ASSERT_NE(Open(program).window, nullptr);
  const std::wstring folded = ItemText(IDS_WAVE_ENVELOPE_STATUS, 1, L"Waves/Sine 1s");
  EXPECT_TRUE(WaitUntil([&] { return StatusLine(program) == folded; }, 60000))
      << "a week: " << Narrow(StatusLine(program));
  program.Ask(L"open-timed " + month);
  const std::wstring prefix =
      L"Waves/Sine 1s: only the first 2000000 values of the period are shown, up to ";
  EXPECT_TRUE(WaitUntil([&] { return StatusLine(program).rfind(prefix, 0) == 0; }, 120000))
      << "a month: " << Narrow(StatusLine(program));
  // 2000000 values of 1 s from the period's start: the last one 23 days, 3:33:19 later (its
  // minutes and seconds, whatever the machine's time zone).
  EXPECT_NE(StatusLine(program).find(L":33:19"), std::wstring::npos) << Narrow(StatusLine(program));
  CloseAndExpectExit(program);
}

}  // namespace
}  // namespace gui
