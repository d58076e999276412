// Shared by the log tests: a main frame link with a log in a directory of the test's own, and
// readers for the log file.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app_context/main_frame_link.h"
#include "document/grid_doc.h"
#include "platform/file.h"
#include "text/time_base.h"
#include "text/tstring.h"

namespace log_test {

inline std::u16string Text(const TString& s) { return std::u16string(s.Str(), s.Length()); }

// Each test gets its own start directory under the working directory (the build tree, under Wine
// as natively), so tests may run in parallel.
class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string leaf = std::string("log_test_") + info->test_suite_name() + "_" + info->name();
    directory_ = std::filesystem::current_path() / leaf;
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
    startDirectory_ = TString(directory_.u16string().c_str());
    startUpOffset_ = SetLocalOffsetForTesting(0.0);
    CreateLog();
  }
  void TearDown() override {
    SetMainFrameLink(nullptr);
    log_.reset();
    platform::faults::SetFileFaults(nullptr);
    SetLocalOffsetForTesting(startUpOffset_);
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }

  void CreateLog() {
    SetMainFrameLink(nullptr);
    log_.reset();
    log_ = std::make_unique<TGridDoc>(startDirectory_);
    link_.log = log_.get();
    SetMainFrameLink(&link_);
  }

  void DestroyLog() {
    SetMainFrameLink(nullptr);
    log_.reset();
  }

  TGridDoc& Log() { return *log_; }
  const TString& StartDirectory() const { return startDirectory_; }
  void SetLanguage(int language) { link_.language = language; }

  // The log file's bytes as UTF-16LE units (a BOM included); empty when there is no file.
  std::u16string ReadLogFile() const { return ReadUnits(log_->LogFileName().Str()); }
  std::int64_t LogFileSize() const {
    platform::File f;
    return f.Open(log_->LogFileName().Str(), platform::File::Mode::Read) ? f.Size() : -1;
  }

  static std::u16string ReadUnits(const char16_t* path) {
    platform::File f;
    if (!f.Open(path, platform::File::Mode::Read)) return {};
    std::vector<unsigned char> bytes(static_cast<std::size_t>(f.Size()));
    bytes.resize(f.Read(bytes.data(), bytes.size()));
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      units += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    }
    return units;
  }

 private:
  std::filesystem::path directory_;
  TString startDirectory_;
  TMainFrameLink link_;
  std::unique_ptr<TGridDoc> log_;
  double startUpOffset_ = 0.0;
};

}  // namespace log_test
