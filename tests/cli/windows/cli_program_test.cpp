// varnel-cli.exe run as a child process against hdasim.exe: what operators and scripts see.
#include <windows.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "tests/cli/windows/cli_run.h"
#include "win/com_ptr.h"

namespace {

using cli_test::Directory;
using cli_test::Lines;
using cli_test::RunCli;
using cli_test::TRun;

TEST(CliProgram, ServersListsTheSimulatorClasses) {
  const TRun run = RunCli(L"servers");
  EXPECT_EQ(run.exitCode, 0u) << run.err;
  // The simulator's seventeen server classes.
  EXPECT_EQ(Lines(run.out).size(), 17u) << run.out;
}

TEST(CliProgram, ItemsWithAWordFilter) {
  const TRun run = RunCli(L"items --server Varnel.HdaSim.1 --filter \"LEVEL 1,\"");
  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(Lines(run.out), std::vector<std::string>{"Names/Tank 1.Level"});
  const TRun all = RunCli(L"items --server Varnel.HdaSim.1 --filter \"plant line temperature\"");
  EXPECT_EQ(Lines(all.out), (std::vector<std::string>{"Plant/Area 1/Line A/Temperature",
                                                      "Plant/Area 1/Line B/Temperature"}));
}

TEST(CliProgram, ReadAsCsvLaysOutOneTimeColumnPerWave) {
  const TRun run = RunCli(
      L"--utc-offset 0 read --server Varnel.HdaSim.1 --item \"Waves/Ramp 1s\" \"Text/States\" "
      L"--from \"1/6/2021 00:00:00\" --to \"1/6/2021 00:00:30\" --csv");
  ASSERT_EQ(run.exitCode, 0u) << run.err;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines[0], "Time,Waves/Ramp 1s,Time,Text/States");
  // Local time is UTC plus summer time: 00:00 on 1 June is 23:00 UTC, second 82800 of the ramp.
  EXPECT_EQ(lines[1], "01/06/2021 00:00:00.000,82800,01/06/2021 00:00:00.000,Stopped");
  EXPECT_EQ(lines[2], "01/06/2021 00:00:01.000,82801,01/06/2021 00:00:10.000,Starting");
  EXPECT_EQ(lines[4], "01/06/2021 00:00:03.000,82803,,");
  EXPECT_NE(run.out.find("\r\n"), std::string::npos);  // RFC 4180 line ends
}

// 4 to 11 January 2021: no summer time, so with --utc-offset 0 local time is UTC.
constexpr const wchar_t* kWeek = L"--from \"4/1/2021 00:00:00\" --to \"11/1/2021 00:00:00\"";
constexpr const wchar_t* kDay = L"--from \"4/1/2021 00:00:00\" --to \"5/1/2021 00:00:00\"";
constexpr int kSecondsPerDay = 86400;

std::wstring ReadRamp(const wchar_t* server, const wchar_t* span, const wchar_t* more) {
  return std::wstring(L"--utc-offset 0 read --server ") + server + L" --item \"Waves/Ramp 1s\" " +
         span + L" --csv" + more;
}

// Row i + 1 of a ramp read from 4 January 00:00 UTC: second i of the span, worth the seconds since
// that day's midnight.
std::string RampRow(int i) {
  char row[48];
  const int second = i % kSecondsPerDay;
  std::snprintf(row, sizeof row, "%02d/01/2021 %02d:%02d:%02d.000,%d", 4 + i / kSecondsPerDay,
                second / 3600, second / 60 % 60, second % 60, second);
  return row;
}

