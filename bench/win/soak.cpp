// Varnel.exe left running: a live document of ten 1 s items of the simulator over the last ten
// minutes, refreshed by the refresh command every second (and by the automatic refresh), its
// server killed once meanwhile and started again (the program reconnects it). Every sample it
// asks the program for its private bytes, GDI and USER objects and reads the log file's size;
// at the end it prints the samples and the slopes after the first minutes (least squares).
//   scripts/wine-run <prefix> build/win64/bin/soak_bench.exe [--minutes 20] [--sample-seconds 60]
//       [--refresh-ms 1000] [--refresh-rate 10] [--kill-at-minute 5] [--settle-minutes 3]
//       [--trace-size 1]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "strings/command_ids.h"
#include "document/period.h"
#include "document/varnel_doc.h"
#include "platform/wide.h"
#include "tests/gui/varnel_driver.h"
#include "tests/support/simulator_kill.h"

namespace {

constexpr int kItems = 10;
const char16_t* const kOneSecondItems[kItems] = {u"Waves/Sine 1s",     u"Waves/Ramp 1s",
                                                 u"Waves/Saw 1s",      u"Waves/Square 1s",
                                                 u"Waves/Triangle 1s", u"Waves/Random walk 1s",
                                                 u"Types/I2",          u"Types/I4",
                                                 u"Types/R4",          u"Types/R8"};

struct Options {
  double minutes = 20;
  double sample_seconds = 60;
  DWORD refresh_ms = 1000;    // 0: the automatic refresh alone
  double kill_at_minute = 5;  // below 0: never
  double settle_minutes = 3;
  int trace_size = 1;
  int refresh_rate = 10;  // the configuration's RefreshRate, seconds
};

struct Sample {
  double minute = 0;
  double private_kb = 0;
  double gdi = 0;
  double user = 0;
  double log_kb = 0;
  double log_entries = 0;  // kept in memory
  long long refreshes = 0;
};

Options ParseOptions(int argc, wchar_t** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring name = argv[i];
    const double value = std::wcstod(argv[i + 1], nullptr);
    if (name == L"--minutes")
      o.minutes = value;
    else if (name == L"--sample-seconds")
      o.sample_seconds = value;
    else if (name == L"--refresh-ms")
      o.refresh_ms = static_cast<DWORD>(value);
    else if (name == L"--kill-at-minute")
      o.kill_at_minute = value;
    else if (name == L"--settle-minutes")
      o.settle_minutes = value;
    else if (name == L"--trace-size")
      o.trace_size = static_cast<int>(value);
    else if (name == L"--refresh-rate")
      o.refresh_rate = static_cast<int>(value);
  }
  return o;
}

std::wstring WriteDocument(const std::wstring& dir) {
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = u"Varnel.HdaSim.1";
  ConnectionInfo& info = doc.FindOrAddConnection(server);
  for (const char16_t* item : kOneSecondItems) info.AddItemName(item);
  const std::wstring path = dir + L"\\soak.xml";
  // Empty when it cannot be written: the caller has nothing to measure.
  if (doc.Save(platform::U16(path.c_str()))) return std::wstring();
  return path;
}

void WriteConfiguration(const std::wstring& dir, int trace_size, int refresh_rate) {
  gui::WriteUtf16(dir + L"\\Varnel_Config.xml",
                  L"<Varnel_Configuration><ConfigBase><TraceSize>" + std::to_wstring(trace_size) +
                      L"</TraceSize></ConfigBase><General><RefreshRate>" +
                      std::to_wstring(refresh_rate) +
                      L"</RefreshRate></General>"
                      L"<HdaOpcServers><HdaServerDef><MachineName></MachineName>"
                      L"<ServerName>Varnel.HdaSim.1</ServerName>"
                      L"<ReconnectAtStartup>1</ReconnectAtStartup></HdaServerDef></HdaOpcServers>"
                      L"</Varnel_Configuration>");
}

double FileKb(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) / 1024.0;
}

// Least-squares slope of y over the samples from `from_minute` on, per minute.
template <typename Field>
double Slope(const std::vector<Sample>& samples, double from_minute, Field field) {
  double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (const Sample& s : samples) {
    if (s.minute < from_minute) continue;
    const double y = field(s);
    n += 1;
    sx += s.minute;
    sy += y;
    sxx += s.minute * s.minute;
    sxy += s.minute * y;
  }
  const double d = n * sxx - sx * sx;
  return n < 2 || d == 0 ? 0 : (n * sxy - sx * sy) / d;
}

