// Varnel.exe's item browser on the simulator (5064 items, 5000 of them in its large branch):
// the time from the browse command to the dialog shown with its list filled, and from a change of
// the filter text to the refilled list, seen from outside (the next 500 ms tick included) and
// inside the program (the refill alone, painted). Medians of five runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "strings/command_ids.h"
#include "dialogs/browse_dialog_ids.h"
#include "tests/gui/varnel_driver.h"
#include "win/stopwatch.h"

namespace {

constexpr int kRuns = 5;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double Max(const std::vector<double>& v) {
  return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

int Count(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); }

// The program's own figures for the open browser: browse and last fill, in milliseconds.
bool Inside(const gui::VarnelProcess& program, double& browse, double& fill) {
  return std::swscanf(program.Ask(L"item-browser").c_str(), L"%lf %lf", &browse, &fill) == 2;
}

struct Filter {
  const wchar_t* text;
  const char* what;
  std::vector<double> outside, inside;
  int entries = 0;
};

}  // namespace

int main() {
  const std::wstring dir = gui::MakeRunDirectory(L"item-browser-bench");
  gui::VarnelProcess program(dir);
  if (!program.Start() || !program.WaitMainWindow()) {
    std::printf("Varnel.exe did not start\n");
    return 1;
  }
  program.Command(ID_SERVER_CONNECT_LOCAL);
  HWND servers = program.WaitWindow(L"Browse OPC Servers", 60000);
  if (!servers) {
    std::printf("no server browser (is the simulator registered in the prefix?)\n");
    return 1;
  }
  HWND server_list = GetDlgItem(servers, IDC_SERVER_LIST);
  const auto index = SendMessageW(server_list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(L"Varnel.HdaSim.1"));
  SendMessageW(server_list, CB_SETCURSEL, index, 0);
  gui::Click(GetDlgItem(servers, IDOK));
  gui::VarnelProcess::WaitGone(servers, 60000);
  Sleep(2000);

  std::vector<double> shown_outside, browse_inside, fill_inside;
  int all_entries = 0;
  Filter filters[] = {{L"large item", "\"large item\" (all but 64)", {}, {}},
                      {L"item 4999", "\"item 4999\" (one entry)", {}, {}},
                      {L"", "\"\" again (every item)", {}, {}}};
  for (int run = 0; run < kRuns; ++run) {
    win::Stopwatch opening;
    program.Command(ID_GRAPH_BROWSE_FIRST);
    HWND dialog = program.WaitWindow(L"Browse Hda Tags", 60000);
    if (!dialog) {
      std::printf("no item browser\n");
      return 1;
    }
    HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
    gui::WaitUntil([&] { return Count(list) > 0; }, 60000);
    shown_outside.push_back(opening.Milliseconds());
    all_entries = Count(list);
    double browse = 0, fill = 0;
    if (Inside(program, browse, fill)) {
      browse_inside.push_back(browse);
      fill_inside.push_back(fill);
    }
    for (Filter& f : filters) {
      const int before = Count(list);
      const win::Stopwatch typing;
      SendMessageW(GetDlgItem(dialog, IDC_ITEM_FILTER), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(f.text));
      // The timer's tick refills the list; the count tells when.
      gui::WaitUntil([&] { return Count(list) != before; }, 5000);
      f.outside.push_back(typing.Milliseconds());
      f.entries = Count(list);
      Sleep(100);
      if (Inside(program, browse, fill)) f.inside.push_back(fill);
    }
    gui::Click(GetDlgItem(dialog, IDCANCEL));
    gui::VarnelProcess::WaitGone(dialog);
    Sleep(500);
  }
  std::printf("browse command to list shown (%d entries): median %.0f ms, max %.0f ms\n",
              all_entries, Median(shown_outside), Max(shown_outside));
  std::printf("  inside: server browse %.0f ms, first fill %.1f ms (medians)\n",
              Median(browse_inside), Median(fill_inside));
  for (const Filter& f : filters) {
    std::printf(
        "filter %-28s -> %4d entries: text to list %.0f ms median, %.0f ms max; refill %.1f ms\n",
        f.what, f.entries, Median(f.outside), Max(f.outside), Median(f.inside));
  }
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  if (HWND ask = program.WaitWindow(L"Varnel", 5000)) gui::Click(GetDlgItem(ask, IDNO));
  program.WaitExit();
  gui::RemoveRunDirectory(dir);
  return 0;
}
