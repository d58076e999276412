// The grid view of Varnel.exe as the operator uses it: a document opened from the command line,
// cells selected with the mouse, copied and read back from the clipboard, and waves hidden and
// shown through the grid's context menu; judged by the clipboard, the program's answers about
// its grid and graph, and the saved document.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "strings/command_ids.h"
#include "document/varnel_doc.h"
#include "document/wave_name.h"
#include "platform/wide.h"
#include "tests/gui/run_directory_test.h"
#include "tests/gui/channel_answers.h"
#include "tests/gui/varnel_driver.h"
#include "ui/clipboard_text.h"

namespace gui {
namespace {

constexpr wchar_t kServer[] = L"Varnel.HdaSim.1";

// Two waves of six points with their looks stored, so opening the document leaves it unmodified:
// "Flow" with the values 0.25, 1.25, ... and "Plant1.Unit2.Temp.Outlet" with -1, -2, ...
std::wstring WriteDocument(const std::wstring& dir) {
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = platform::U16(kServer);
  for (const char16_t* item : {u"Flow", u"Plant1.Unit2.Temp.Outlet"}) {
    doc.FindOrAddConnection(server).AddItemName(item);
    TWave wave;
    wave.ServerName = server.ServerName;
    wave.ItemName = item;
    for (int i = 0; i < 6; ++i) {
      wave.T.push_back(doc.StartTime + 1000.0 * i);
      wave.Y.push_back(doc.Waves.empty() ? 0.25 + i : -1.0 - i);
    }
    graph::TPlotSettings look;
    look.Name = WaveFullName(wave);
    doc.GraphSettings.Plots.emplace(look.Name, look);
    doc.Waves.push_back(wave);
  }
  const std::wstring path = dir + L"\\grid.xml";
  EXPECT_FALSE(doc.Save(platform::U16(path.c_str())));
  return path;
}

class VarnelGrid : public RunDirectoryTest {
 protected:
  // Starts the program on the document and finds its grid.
  void Open(VarnelProcess& program) {
    ASSERT_TRUE(program.Start());
    ASSERT_NE(program.WaitMainWindow(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return Lines(program.Ask(L"documents")).size() == 1; }));
    grid_ = FindDescendant(program.MainWindow(), L"VarnelGridCtrl");
    ASSERT_NE(grid_, nullptr) << "no grid in the document window";
  }
  // The centre of a cell in the grid's client area, as the program lays it out.
  static POINT CellCentre(const VarnelProcess& program, int row, int column) {
    RECT r{};
    std::swscanf(
        program.Ask(L"grid-cell " + std::to_wstring(row) + L" " + std::to_wstring(column)).c_str(),
        L"%ld %ld %ld %ld", &r.left, &r.top, &r.right, &r.bottom);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // The selected range as "first row, first column, last row, last column".
  static std::wstring Selection(const VarnelProcess& program) {
    int n[8] = {};
    std::swscanf(program.Ask(L"grid").c_str(), L"%d %d %d %d %d %d %d %d", &n[0], &n[1], &n[2],
                 &n[3], &n[4], &n[5], &n[6], &n[7]);
    return std::to_wstring(n[4]) + L"," + std::to_wstring(n[5]) + L"," + std::to_wstring(n[6]) +
           L"," + std::to_wstring(n[7]);
  }
  // Opens the grid's context menu on the cell and chooses its item: 1 "Show", 2 "Hide".
  void ChooseFromContextMenu(VarnelProcess& program, int row, int column, int item) {
    RightClickAt(grid_, CellCentre(program, row, column));
    HWND menu = program.WaitPopupMenu();
    ASSERT_NE(menu, nullptr) << "no context menu";
    std::vector<UINT> keys(static_cast<std::size_t>(item), VK_DOWN);
    keys.push_back(VK_RETURN);
    PressKeys(menu, keys);
    EXPECT_TRUE(VarnelProcess::WaitGone(menu));
  }

  HWND grid_ = nullptr;
};

TEST_F(VarnelGrid, SelectedCellsAreCopiedAsTabbedLinesWithTheHeadingLineFromTheTop) {
  const std::wstring path = WriteDocument(dir_);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  Open(program);
  const std::wstring layout = program.Ask(L"grid");
  EXPECT_EQ(layout.substr(0, layout.find(L" -1")), L"9 5 2 1") << Narrow(layout);

  // A click on the first value of "Flow", Shift and a click on the third value of the other wave.
  LeftClickAt(grid_, CellCentre(program, 2, 2));
  LeftClickAt(grid_, CellCentre(program, 4, 4), MK_SHIFT);
  ASSERT_TRUE(WaitUntil([&] { return Selection(program) == L"2,2,4,4"; }))
      << Narrow(Selection(program));
  ui::PutClipboardText(nullptr, L"");
  program.Command(ID_EDIT_COPY);
  std::wstring copied;
  EXPECT_TRUE(WaitUntil([&] { return !(copied = ui::ClipboardText(nullptr)).empty(); }));
  const std::vector<std::wstring> lines = Lines(copied);
  ASSERT_EQ(lines.size(), 4u) << Narrow(copied);
  EXPECT_EQ(copied.substr(copied.size() - 2), L"\r\n");
  EXPECT_EQ(lines[0], L"Flow\tTime\tPlant1.Unit2.Temp.Outlet\r");
  EXPECT_EQ(lines[1].substr(0, 6), L"0.250\t");
  EXPECT_EQ(lines[1].substr(lines[1].rfind(L'\t')), L"\t-1.000\r");
  EXPECT_EQ(lines[3].substr(0, 6), L"2.250\t");
  EXPECT_EQ(lines[3].substr(lines[3].rfind(L'\t')), L"\t-3.000\r");

  // Further down there is no heading line; the keyboard extends the selection.
  LeftClickAt(grid_, CellCentre(program, 5, 2));
  PressKeys(grid_, {VK_DOWN});
  ASSERT_TRUE(WaitUntil([&] { return Selection(program) == L"6,2,6,2"; }))
      << Narrow(Selection(program));
  program.Command(ID_EDIT_COPY);
  EXPECT_TRUE(WaitUntil([&] { return ui::ClipboardText(nullptr) == L"4.250\r\n"; }))
      << Narrow(ui::ClipboardText(nullptr));

  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(), 0) << "an unmodified document was not closed at once";
}

TEST_F(VarnelGrid, ContextMenuHidesAndShowsTheSelectedWavesInGraphAndDocument) {
  const std::wstring path = WriteDocument(dir_);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  Open(program);
  EXPECT_EQ(program.Ask(L"plots"),
            L"Varnel.HdaSim.1::Flow|0|0\nVarnel.HdaSim.1::Plant1.Unit2.Temp.Outlet|0|0\n");

  // The heading of the time column of the second wave selects its column; its menu hides it.
  LeftClickAt(grid_, CellCentre(program, 0, 3));
  ASSERT_TRUE(WaitUntil([&] { return Selection(program) == L"2,3,8,3"; }))
      << Narrow(Selection(program));
  ChooseFromContextMenu(program, 5, 3, 2);
  EXPECT_TRUE(WaitUntil([&] {
    return program.Ask(L"plots") ==
           L"Varnel.HdaSim.1::Flow|0|0\nVarnel.HdaSim.1::Plant1.Unit2.Temp.Outlet|1|1\n";
  })) << Narrow(program.Ask(L"plots"));
  EXPECT_NE(program.Ask(L"documents").find(L"|1|2|2"), std::wstring::npos) << "not marked modified";

  // Saved, the document keeps the hidden wave.
  program.Command(ID_FILE_SAVE);
  EXPECT_TRUE(
      WaitUntil([&] { return program.Ask(L"documents").find(L"|0|2|2") != std::wstring::npos; }));
  const std::wstring saved = ReadUtf16(path);
  // A plot's settings end with its Hide and then its Name.
  const std::size_t name = saved.find(L"Plant1.Unit2.Temp.Outlet</Name>");
  ASSERT_NE(name, std::wstring::npos) << "no plot settings saved for the wave";
  const std::size_t hide = saved.rfind(L"<Hide>", name);
  ASSERT_NE(hide, std::wstring::npos);
  EXPECT_EQ(saved.substr(hide, 8), L"<Hide>1<") << Narrow(saved.substr(hide, 120));

  // All of the table selected from the corner: "Show" brings the wave back.
  LeftClickAt(grid_, CellCentre(program, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return Selection(program) == L"2,1,8,4"; }))
      << Narrow(Selection(program));
  ChooseFromContextMenu(program, 3, 2, 1);
  EXPECT_TRUE(WaitUntil([&] {
    return program.Ask(L"plots") ==
           L"Varnel.HdaSim.1::Flow|0|0\nVarnel.HdaSim.1::Plant1.Unit2.Temp.Outlet|0|0\n";
  })) << Narrow(program.Ask(L"plots"));