// The refresh command, answered before the next one is sent (no pile of posted commands).
bool Refresh(HWND main) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(main, WM_COMMAND, ID_GRAPH_REFRESH, 0, SMTO_NORMAL, 30000, &result) !=
         0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const Options o = ParseOptions(argc, argv);
  const std::wstring dir = gui::MakeRunDirectory(L"soak-bench");
  const std::wstring document = WriteDocument(dir);
  if (document.empty()) {
    std::printf("the soak document could not be written\n");
    return 1;
  }
  WriteConfiguration(dir, o.trace_size, o.refresh_rate);
  gui::VarnelProcess program(dir, L"\"" + document + L"\"");
  if (!program.Start() || !program.WaitMainWindow()) {
    std::printf("Varnel.exe did not start\n");
    return 1;
  }
  // The document opens locked: unlocked, it follows the last ten minutes.
  if (!gui::WaitUntil(
          [&] {
            return program.Ask(L"connections").find(L"Varnel.HdaSim.1") != std::wstring::npos;
          },
          60000)) {
    std::printf("the server was not connected at start-up\n");
    return 1;
  }
  program.Command(ID_PERIOD_UNLOCK);
  program.Command(PeriodKindOf(kPeriodLast10Minutes).command);
  std::printf(
      "%d 1 s items, last ten minutes, refresh command every %lu ms (0: none), "
      "RefreshRate %d s, sample every %.0f s, TraceSize %d\n",
      kItems, static_cast<unsigned long>(o.refresh_ms), o.refresh_rate, o.sample_seconds,
      o.trace_size);
  std::printf("minute  private KB      GDI     USER   log KB  log lines refreshes\n");

  std::vector<Sample> samples;
  const ULONGLONG start = GetTickCount64();
  ULONGLONG next_sample = start;
  ULONGLONG next_refresh = start;
  long long refreshes = 0;
  bool killed = false;
  const std::wstring log = dir + L"\\Varnel.log";
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const double minute = static_cast<double>(now - start) / 60000.0;
    if (now >= next_sample) {
      Sample s;
      s.minute = minute;
      unsigned long long bytes = 0, gdi = 0, user = 0, entries = 0;
      std::swscanf(program.Ask(L"resources").c_str(), L"%llu %llu %llu %llu", &bytes, &gdi, &user,
                   &entries);
      s.private_kb = static_cast<double>(bytes) / 1024.0;
      s.gdi = static_cast<double>(gdi);
      s.user = static_cast<double>(user);
      s.log_kb = FileKb(log);
      s.log_entries = static_cast<double>(entries);
      s.refreshes = refreshes;
      samples.push_back(s);
      std::printf("%6.1f %11.0f %8.0f %8.0f %8.0f %9.0f %10lld\n", s.minute, s.private_kb, s.gdi,
                  s.user, s.log_kb, s.log_entries, s.refreshes);
      std::fflush(stdout);
      next_sample += static_cast<ULONGLONG>(o.sample_seconds * 1000.0);
    }
    if (minute >= o.minutes) break;
    if (!killed && o.kill_at_minute >= 0 && minute >= o.kill_at_minute) {
      killed = true;
      const int n = test_support::KillSimulator();
      test_support::ForgetKilledServers();
      std::printf("%6.1f killed %d simulator process(es); the program is to reconnect\n", minute,
                  n);
    }
    if (o.refresh_ms != 0 && now >= next_refresh) {
      if (Refresh(program.MainWindow())) ++refreshes;
      next_refresh += o.refresh_ms;
      if (next_refresh < GetTickCount64()) next_refresh = GetTickCount64();  // no catching up
    }
    Sleep(20);
  }

  const double minutes = samples.back().minute - samples.front().minute;
  const double refreshes_per_minute = minutes > 0 ? static_cast<double>(refreshes) / minutes : 0;
  const double private_slope =
      Slope(samples, o.settle_minutes, [](const Sample& s) { return s.private_kb; });
  std::printf("slopes from minute %.0f on (least squares, per minute):\n", o.settle_minutes);
  std::printf(
      "  private bytes %+.1f KB/min (%+.0f bytes per item read, %.0f reads a minute)\n",
      private_slope,
      refreshes_per_minute > 0 ? private_slope * 1024.0 / (refreshes_per_minute * kItems) : 0.0,
      refreshes_per_minute * kItems);
  std::printf("  GDI objects   %+.2f /min\n",
              Slope(samples, o.settle_minutes, [](const Sample& s) { return s.gdi; }));
  std::printf("  USER objects  %+.2f /min\n",
              Slope(samples, o.settle_minutes, [](const Sample& s) { return s.user; }));
  std::printf("  log file      %+.1f KB/min, largest %.0f KB\n",
              Slope(samples, o.settle_minutes, [](const Sample& s) { return s.log_kb; }), [&] {
                double largest = 0;
                for (const Sample& s : samples) largest = s.log_kb > largest ? s.log_kb : largest;
                return largest;
              }());
  std::printf("  connections at the end: %s\n",
              program.Ask(L"connections").find(L"Varnel.HdaSim.1") != std::wstring::npos
                  ? "server back"
                  : "server missing");
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  if (HWND ask = program.WaitWindow(L"Varnel", 5000)) gui::Click(GetDlgItem(ask, IDNO));
  program.WaitExit();
  gui::RemoveRunDirectory(dir);
  return 0;
}
