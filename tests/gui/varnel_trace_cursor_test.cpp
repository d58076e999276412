// The graph's trace cursor in Varnel.exe: toggled by Ctrl+T and by the Graph menu's command, the
// line and the waves' values on the screen in their colours, a move that repaints only what the
// cursor covers, the arrow keys stepping point by point on the nearest wave, and the copied
// bitmap that shows the cursor only while it is on. What the program drew is read through its
// test channel ("trace", see app/test_channel_graph.h) and from the screen's pixels.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "strings/command_ids.h"
#include "document/varnel_doc.h"
#include "platform/wide.h"
#include "tests/gui/channel_answers.h"
#include "tests/gui/run_directory_test.h"
#include "tests/gui/screen_picture.h"
#include "tests/gui/varnel_driver.h"

namespace gui {
namespace {

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Holds(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

Box ToBox(const std::vector<std::wstring>& f, std::size_t at) {
  return {std::stoi(f[at]), std::stoi(f[at + 1]), std::stoi(f[at + 2]), std::stoi(f[at + 3])};
}

// The screen's 0xRRGGBB of a COLORREF.
std::uint32_t ScreenColour(unsigned long colorref) {
  return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

struct Label {
  std::wstring text;
  Box box;
  std::uint32_t colour = 0;  // as the screen shows it
};

// The answer to "trace".
struct Trace {
  bool on = false;
  double time = 0;
  Box line;
  std::uint32_t line_colour = 0;
  std::vector<Label> labels;
  Label time_label;
  std::vector<Box> screen;
};

Trace ReadTrace(const VarnelProcess& program) {
  Trace trace;
  for (const std::wstring& line : Lines(program.Ask(L"trace"))) {
    const std::vector<std::wstring> f = Fields(line);
    if (f[0] == L"trace" && f.size() >= 2) {
      trace.on = f[1] == L"on";
      if (f.size() >= 3) trace.time = std::stod(f[2]);
    } else if (f[0] == L"line" && f.size() == 6) {
      trace.line = ToBox(f, 1);
      trace.line_colour = ScreenColour(std::stoul(f[5]));
    } else if ((f[0] == L"label" || f[0] == L"time") && f.size() == 7) {
      const Label label{f[1], ToBox(f, 2), ScreenColour(std::stoul(f[6]))};
      if (f[0] == L"label") {
        trace.labels.push_back(label);
      } else {
        trace.time_label = label;
      }
    } else if (f[0] == L"screen" && f.size() == 5) {
      trace.screen.push_back(ToBox(f, 1));
    }
  }
  return trace;
}

// The graph window and its plot area, from the answer to "graph".
struct Graph {
  HWND window = nullptr;
  Box area;
};

Graph ReadGraph(const VarnelProcess& program) {
  Graph graph;
  for (const std::wstring& line : Lines(program.Ask(L"graph"))) {
    const std::vector<std::wstring> f = Fields(line);
    if (f[0] == L"window" && f.size() == 2) {
      graph.window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(f[1])));
    } else if (f[0] == L"area" && f.size() == 5) {
      graph.area = ToBox(f, 1);
    }
  }
  return graph;
}

void MoveMouse(HWND window, int x, int y) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &result);
}

// Ctrl and a key as the keyboard gives them, to the program's window in the foreground.
void PressCtrl(const VarnelProcess& program, WORD key) {
  SetForegroundWindow(program.MainWindow());
  WaitUntil([&] { return GetForegroundWindow() == program.MainWindow(); }, 3000);
  INPUT keys[4] = {};
  const WORD sequence[4][2] = {
      {VK_CONTROL, 0}, {key, 0}, {key, KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}};
  for (int k = 0; k < 4; ++k) {
    keys[k].type = INPUT_KEYBOARD;
    keys[k].ki.wVk = sequence[k][0];
    keys[k].ki.dwFlags = sequence[k][1];
  }
  SendInput(4, keys, sizeof(INPUT));
}

bool Checked(const VarnelProcess& program) {
  return Flags(MenuItem(program.Ask(L"menu"), ID_GRAPH_TRACE_CURSOR)).find(L'c') !=
         std::wstring::npos;
}