  // Closing asks to save; No leaves the file as saved.
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  HWND box = program.WaitWindow(L"Varnel");
  ASSERT_NE(box, nullptr) << "the shown wave did not mark the document modified";
  Click(GetDlgItem(box, IDNO));
  EXPECT_EQ(program.WaitExit(), 0);
  EXPECT_EQ(ReadUtf16(path), saved);
}

TEST_F(VarnelGrid, EditFindAsksForATextAndKeepsItWithTheEarlierOnes) {
  const std::wstring path = WriteDocument(dir_);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  Open(program);
  LeftClickAt(grid_, CellCentre(program, 3, 2));  // the grid view becomes the active view
  ASSERT_TRUE(WaitUntil([&] { return Selection(program) == L"3,2,3,2"; }));
  for (const wchar_t* text : {L"Temp", L"1.250", L"Temp"}) {
    program.Command(ID_EDIT_FIND);
    HWND dialog = program.WaitWindow(L"Find");
    ASSERT_NE(dialog, nullptr) << "Edit Find opened no find dialog";
    HWND edit = FindDescendant(dialog, L"Edit");
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    Click(GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(VarnelProcess::WaitGone(dialog));
  }
  // The same text again moves to the front instead of being listed twice; down, no options.
  EXPECT_EQ(program.Ask(L"grid-find"), L"Temp|Temp;1.250;|001");
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(), 0);
}

}  // namespace
}  // namespace gui
