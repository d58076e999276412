// Shared by the configuration tests: a start directory of the test's own with a log to watch, a
// fixed work area, and readers and writers of UTF-16LE files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app_context/main_frame_link.h"
#include "app_context/start_directory.h"
#include "config/config.h"
#include "document/grid_doc.h"
#include "platform/clock.h"
#include "platform/file.h"
#include "platform/screen.h"
#include "text/time_base.h"
#include "text/time_fields.h"
#include "text/tstring.h"

namespace config_test {

inline std::u16string Text(const TString& s) { return std::u16string(s.Str(), s.Length()); }

inline constexpr platform::ScreenRect kScreen{0, 0, 1280, 1024};

struct LoggedLine {
  std::u16string text;
  int level;
  int type;
  bool operator==(const LoggedLine&) const = default;
};

inline void PrintTo(const LoggedLine& line, std::ostream* os) {
  std::string ascii;
  for (char16_t c : line.text) ascii += c < 128 ? static_cast<char>(c) : '?';
  *os << "{\"" << ascii << "\", level " << line.level << ", type " << line.type << "}";
}

// Each test gets its own start directory under the working directory (the build tree, natively
// and under Wine), so test cases may run in parallel processes.
class ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetWorkAreaForTesting(kScreen);
    startUpOffset_ = SetLocalOffsetForTesting(0.0);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    directory_ = std::filesystem::current_path() /
                 (std::string("config_test_") + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
    previousStart_ = StartDirectory();
    SetStartDirectory(TString(directory_.u16string().c_str()));
    log_ = std::make_unique<TGridDoc>(StartDirectory());
    link_.log = log_.get();
    SetMainFrameLink(&link_);
  }

  void TearDown() override {
    SetMainFrameLink(nullptr);
    log_.reset();
    platform::faults::SetFileFaults(nullptr);
    SetStartDirectory(previousStart_);
    platform::SetWorkAreaForTesting(std::nullopt);
    platform::SetClockForTesting(nullptr);
    SetLocalOffsetForTesting(startUpOffset_);
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }

  std::vector<LoggedLine> Logged() const {
    std::vector<LoggedLine> lines;
    for (const TLogEntry& e : log_->Pending()) lines.push_back({Text(e.Text), e.Level, e.Type});
    return lines;
  }
  void ClearLog() {
    log_->WritePending(0);
    log_->MovePending();
  }

  // Sets the clock to a local time.
  static void SetClock(int year, int month, int day, int hour, int minute, int second) {
    TTimeFields fields;
    SetFields(year, day, month, hour, minute, second, 0, fields);
    clock_ = FieldsToTime(fields) - TimeBase().EpochOffsetMs();
    platform::SetClockForTesting([] { return clock_; });
  }
  static void SetClockTo(double now) {
    clock_ = now;
    platform::SetClockForTesting([] { return clock_; });
  }

  static std::u16string ConfigFileName() { return Text(TConfig::FileName()); }

  // The file's bytes as UTF-16LE units (the mark included); empty when there is no file.
  static std::u16string ReadConfigFile() {
    platform::File file;
    if (!file.Open(TConfig::FileName().Str(), platform::File::Mode::Read)) return {};
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    bytes.resize(file.Read(bytes.data(), bytes.size()));
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return units;
  }

  static void WriteConfigBytes(const std::string& bytes) {
    platform::File file;
    ASSERT_TRUE(file.Open(TConfig::FileName().Str(), platform::File::Mode::Write));
    ASSERT_EQ(file.Write(bytes.data(), bytes.size()), bytes.size());
  }

  // Writes the text as UTF-16LE after a byte-order mark.
  static void WriteConfigText(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
      bytes += static_cast<char>(c & 0xFF);
      bytes += static_cast<char>(c >> 8);
    }
    WriteConfigBytes(bytes);
  }

 private:
  std::filesystem::path directory_;
  TString previousStart_;
  TMainFrameLink link_;
  std::unique_ptr<TGridDoc> log_;
  double startUpOffset_ = 0.0;
  static inline double clock_ = 0.0;
};

inline HdaServerDef Server(const char16_t* machine, const char16_t* server, bool reconnect) {
  HdaServerDef def;
  def.MachineName = machine;
  def.ServerName = server;
  def.ReconnectAtStartup = reconnect;
  return def;
}

}  // namespace config_test
