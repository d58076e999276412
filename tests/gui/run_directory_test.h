// The base of the GUI tests' fixtures: each case gets a start directory of its own, named after
// the case and kept when the case failed, and starts the program there.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/gui/varnel_driver.h"

namespace gui {

class RunDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = MakeRunDirectory(std::wstring(name.begin(), name.end()));
    ASSERT_TRUE(FileExists(dir_)) << "no run directory for " << name;
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
};

}  // namespace gui