// Two waves on different time stamps: "Low" 200 values from 0 up by 1, "High" 150 values from 400
// down by 1 (whole numbers, which the value axis's labels show exactly), so that the middle of the
// value axis is far from both where the cases put the pointer.
struct TwoWaves {
  std::vector<double> low_t, low_y, high_t, high_y;
};

std::wstring WriteDocument(const std::wstring& dir, TwoWaves& waves) {
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = u"Varnel.HdaSim.1";
  ConnectionInfo& info = doc.FindOrAddConnection(server);
  const double span = doc.StopTime - doc.StartTime;
  for (int i = 0; i < 200; ++i) {
    waves.low_t.push_back(std::floor(doc.StartTime + span * i / 200));
    waves.low_y.push_back(i);
  }
  for (int i = 0; i < 150; ++i) {
    waves.high_t.push_back(std::floor(doc.StartTime + span * (i + 0.5) / 150));
    waves.high_y.push_back(400 - i);
  }
  for (const char16_t* name : {u"Trace/Low", u"Trace/High"}) {
    info.AddItemName(name);
    TWave wave;
    wave.ServerName = server.ServerName;
    wave.ItemName = name;
    const bool low = name[6] == u'L';
    wave.T = low ? waves.low_t : waves.high_t;
    wave.Y = low ? waves.low_y : waves.high_y;
    doc.Waves.push_back(std::move(wave));
  }
  const std::wstring path = dir + L"\\trace.xml";
  EXPECT_FALSE(doc.Save(platform::U16(path.c_str())));
  return path;
}

// The value of the last point at or before the time; NaN before the first.
double ValueAt(const std::vector<double>& t, const std::vector<double>& y, double time) {
  const auto after = std::upper_bound(t.begin(), t.end(), time);
  return after == t.begin() ? NAN : y[static_cast<std::size_t>(after - t.begin()) - 1];
}

class VarnelTraceCursor : public RunDirectoryTest {
 protected:
  Graph Open(VarnelProcess& program) {
    EXPECT_TRUE(program.Start()) << "Varnel.exe could not be started (error "
                                 << program.StartError() << ")";
    EXPECT_NE(program.WaitMainWindow(), nullptr) << "no main window within 30 s";
    Graph graph;
    EXPECT_TRUE(WaitUntil(
        [&] {
          graph = ReadGraph(program);
          return graph.window && graph.area.right > graph.area.left;
        },
        20000))
        << "the graph was not drawn";
    return graph;
  }
  void CloseAndExpectExit(VarnelProcess& program) {
    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    while (HWND box = program.WaitWindow(L"Varnel", 3000)) Click(GetDlgItem(box, IDNO));
    EXPECT_EQ(program.WaitExit(), 0) << "the program did not end cleanly after WM_CLOSE";
  }
  // The labels' values against those the waves have at the cursor's time (none before a wave's
  // first point).
  void ExpectValuesAt(const Trace& trace) {
    std::vector<double> expected;
    for (double v : {ValueAt(waves_.low_t, waves_.low_y, trace.time),
                     ValueAt(waves_.high_t, waves_.high_y, trace.time)}) {
      if (!std::isnan(v)) expected.push_back(v);
    }
    std::vector<double> shown;
    for (const Label& label : trace.labels) shown.push_back(std::stod(label.text));
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, expected) << "at " << trace.time;
  }

  TwoWaves waves_;
};

