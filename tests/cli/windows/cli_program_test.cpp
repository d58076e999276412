// varnel-cli.exe run as a child process against hdasim.exe: what operators and scripts see.
#include <windows.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <cstdint>
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
  const TRun run = RunCli(L"--utc-offset 0 read --server Varnel.HdaSim.1 --item \"Waves/Ramp 1s\" \"Text/States\" "
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

TEST(CliProgram, DocumentNewShowStepRoundTrip) {
  const std::wstring file = Directory() + L"cli_test_doc.xml";
  const TRun created = RunCli(L"doc new --server Varnel.HdaSim.1 --item \"Waves/Sine 10s\" \"Types/BOOL\" "
                              L"--period last-hour --out \"" + file + L"\"");
  ASSERT_EQ(created.exitCode, 0u) << created.err;
  const TRun shown = RunCli(L"doc show \"" + file + L"\"");
  ASSERT_EQ(shown.exitCode, 0u) << shown.err;
  EXPECT_NE(shown.out.find("The last hour (280)"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("Waves/Sine 10s: 360 points"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("Types/BOOL: 3600 points"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("values -1 .. 0"), std::string::npos) << shown.out;

  const TRun previous = RunCli(L"doc step \"" + file + L"\" --previous");
  ASSERT_EQ(previous.exitCode, 0u) << previous.err;
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
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&factory)))) {
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
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&picture.width, &picture.height)) ||
      FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                                   0.0, WICBitmapPaletteTypeCustom))) {
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
  const TRun created = RunCli(L"doc new --server Varnel.HdaSim.1 --item \"Waves/Sine 10s\" \"Types/BOOL\" "
                              L"\"Text/States\" --period last-hour --out \"" + file + L"\"");
  ASSERT_EQ(created.exitCode, 0u) << created.err;

  const TRun rendered = RunCli(L"render \"" + file + L"\" --out \"" + screen + L"\" --width 640 --height 400");
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
      {L"doc show Z:\\no\\such\\file.xml", 1, "file.xml"},
      {L"render Z:\\no\\such\\file.xml --out Z:\\tmp\\x.png", 1, "file.xml"},
      {L"render Z:\\no\\such\\file.xml", 2, "--out"},
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

}  // namespace