// Every row as the simulator's function gives it: none missing, none repeated, none out of place.
void ExpectRampRows(const std::vector<std::string>& lines, int rows) {
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(rows) + 1);
  EXPECT_EQ(lines[0], "Time,Waves/Ramp 1s");
  int wrong = 0;
  for (int i = 0; i < rows; ++i) {
    if (lines[i + 1] != RampRow(i) && wrong++ < 5) {
      ADD_FAILURE() << "row " << i + 1 << ": " << lines[i + 1];
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(CliProgram, ReadAllStreamsAWeekWhateverTheServerGivesACall) {
  // A week's values held at once would take more than 9 MB as numbers alone, 23 MB as text.
  const TRun day = RunCli(ReadRamp(L"Varnel.HdaSim.1", kDay, L" --all"));
  ASSERT_EQ(day.exitCode, 0u) << day.err;
  constexpr SIZE_T kPiecesMemory = 4 << 20;
  std::string first;
  for (const wchar_t* server : {L"Varnel.HdaSim.1", L"Varnel.HdaSim.16"}) {
    SCOPED_TRACE(server);
    const TRun run = RunCli(ReadRamp(server, kWeek, L" --all"));
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    std::printf(
        "[ measured ] read --all of a week (604800 values) through %ls: %lu ms, peak working "
        "set %zu KB (a day: %zu KB)\n",
        server, run.milliseconds, run.peakWorkingSet >> 10, day.peakWorkingSet >> 10);
    EXPECT_LT(run.peakWorkingSet, day.peakWorkingSet + kPiecesMemory);
    const auto lines = Lines(run.out);
    ExpectRampRows(lines, 7 * kSecondsPerDay);
    EXPECT_EQ(lines[1], "04/01/2021 00:00:00.000,0");
    EXPECT_EQ(lines.back(), "10/01/2021 23:59:59.000,86399");
    // A count every 100000 values as it goes, and the whole count last.
    const auto counts = Lines(run.err);
    ASSERT_EQ(counts.size(), 7u) << run.err;
    EXPECT_EQ(counts[0],
              "varnel-cli: 100000 values of Waves/Ramp 1s, up to 05/01/2021 03:46:39.000");
    EXPECT_EQ(counts[5].substr(0, 30), "varnel-cli: 600000 values of W");
    EXPECT_EQ(counts[6], "varnel-cli: 604800 values of Waves/Ramp 1s");
    if (first.empty()) {
      first = run.out;
    } else {
      EXPECT_TRUE(run.out == first) << "the two servers' tables differ";
    }
  }
}

TEST(CliProgram, ReadWithoutAllStopsAt32000ValuesAndSaysUpToWhen) {
  for (const wchar_t* server : {L"Varnel.HdaSim.1", L"Varnel.HdaSim.16"}) {
    SCOPED_TRACE(server);
    const TRun run = RunCli(ReadRamp(server, kDay, L""));
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    ExpectRampRows(Lines(run.out), 32000);
    // Second 31999 is 08:53:19.
    EXPECT_EQ(Lines(run.err),
              std::vector<std::string>{
                  "varnel-cli: warning: Waves/Ramp 1s: only the first 32000 values were read, up "
                  "to 04/01/2021 08:53:19.000; use --all for the whole period"});
  }
  // A whole period says nothing.
  const TRun whole = RunCli(
      L"--utc-offset 0 read --server Varnel.HdaSim.1 --item \"Waves/Ramp 1s\" "
      L"--from \"4/1/2021 00:00:00\" --to \"4/1/2021 08:53:20\" --csv");
  ASSERT_EQ(whole.exitCode, 0u) << whole.err;
  ExpectRampRows(Lines(whole.out), 32000);
  EXPECT_TRUE(whole.err.empty()) << whole.err;
}

// Within 32000 values, --all writes what the plain read writes: the same cells, quoting and line
// ends, texts and NaNs included.
TEST(CliProgram, ReadAllWritesTheTableOfThePlainRead) {
  struct Case {
    const char* item;
    const wchar_t* arguments;
  };
  const Case cases[] = {
      {"Names/Flow, inlet",
       L"--item \"Names/Flow, inlet\" --from \"4/1/2021 00:00:00\" --to \"4/1/2021 01:00:00\" "
       L"--csv"},
      {"Text/Mixed 1s",
       L"--item \"Text/Mixed 1s\" --from \"4/1/2021 00:00:00\" --to \"4/1/2021 00:10:00\""},
      {"Types/EMPTY",
       L"--item \"Types/EMPTY\" --from \"4/1/2021 00:00:00\" --to \"4/1/2021 00:00:30\" --csv"},
      {"Waves/Sine 1s",
       L"--item \"Waves/Sine 1s\" --from \"1/1/2099 00:00:00\" --to \"1/1/2099 01:00:00\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    const std::wstring read = std::wstring(L"read --server Varnel.HdaSim.16 ") + c.arguments;
    const TRun plain = RunCli(read);
    const TRun all = RunCli(read + L" --all");
    ASSERT_EQ(plain.exitCode, 0u) << plain.err;
    ASSERT_EQ(all.exitCode, 0u) << all.err;
    EXPECT_TRUE(all.out == plain.out) << all.out.substr(0, 300) << "\n---\n"
                                      << plain.out.substr(0, 300);
    const std::size_t rows = Lines(plain.out).size() - 1;
    EXPECT_EQ(Lines(all.err), std::vector<std::string>{"varnel-cli: " + std::to_string(rows) +
                                                       " values of " + c.item});
  }
}

TEST(CliProgram, DocumentNewShowStepRoundTrip) {
  const std::wstring file = Directory() + L"cli_test_doc.xml";
  const TRun created = RunCli(
      L"doc new --server Varnel.HdaSim.1 --item \"Waves/Sine 10s\" \"Types/BOOL\" "
      L"--period last-hour --out \"" +
      file + L"\"");
  ASSERT_EQ(created.exitCode, 0u) << created.err;
  const TRun shown = RunCli(L"doc show \"" + file + L"\"");
  ASSERT_EQ(shown.exitCode, 0u) << shown.err;
  EXPECT_NE(shown.out.find("The last hour (280)"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("Waves/Sine 10s: 360 points"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("Types/BOOL: 3600 points"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("values -1 .. 0"), std::string::npos) << shown.out;

  const TRun previous = RunCli(L"doc step \"" + file + L"\" --previous");
  ASSERT_EQ(previous.exitCode, 0u) << previous.err;
  EXPECT_TRUE(previous.err.empty()) << previous.err;  // no wave was cut
  const TRun day = RunCli(L"doc step \"" + file + L"\" --period day");
  ASSERT_EQ(day.exitCode, 0u) << day.err;
  const TRun after = RunCli(L"doc show \"" + file + L"\"");
  EXPECT_NE(after.out.find("One day (100)"), std::string::npos) << after.out;
  DeleteFileW(file.c_str());
}

// A PNG file read back through the imaging component: its size and pixels as 0x00RRGGBB.
struct TPicture {
  UINT width = 0;
  UINT height = 0;
  std::vector<std::uint32_t> pixels;
};

class TComScope {
 public:
  TComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~TComScope() {
    if (ok_) CoUninitialize();
  }
  TComScope(const TComScope&) = delete;
  TComScope& operator=(const TComScope&) = delete;

 private:
  bool ok_;
};

TPicture ReadPng(const std::wstring& file) {
  TPicture picture;
  win::ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(&factory)))) {
    ADD_FAILURE() << "no imaging factory";
    return picture;
  }
  win::ComPtr<IWICBitmapDecoder> decoder;
  win::ComPtr<IWICBitmapFrameDecode> frame;
  win::ComPtr<IWICFormatConverter> converter;
  GUID container{};
  if (FAILED(factory->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, &decoder)) ||
      FAILED(decoder->GetContainerFormat(&container)) || container != GUID_ContainerFormatPng ||
      FAILED(decoder->GetFrame(0, &frame)) ||
      FAILED(frame->GetSize(&picture.width, &picture.height)) ||
      FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    ADD_FAILURE() << "not a readable PNG file";
    return {};
  }
  picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
  if (FAILED(converter->CopyPixels(nullptr, picture.width * 4, picture.width * picture.height * 4,
                                   reinterpret_cast<BYTE*>(picture.pixels.data())))) {
    ADD_FAILURE() << "cannot read the PNG file's pixels";
  }
  for (std::uint32_t& p : picture.pixels) p &= 0xFFFFFF;
  return picture;
}

TEST(CliProgram, RenderDrawsTheDocumentsGraphIntoAPng) {
  TComScope com;
  const std::wstring file = Directory() + L"cli_test_render.xml";
  const std::wstring screen = Directory() + L"cli_test_render.png";
  const std::wstring print = Directory() + L"cli_test_render_print.png";
  const TRun created = RunCli(
      L"doc new --server Varnel.HdaSim.1 --item \"Waves/Sine 10s\" \"Types/BOOL\" "
      L"\"Text/States\" --period last-hour --out \"" +
      file + L"\"");
  ASSERT_EQ(created.exitCode, 0u) << created.err;

  const TRun rendered =
      RunCli(L"render \"" + file + L"\" --out \"" + screen + L"\" --width 640 --height 400");
  ASSERT_EQ(rendered.exitCode, 0u) << rendered.err;
  EXPECT_NE(rendered.out.find("640 x 400"), std::string::npos) << rendered.out;
  const TPicture picture = ReadPng(screen);
  EXPECT_EQ(picture.width, 640u);
  EXPECT_EQ(picture.height, 400u);
  // Background, axes, texts and two plots in their own colours, not one flat colour.
  const std::set<std::uint32_t> colours(picture.pixels.begin(), picture.pixels.end());
  EXPECT_GE(colours.size(), 5u);

  const TRun printed = RunCli(L"render \"" + file + L"\" --out \"" + print + L"\" --print");
  ASSERT_EQ(printed.exitCode, 0u) << printed.err;
  const TPicture page = ReadPng(print);
  ASSERT_EQ(page.width, 800u);  // the default size
  ASSERT_EQ(page.height, 500u);
  // The print border: black along every edge.
  EXPECT_EQ(page.pixels[0], 0u);
  EXPECT_EQ(page.pixels[page.width * page.height - 1], 0u);
  EXPECT_EQ(page.pixels[page.width * (page.height / 2)], 0u);
  EXPECT_NE(page.pixels[page.width * 5 + 5], 0u);  // inside it the print background
  // The screen picture has no border: its corner is its background.
  EXPECT_EQ(picture.pixels[0], picture.pixels[picture.width * 5 + 5]);
  DeleteFileW(file.c_str());
  DeleteFileW(screen.c_str());
  DeleteFileW(print.c_str());
}

// A wave cut at the document's 32000 values is drawn over the whole period, as the window draws
// it: from the extremes of servers that give them (whole answers or 1000 a call) and from every
// raw value of one that does not. All three pictures are the same, and nothing is left cut.
TEST(CliProgram, RenderDrawsCutWavesOverTheWholePeriodFromAnyServer) {
  TComScope com;
  std::vector<TPicture> pictures;
  for (const wchar_t* server : {L"Varnel.HdaSim.1", L"Varnel.HdaSim.16", L"Varnel.HdaSim.17"}) {
    const std::wstring file = Directory() + L"cli_test_render_long.xml";
    const std::wstring png = Directory() + L"cli_test_render_long.png";
    // Yesterday: the same period for every server (a day of a 1 s item: 86400 values).
    const TRun created = RunCli(L"doc new --server " + std::wstring(server) +
                                L" --item \"Waves/Sine 1s\" --period day --out \"" + file + L"\"");
    ASSERT_EQ(created.exitCode, 0u) << created.err;
    const TRun stepped = RunCli(L"doc step \"" + file + L"\" --previous");
    ASSERT_EQ(stepped.exitCode, 0u) << stepped.err;
    EXPECT_NE(stepped.err.find("only the first 32000"), std::string::npos) << stepped.err;
    const TRun rendered =
        RunCli(L"render \"" + file + L"\" --out \"" + png + L"\" --width 900 --height 300");
    ASSERT_EQ(rendered.exitCode, 0u) << rendered.err;
    EXPECT_EQ(rendered.err, "");
    pictures.push_back(ReadPng(png));
    DeleteFileW(file.c_str());
    DeleteFileW(png.c_str());
  }
  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_TRUE(pictures[0].pixels == pictures[1].pixels) << "whole answers and 1000 a call";
  EXPECT_TRUE(pictures[0].pixels == pictures[2].pixels) << "extremes and every raw value";
}

// The last time of the document's wave of that item, as `doc show` prints it.
std::string LastTimeShown(const std::wstring& file, const std::string& item) {
  const TRun shown = RunCli(L"doc show \"" + file + L"\"");
  EXPECT_EQ(shown.exitCode, 0u) << shown.err;
  // "  ITEM: N points, FIRST -> LAST, ..." with times of 23 characters.
  const std::size_t at = shown.out.find("  " + item + ": ");
  const std::size_t first = shown.out.find(" points, ", at);
  if (at == std::string::npos || first == std::string::npos) {
    ADD_FAILURE() << shown.out;
    return {};
  }
  return shown.out.substr(first + 9 + 23 + 4, 23);
}

// A document's wave cut at 32000 values is named on standard error with the time of its last
// value; the document is made or stepped all the same.
TEST(CliProgram, DocumentCommandsWarnOfCutWaves) {
  const std::wstring file = Directory() + L"cli_test_cut.xml";
  const auto warning = [](const std::string& last) {
    return std::vector<std::string>{
        "varnel-cli: warning: Dense/Sine 5ms: only the first 32000 "
        "values were read, up to " +
        last + "; use read --all for the whole period"};
  };
  const TRun created = RunCli(
      L"doc new --server Varnel.HdaSim.16 --item \"Dense/Sine 5ms\" \"Waves/Sine 10s\" "
      L"--period last-hour --out \"" +
      file + L"\"");
  ASSERT_EQ(created.exitCode, 0u) << created.err;
  EXPECT_EQ(Lines(created.err), warning(LastTimeShown(file, "Dense/Sine 5ms")));
  const TRun previous = RunCli(L"doc step \"" + file + L"\" --previous");
  ASSERT_EQ(previous.exitCode, 0u) << previous.err;
  EXPECT_EQ(Lines(previous.err), warning(LastTimeShown(file, "Dense/Sine 5ms")));
  DeleteFileW(file.c_str());
}

TEST(CliProgram, FailuresExitNonZeroWithOneLineNamingTheCause) {
  struct Case {
    const wchar_t* arguments;
    DWORD exitCode;
    const char* named;
  };
  const Case cases[] = {
      {L"read --server Varnel.HdaSim.1 --item x --period fortnight", 2, "fortnight"},
      {L"items --server Varnel.HdaSim.1 --bogus", 2, "--bogus"},
      {L"items --server No.Such.Server", 1, "No.Such.Server"},
      {L"read --server Varnel.HdaSim.1 --item \"No/Such\" --period last-minute", 1, "No/Such"},
      {L"read --server Varnel.HdaSim.1 --item x --from yesterday --to 1/1/2021", 1, "--from"},
      {L"doc show Z:\\no\\such\\file.xml", 1, "file.xml: no such file"},
      {L"render Z:\\no\\such\\file.xml --out Z:\\tmp\\x.png", 1, "file.xml"},
      {L"render Z:\\no\\such\\file.xml", 2, "--out"},
      {L"read --server Varnel.HdaSim.1 --item a b --period last-minute --all", 2, "--all"},
      {L"read --server Varnel.HdaSim.1 --item \"No/Such\" --period last-minute --all", 1,
       "No/Such"},
      {L"export Z:\\no\\such\\file.xml --out Z:\\tmp\\x.csv", 1, "file.xml"},
      {L"export Z:\\no\\such\\file.xml", 2, "--out"},
  };
  for (const Case& c : cases) {
    const TRun run = RunCli(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    const auto lines = Lines(run.err);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().find(c.named), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
}

// The instant of "YYYY-MM-DDThh:mm:ss.mmm+hh:mm" in seconds since 1970 UTC (whole seconds only).
long long SecondsOfIso(const std::string& text) {
  int y, mo, d, h, mi, s, ms, oh, om;
  char sign;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d.%3d%c%2d:%2d", &y, &mo, &d, &h, &mi, &s,
                  &ms, &sign, &oh, &om) != 10) {
    return -1;
  }
  // Days from the civil date, independent of the program's calendar.
  const int yy = mo <= 2 ? y - 1 : y;
  const int era = yy / 400;
  const int yoe = yy - era * 400;
  const int doy = (153 * (mo + (mo > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long days = era * 146097LL + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
  const long long offset = (oh * 60 + om) * 60LL * (sign == '-' ? -1 : 1);
  return ((days * 24 + h) * 60 + mi) * 60 + s - offset;
}

// The fields of a CSV row whose fields hold no line breaks.
std::vector<std::string> CsvFields(const std::string& row) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const char c = row[i];
    if (quoted) {
      if (c == '"' && i + 1 < row.size() && row[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// A document of yesterday's four items read back from its export: a row for every second, each
// wave's cell where the simulator's function has a value and empty where it has none.
TEST(CliProgram, ExportWritesEveryValueOfTheDocumentsWavesRowByTime) {
  const std::wstring file = Directory() + L"cli_test_export.xml";
  const std::wstring csv = Directory() + L"cli_test_export.csv";
  DeleteFileW(csv.c_str());
  // The server that answers 1000 values a call: every wave is read by continuation.
  const TRun created = RunCli(
      L"--utc-offset 60 doc new --server Varnel.HdaSim.16 --item "
      L"\"Waves/Ramp 1s\" \"Waves/Ramp 1min\" \"Names/Flow, inlet\" "
      L"\"Text/States\" --period day --out \"" +
      file + L"\"");
  ASSERT_EQ(created.exitCode, 0u) << created.err;
  const TRun stepped = RunCli(L"--utc-offset 60 doc step \"" + file + L"\" --previous");
  ASSERT_EQ(stepped.exitCode, 0u) << stepped.err;

  const TRun exported = RunCli(L"--utc-offset 60 export \"" + file + L"\" --out \"" + csv + L"\"");
  ASSERT_EQ(exported.exitCode, 0u) << exported.err;
  std::printf("[ measured ] export of a day of four items (182880 values): %lu ms\n",
              exported.milliseconds);
  EXPECT_NE(exported.out.find("(86400 rows, 182880 values)"), std::string::npos) << exported.out;
  // One count on the way, past 100000 values.
  const std::vector<std::string> counts = Lines(exported.err);
  ASSERT_EQ(counts.size(), 1u) << exported.err;
  EXPECT_EQ(counts[0].substr(0, 13), "varnel-cli: 1") << exported.err;
  EXPECT_NE(counts[0].find(" values, "), std::string::npos) << exported.err;

  std::FILE* in = _wfopen(csv.c_str(), L"rb");
  ASSERT_NE(in, nullptr);
  std::string text;
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) text.append(buffer, n);
  std::fclose(in);
  ASSERT_EQ(text.compare(0, 3, "\xEF\xBB\xBF"), 0) << "no UTF-8 byte order mark";
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  const std::vector<std::string> lines = Lines(text.substr(3));
  ASSERT_EQ(lines.size(), 86401u);
  EXPECT_EQ(lines[0], "Time,Waves/Ramp 1s,Waves/Ramp 1min,\"Names/Flow, inlet\",Text/States");
  const long long first = SecondsOfIso(lines[1]);
  ASSERT_GT(first, 0) << lines[1];
  int wrong = 0;
  auto fail = [&](std::size_t row, const std::string& why) {
    if (wrong++ < 5) ADD_FAILURE() << "row " << row << ": " << why << ": " << lines[row];
  };
  for (std::size_t row = 1; row < lines.size(); ++row) {
    const std::vector<std::string> f = CsvFields(lines[row]);
    if (f.size() != 5) {
      fail(row, "not five fields");
      continue;
    }
    const long long t = SecondsOfIso(f[0]);
    if (t != first + static_cast<long long>(row) - 1) fail(row, "time");
    // Local standard time one hour east, or summer time.
    const std::string offset = f[0].size() == 29 ? f[0].substr(23) : "";
    if (offset != "+01:00" && offset != "+02:00") fail(row, "offset");
    // The ramp: seconds since 00:00 UTC; the minute ramp: minutes since the full hour, each
    // minute. The simulator works them out in doubles: a last bit may differ, and the file keeps
    // every bit.
    if (f[1].empty() || std::abs(std::stod(f[1]) - static_cast<double>(t % 86400)) > 1e-6) {
      fail(row, "Waves/Ramp 1s");
    }
    if ((t % 60 == 0) == f[2].empty() ||
        (!f[2].empty() && std::abs(std::stod(f[2]) - static_cast<double>(t % 3600 / 60)) > 1e-9)) {
      fail(row, "Waves/Ramp 1min");
    }
    // The flow: a sine within 0..10 each second, written with a point.
    if (f[3].empty() || f[3].find(',') != std::string::npos || std::stod(f[3]) < 0 ||
        std::stod(f[3]) > 10) {
      fail(row, "Names/Flow, inlet");
    }
    // The states: a text every 10 s.
    if ((t % 10 == 0) == f[4].empty()) fail(row, "Text/States");
  }
  EXPECT_EQ(wrong, 0);

  // A folder that does not exist: the usual failure, and nothing written.
  const std::wstring nowhere = Directory() + L"no such folder\\x.csv";
  const TRun failed = RunCli(L"export \"" + file + L"\" --out \"" + nowhere + L"\"");
  EXPECT_EQ(failed.exitCode, 1u) << failed.err;
  EXPECT_NE(failed.err.find("cannot write"), std::string::npos) << failed.err;
  EXPECT_EQ(GetFileAttributesW(nowhere.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW((csv + L".part").c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(file.c_str());
  DeleteFileW(csv.c_str());
}

// Seven times the rows take no more memory: rows are written as the waves are merged. Both
// documents hold the first 32000 values of each item, so loading them costs the same. (A short
// command such as doc show is no reference: its peak is sampled while it runs, and it may end
// before a sample follows its load.)
TEST(CliProgram, ExportOfAWeekTakesNoMoreMemoryThanThatOfADay) {
  SIZE_T peak[2] = {};
  const wchar_t* const periods[2] = {L"day", L"week"};
  for (int p = 0; p < 2; ++p) {
    SCOPED_TRACE(periods[p]);
    const std::wstring file = Directory() + L"cli_test_export_" + periods[p] + L".xml";
    const std::wstring csv = Directory() + L"cli_test_export_" + periods[p] + L".csv";
    const TRun created = RunCli(
        L"--utc-offset 60 doc new --server Varnel.HdaSim.1 --item "
        L"\"Waves/Ramp 1s\" \"Names/Flow, inlet\" --period " +
        std::wstring(periods[p]) + L" --out \"" + file + L"\"");
    ASSERT_EQ(created.exitCode, 0u) << created.err;
    const TRun stepped = RunCli(L"--utc-offset 60 doc step \"" + file + L"\" --previous");
    ASSERT_EQ(stepped.exitCode, 0u) << stepped.err;
    const TRun exported =
        RunCli(L"--utc-offset 60 export \"" + file + L"\" --out \"" + csv + L"\"");
    ASSERT_EQ(exported.exitCode, 0u) << exported.err;
    // A row a second, both items in every row (a week or day with a summer time change is an
    // hour shorter or longer).
    unsigned long long rows = 0, values = 0;
    const std::size_t counts = exported.out.rfind('(');
    ASSERT_NE(counts, std::string::npos) << exported.out;
    ASSERT_EQ(
        std::sscanf(exported.out.c_str() + counts, "(%llu rows, %llu values)", &rows, &values), 2)
        << exported.out;
    EXPECT_NEAR(static_cast<double>(rows), p == 0 ? 86400.0 : 604800.0, 3600.0);
    EXPECT_EQ(values, 2 * rows);
    peak[p] = exported.peakWorkingSet;
    std::printf("[ measured ] export of a %ls of two 1-s items: %lu ms, peak working set %zu KB\n",
                periods[p], exported.milliseconds, peak[p] >> 10);
    DeleteFileW(file.c_str());
    DeleteFileW(csv.c_str());
  }
  // The week's extra 518400 rows held at once would take more than 20 MB as texts.
  EXPECT_LT(peak[1], peak[0] + (4 << 20));
}

}  // namespace