TEST_F(VarnelTraceCursor, CtrlTAndTheMenuToggleALineWithEachWavesValueInItsColourAndLogIt) {
  VarnelProcess program(dir_, L"\"" + WriteDocument(dir_, waves_) + L"\"");
  const Graph graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  const int x = (graph.area.left + graph.area.right) / 2;
  const int y = (graph.area.top + graph.area.bottom) / 2;
  MoveMouse(graph.window, x, y);
  EXPECT_FALSE(ReadTrace(program).on);
  EXPECT_FALSE(Checked(program));
  const ScreenPicture without = ReadSettledScreen(graph.window);

  PressCtrl(program, 'T');
  ASSERT_TRUE(WaitUntil([&] { return ReadTrace(program).on; })) << "Ctrl+T did not show it";
  EXPECT_TRUE(Checked(program)) << "the menu item is not checked";
  // It starts where the pointer was last over the graph (or in the middle of the plot area).
  MoveMouse(graph.window, x, y);
  Trace trace = ReadTrace(program);
  EXPECT_EQ(trace.line.left, x);
  EXPECT_EQ(trace.line.top, graph.area.top);
  EXPECT_EQ(trace.line.bottom, graph.area.bottom);
  ASSERT_EQ(trace.labels.size(), 2u);
  ExpectValuesAt(trace);
  EXPECT_NE(trace.labels[0].colour, trace.labels[1].colour) << "the waves' own colours";

  // On the screen: the line's column, each label's frame in its wave's colour with text inside,
  // and the time's box on the time axis below the plots.
  // Under Wine the drawing reaches the display when the program's message loop next flushes the
  // window's surface, a moment after the key was handled.
  ScreenPicture with;
  int line_pixels = 0, rows = 0;
  WaitUntil(
      [&] {
        with = ReadScreen(graph.window);
        line_pixels = rows = 0;
        for (int row = graph.area.top; row < graph.area.bottom; ++row) {
          const bool labelled = std::any_of(trace.labels.begin(), trace.labels.end(),
                                            [&](const Label& l) { return l.box.Holds(x, row); });
          if (labelled) continue;
          ++rows;
          line_pixels += with.At(x, row) == trace.line_colour;
        }
        return line_pixels == rows;
      },
      3000);
  EXPECT_GT(rows, (graph.area.bottom - graph.area.top) / 2);
  EXPECT_EQ(line_pixels, rows) << "the line is not drawn down the plot area";
  for (const Label& label : trace.labels) {
    const int middle = (label.box.top + label.box.bottom) / 2;
    EXPECT_EQ(with.At(label.box.left, middle), label.colour) << "frame of " << Narrow(label.text);
    EXPECT_EQ(with.At(label.box.right - 1, middle), label.colour);
    int ink = 0;
    for (int px = label.box.left + 2; px < label.box.right - 2; ++px) {
      for (int py = label.box.top + 2; py < label.box.bottom - 2; ++py) {
        ink += with.At(px, py) == label.colour;
      }
    }
    EXPECT_GT(ink, 10) << "no text in the label " << Narrow(label.text);
  }
  EXPECT_GE(trace.time_label.box.top, graph.area.bottom) << "the time is not on the time axis";
  EXPECT_EQ(with.At(trace.time_label.box.left, trace.time_label.box.top + 3),
            trace.time_label.colour);

  // Off by the key, on and off by the menu: the pixels under it are those of the graph again.
  PressCtrl(program, 'T');
  ASSERT_TRUE(WaitUntil([&] { return !ReadTrace(program).on; })) << "Ctrl+T did not hide it";
  EXPECT_FALSE(Checked(program));
  int restored = 0;
  WaitUntil(
      [&] {
        const ScreenPicture hidden = ReadScreen(graph.window);
        restored = 0;
        for (int row = graph.area.top; row < graph.area.bottom; ++row) {
          restored += hidden.At(x, row) == without.At(x, row);
        }
        return restored == graph.area.bottom - graph.area.top;
      },
      3000);
  EXPECT_EQ(restored, graph.area.bottom - graph.area.top) << "the line's pixels stayed";
  program.Command(ID_GRAPH_TRACE_CURSOR);
  ASSERT_TRUE(WaitUntil([&] { return ReadTrace(program).on; })) << "the menu did not show it";
  program.Command(ID_GRAPH_TRACE_CURSOR);
  ASSERT_TRUE(WaitUntil([&] { return !ReadTrace(program).on; })) << "the menu did not hide it";
  CloseAndExpectExit(program);

  const std::wstring log = ReadUtf16(dir_ + L"\\Varnel.log");
  const std::size_t on = log.find(L"CmGraphTraceCursor: on");
  ASSERT_NE(on, std::wstring::npos) << "the log does not say the cursor went on";
  EXPECT_NE(log.find(L"CmGraphTraceCursor: off", on), std::wstring::npos);
}

