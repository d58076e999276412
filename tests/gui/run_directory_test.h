// The base of the GUI tests' fixtures: each case gets a start directory of its own, named after
// the case and kept when the case failed, and starts the program there. A case that hangs has the
// end of the program's log printed by the watchdog before its program ends.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/gui/channel_answers.h"
#include "tests/gui/varnel_driver.h"
#include "tests/support/case_watchdog.h"

namespace gui {

class RunDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = MakeRunDirectory(std::wstring(name.begin(), name.end()));
    ASSERT_TRUE(FileExists(dir_)) << "no run directory for " << name;
    HungCaseDirectory() = dir_;
    test_support::SetHungCaseReport(&PrintLogEnd);
  }
  void TearDown() override {
    if (!HasFailure()) RemoveRunDirectory(dir_);
  }
  // Starts the program and waits for its main window.
  void Launch(VarnelProcess& program) {
    ASSERT_TRUE(program.Start()) << "Varnel.exe could not be started (error "
                                 << program.StartError() << ")";
    ASSERT_NE(program.WaitMainWindow(), nullptr) << "no main window within 30 s";
  }

  std::wstring dir_;

 private:
  static std::wstring& HungCaseDirectory() {
    static std::wstring dir;
    return dir;
  }
  // The last lines of the log in the run directory of the case that runs.
  static void PrintLogEnd() {
    constexpr std::size_t kLines = 40;
    const std::wstring path = HungCaseDirectory() + L"\\Varnel.log";
    const std::vector<std::wstring> lines = Lines(ReadUtf16(path));
    std::fprintf(stderr, "[ WATCHDOG ] the end of %s:\n", Narrow(path).c_str());
    for (std::size_t i = lines.size() > kLines ? lines.size() - kLines : 0; i < lines.size(); ++i) {
      std::wstring line = lines[i];
      if (!line.empty() && line.back() == L'\r') line.pop_back();
      std::fprintf(stderr, "  %s\n", Narrow(line).c_str());
    }
    std::fflush(stderr);
  }
};

}  // namespace gui