TEST_F(VarnelTraceCursor, AMoveRepaintsOnlyWhatTheCursorCoveredAndCovers) {
  VarnelProcess program(dir_, L"\"" + WriteDocument(dir_, waves_) + L"\"");
  const Graph graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  const int y = (graph.area.top + graph.area.bottom) / 2;
  const int x0 = graph.area.left + (graph.area.right - graph.area.left) / 3;
  MoveMouse(graph.window, x0, y);
  program.Command(ID_GRAPH_TRACE_CURSOR);
  ASSERT_TRUE(WaitUntil([&] { return ReadTrace(program).on; }));
  MoveMouse(graph.window, x0, y);
  const Trace before_move = ReadTrace(program);
  // A square painted on the window's screen pixels, away from the cursor's places: the program's
  // kept picture does not have it, so any repaint of the window beyond the cursor takes it away.
  const Box square{graph.area.right - 14, graph.area.top + 4, graph.area.right - 6,
                   graph.area.top + 12};
  constexpr std::uint32_t kMagenta = 0xFF00FF;
  // Painted again until it stays: a repaint still due from opening would take it away.
  ScreenPicture before;
  ASSERT_TRUE(WaitUntil(
      [&] {
        program.Ask(L"screen-mark " + std::to_wstring(square.left) + L" " +
                    std::to_wstring(square.top) + L" " + std::to_wstring(square.right) + L" " +
                    std::to_wstring(square.bottom));
        Sleep(500);
        before = ReadScreen(graph.window);
        return before.At(square.left + 2, square.top + 2) == kMagenta;
      },
      8000))
      << "the square was not painted";

  const int width = graph.area.right - graph.area.left;
  for (const int x1 : {x0 + width / 5, x0 + width / 5 + 1, graph.area.left + 1}) {
    const Trace old = ReadTrace(program);
    const ScreenPicture was = ReadScreen(graph.window);
    MoveMouse(graph.window, x1, y);
    const Trace now = ReadTrace(program);
    ASSERT_EQ(now.line.left, x1);
    // At the plot area's left only "Low" has a point at or before the time.
    ExpectValuesAt(now);
    // Every changed pixel lies under the cursor as it was or is, or in the readout strip at the
    // bottom, which every move of the pointer writes.
    std::vector<Box> allowed = old.screen;
    allowed.insert(allowed.end(), now.screen.begin(), now.screen.end());
    allowed.push_back({2, was.height - 20, was.width - 2, was.height - 5});
    int changed = 0, outside = 0;
    // Under Wine the program's drawing reaches the display when its message loop next flushes
    // the window's surface, a moment after the move was handled.
    WaitUntil([&] {
      const ScreenPicture is = ReadScreen(graph.window);
      changed = outside = 0;
      for (int py = 0; py < is.height; ++py) {
        for (int px = 0; px < is.width; ++px) {
          if (is.At(px, py) == was.At(px, py)) continue;
          ++changed;
          const bool covered = std::any_of(allowed.begin(), allowed.end(),
                                           [&](const Box& b) { return b.Holds(px, py); });
          if (!covered) ++outside;
        }
      }
      return changed > graph.area.bottom - graph.area.top;
    });
    EXPECT_GT(changed, graph.area.bottom - graph.area.top) << "the cursor did not move to " << x1;
    EXPECT_EQ(outside, 0) << "pixels changed outside the cursor's old and new places";
  }
  EXPECT_EQ(ReadScreen(graph.window).At(square.left + 2, square.top + 2), kMagenta)
      << "the moves repainted the window beyond the cursor";
  // Back where it started: the screen is what it was.
  MoveMouse(graph.window, x0, y);
  int differ = 0;
  WaitUntil([&] {
    const ScreenPicture back = ReadScreen(graph.window);
    differ = 0;
    for (std::size_t i = 0; i < back.pixels.size(); ++i) {
      differ += (back.pixels[i] & 0xFFFFFF) != (before.pixels[i] & 0xFFFFFF);
    }
    return differ == 0;
  });
  EXPECT_EQ(differ, 0) << "moving away and back left " << differ << " pixels changed";
  EXPECT_EQ(ReadTrace(program).line.left, before_move.line.left);
  CloseAndExpectExit(program);
}

TEST_F(VarnelTraceCursor, ArrowKeysStepPointByPointOnTheWaveNearestThePointer) {
  VarnelProcess program(dir_, L"\"" + WriteDocument(dir_, waves_) + L"\"");
  const Graph graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  HWND view = GetParent(graph.window);
  const int x = (graph.area.left + graph.area.right) / 2;
  program.Command(ID_GRAPH_TRACE_CURSOR);
  ASSERT_TRUE(WaitUntil([&] { return ReadTrace(program).on; }));

  struct Case {
    const char* wave;
    int y;
    const std::vector<double>* times;
  };
  const Case cases[] = {{"Low", graph.area.bottom - 3, &waves_.low_t},
                        {"High", graph.area.top + 3, &waves_.high_t}};
  for (const Case& c : cases) {
    MoveMouse(graph.window, x, c.y);
    const double start = ReadTrace(program).time;
    const auto next = std::upper_bound(c.times->begin(), c.times->end(), start);
    ASSERT_NE(next, c.times->end());
    ASSERT_NE(next, c.times->begin());
    // Right three times, left once: on the wave's second point after the start.
    for (UINT key : {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT}) {
      const double was = ReadTrace(program).time;
      PressKeys(view, {key});
      EXPECT_TRUE(WaitUntil([&] { return ReadTrace(program).time != was; }, 5000))
          << c.wave << ": the key did not step";
    }
    Trace trace = ReadTrace(program);
    EXPECT_NEAR(trace.time, *(next + 1), 0.001) << c.wave;
    ExpectValuesAt(trace);
    // The other wave's value is that of its own last point at or before the time.
    PressKeys(view, {VK_LEFT, VK_LEFT});
    EXPECT_TRUE(
        WaitUntil([&] { return std::abs(ReadTrace(program).time - *(next - 1)) < 0.001; }, 5000))
        << c.wave << ": two steps back are not on the point before the start";
    ExpectValuesAt(ReadTrace(program));
  }
  CloseAndExpectExit(program);
}

TEST_F(VarnelTraceCursor, TheCopiedBitmapShowsTheCursorOnlyWhileItIsOn) {
  VarnelProcess program(dir_, L"\"" + WriteDocument(dir_, waves_) + L"\"");
  const Graph graph = Open(program);
  ASSERT_NE(graph.window, nullptr);
  const int x = graph.area.left + (graph.area.right - graph.area.left) / 4;
  const int y = (graph.area.top + graph.area.bottom) / 2;
  auto copy = [&] {
    ScreenPicture picture;
    // Emptied first, so that the bitmap found is the copy's.
    if (!OpenClipboardWithin()) {
      ADD_FAILURE() << "the clipboard could not be opened";
      return picture;
    }
    EmptyClipboard();
    CloseClipboard();
    program.Command(ID_EDIT_COPY);
    EXPECT_TRUE(WaitUntil([] { return IsClipboardFormatAvailable(CF_BITMAP) != FALSE; }))
        << "no bitmap on the clipboard";
    if (OpenClipboardWithin()) {
      picture = ReadBitmap(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));
      CloseClipboard();
    }
    return picture;
  };
  MoveMouse(graph.window, x, y);
  program.Command(ID_GRAPH_TRACE_CURSOR);
  ASSERT_TRUE(WaitUntil([&] { return ReadTrace(program).on; }));
  MoveMouse(graph.window, x, y);
  const Trace trace = ReadTrace(program);
  ASSERT_EQ(trace.labels.size(), 2u);

  const ScreenPicture on = copy();
  ASSERT_GT(on.width, x);
  int line = 0;
  for (int row = graph.area.top; row < graph.area.bottom; ++row) {
    line += on.At(x, row) == trace.line_colour;
  }
  EXPECT_GT(line, (graph.area.bottom - graph.area.top) * 3 / 4) << "no cursor line in the copy";
  for (const Label& label : trace.labels) {
    EXPECT_EQ(on.At(label.box.left, (label.box.top + label.box.bottom) / 2), label.colour)
        << "no frame of " << Narrow(label.text) << " in the copy";
  }

  program.Command(ID_GRAPH_TRACE_CURSOR);
  ASSERT_TRUE(WaitUntil([&] { return !ReadTrace(program).on; }));
  const ScreenPicture off = copy();
  ASSERT_GT(off.width, x);
  line = 0;
  for (int row = graph.area.top; row < graph.area.bottom; ++row) {
    line += off.At(x, row) == trace.line_colour;
  }
  EXPECT_LT(line, 20) << "the copy shows the cursor line although it is off";
  CloseAndExpectExit(program);
}

// The command's menu text, status-bar prompt and toolbar tooltip in each language (Spanish has
// the English menu).
TEST_F(VarnelTraceCursor, MenuTextPromptAndTooltipSpeakEveryLanguage) {
  VarnelProcess program(dir_, L"\"" + WriteDocument(dir_, waves_) + L"\"");
  ASSERT_NE(Open(program).window, nullptr);
  auto prompt = [&] {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(program.MainWindow(), WM_MENUSELECT,
                        MAKEWPARAM(ID_GRAPH_TRACE_CURSOR, MF_HILITE), 1, SMTO_NORMAL, 5000,
                        &result);
    const std::vector<std::wstring> panes = Lines(program.Ask(L"status"));
    return panes.empty() ? std::wstring() : panes[0];
  };
  struct Case {
    UINT language;
    const wchar_t* menu;
    const wchar_t* prompt;
  };
  const Case cases[] = {
      {ID_LANGUAGE_FRENCH, L"Curseur de lecture\tCtrl+T",
       L"Afficher ou masquer le curseur de lecture des valeurs à un instant"},
      {ID_LANGUAGE_GERMAN, L"Messcursor\tStrg+T",
       L"Den Messcursor mit den Werten zu einem Zeitpunkt ein- oder ausblenden"},
      {ID_LANGUAGE_SPANISH, L"Trace Cursor\tCtrl+T",
       L"Mostrar u ocultar el cursor de lectura con los valores de un instante"},
      {ID_LANGUAGE_DUTCH, L"Meetcursor\tCtrl+T",
       L"De meetcursor met de waarden van de curven op één tijdstip tonen of verbergen"},
      {ID_LANGUAGE_ENGLISH, L"Trace Cursor\tCtrl+T",
       L"Show or hide the trace cursor with the waves' values at one time"},
  };
  for (const Case& c : cases) {
    program.Command(c.language);
    EXPECT_TRUE(WaitUntil([&] { return prompt() == c.prompt; }, 5000))
        << c.language << ": " << Narrow(prompt());
    EXPECT_EQ(MenuText(MenuItem(program.Ask(L"menu"), ID_GRAPH_TRACE_CURSOR)), c.menu)
        << c.language;
  }

  // The tooltip of the period toolbar's last button, under the pointer, in English.
  HWND bar = nullptr;
  for (HWND w = FindWindowExW(program.MainWindow(), nullptr, L"ToolbarWindow32", nullptr); w;
       w = FindWindowExW(program.MainWindow(), w, L"ToolbarWindow32", nullptr)) {
    if (SendMessageW(w, TB_COMMANDTOINDEX, ID_GRAPH_TRACE_CURSOR, 0) >= 0) bar = w;
  }
  ASSERT_NE(bar, nullptr) << "no toolbar has the trace cursor's button";
  EXPECT_EQ(SendMessageW(bar, TB_COMMANDTOINDEX, ID_GRAPH_TRACE_CURSOR, 0),
            SendMessageW(bar, TB_BUTTONCOUNT, 0, 0) - 1)
      << "the button is not the bar's last";
  RECT r{};
  GetWindowRect(bar, &r);
  SetCursorPos(r.left + 4, (r.top + r.bottom) / 2);
  SetCursorPos(r.right - 10, (r.top + r.bottom) / 2);
  std::wstring tip;
  EXPECT_TRUE(WaitUntil(
      [&] {
        for (HWND w : program.TopWindows()) {
          wchar_t name[32] = {};
          GetClassNameW(w, name, 32);
          if (std::wstring(name) == L"tooltips_class32") tip = WindowText(w);
        }
        return tip == cases[4].prompt;
      },
      8000))
      << "tooltip: " << Narrow(tip);
  SetCursorPos(0, 0);
  CloseAndExpectExit(program);
}

}  // namespace
}  // namespace gui
