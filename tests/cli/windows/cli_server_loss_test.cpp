// varnel-cli against a simulator that goes away while it reads: killed, or shut down by its
// control. The command says which server went and how, exits with 3 and waits for nothing
// once the server is gone; a live server's refusals and empty periods are told as before.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ambrel/ambrel.h"
#include "tests/cli/windows/cli_run.h"
#include "tests/support/held_shutdown_notice.h"
#include "tests/support/process_ids.h"
#include "tests/support/simulator_kill.h"
#include "tests/support/simulator_shutdown.h"

namespace {

using cli_test::Lines;
using cli_test::RunCli;
using cli_test::TCliProcess;
using cli_test::TRun;

constexpr DWORD kServerGone = 3;
constexpr const char* kStoppedAnswering = "varnel-cli: server Varnel.HdaSim.1 stopped answering";
constexpr const char* kShutDown = "varnel-cli: server Varnel.HdaSim.1 shut down";
// Longest the program may run on once its server is gone: one call's failure, not a time-out.
constexpr DWORD kOneCallMs = 1000;

// The slow item first: the server is killed or shut down while it is read.
constexpr const wchar_t* kSlowThenOther =
    L"--verbose read --server Varnel.HdaSim.1 --item \"Faults/Slow 2s\" \"Plant/Area 2/Speed\" "
    L"--period last-hour";

void Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

// What the program logs as it begins to read an item (with --verbose).
constexpr const char* kReadingTheSlowItem =
    "Reading HDA Items from server :Varnel.HdaSim.1:Faults/Slow 2s";
// From that line to the call's arrival at the server, with room to spare: the read lasts 2 s.
constexpr DWORD kIntoTheSlowReadMs = 300;

std::size_t LinesContaining(const std::string& text, const std::string& part) {
  const auto lines = Lines(text);
  return static_cast<std::size_t>(
      std::count_if(lines.begin(), lines.end(),
                    [&](const std::string& line) { return line.find(part) != std::string::npos; }));
}

// What every case of a gone server shows: the last line names the server and what happened,
// nothing is called unknown or empty, and nothing is printed as a result.
void ExpectServerGone(const TRun& run, const std::vector<std::string>& happened) {
  EXPECT_EQ(run.exitCode, kServerGone) << run.err;
  const auto lines = Lines(run.err);
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(std::find(happened.begin(), happened.end(), lines.back()), happened.end()) << run.err;
  EXPECT_EQ(run.err.find("unknown to"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("Could not Add Item"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find(" 0 points received"), std::string::npos) << run.err;
  EXPECT_TRUE(run.out.empty()) << run.out;
}

class CliServerLoss : public ::testing::Test {
 protected:
  void SetUp() override {
    com_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    EnableHDAErrorNotification(&IgnoreError);
    // The test's own session starts the simulator before the program does.
    session_ = ConnectHDA("", "Varnel.HdaSim.1");
    ASSERT_NE(session_, AMBREL_NO_SESSION) << "running: " << test_support::RunningProcesses();
  }
  void TearDown() override {
    if (session_ != AMBREL_NO_SESSION) DisconnectHDA(session_);
    // Whatever was left of the server is gone, and so are its classes' registrations.
    test_support::KillSimulator();
    EXPECT_TRUE(test_support::ForgetKilledServers());
    if (com_) CoUninitialize();
  }
  // Kills the simulator once the program is into its slow read; the time of the kill.
  DWORD KillDuringTheSlowRead(TCliProcess& cli) {
    EXPECT_TRUE(cli.WaitForError(kReadingTheSlowItem));
    Pump(kIntoTheSlowReadMs);
    const DWORD killed = GetTickCount();
    EXPECT_EQ(test_support::KillSimulator(), 1);
    return killed;
  }

 private:
  static void __stdcall IgnoreError(HRESULT, const char*) {}
  bool com_ = false;

 protected:
  AMBREL_SESSION session_ = AMBREL_NO_SESSION;
};

TEST_F(CliServerLoss, KilledDuringASlowReadIsAServerThatStoppedAnswering) {
  TCliProcess cli(kSlowThenOther);
  ASSERT_TRUE(cli.Started());
  const DWORD started = GetTickCount();
  const DWORD killed = KillDuringTheSlowRead(cli);
  const TRun run = cli.Finish();
  ExpectServerGone(run, {kStoppedAnswering});
  // The log names the server and the failure once.
  EXPECT_EQ(LinesContaining(run.err, "Server Varnel.HdaSim.1 stopped answering: 0x800706B"), 1u)
      << run.err;
  EXPECT_LT(started + run.milliseconds - killed, kOneCallMs);
}

TEST_F(CliServerLoss, KilledWhileADocumentIsMadeWritesNoDocument) {
  const std::wstring file = cli_test::Directory() + L"cli_test_lost.xml";
  DeleteFileW(file.c_str());
  TCliProcess cli(
      L"--verbose doc new --server Varnel.HdaSim.1 --item \"Faults/Slow 2s\" "
      L"\"Waves/Sine 1s\" --period last-hour --out \"" +
      file + L"\"");
  ASSERT_TRUE(cli.Started());
  KillDuringTheSlowRead(cli);
  ExpectServerGone(cli.Finish(), {kStoppedAnswering});
  EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CliServerLoss, ShutdownControlDuringASlowReadIsAServerThatShutDown) {
  // The simulator serves one call at a time, and asks its clients one after the other in the
  // order their objects were made, answering every call until that round is over. The control
  // is written during the program's first slow read, so the round begins before its next read;
  // this client's notice holds the round until the program is into its second slow read, during
  // which the program's own notice comes (or, where COM does not let it in then, with its next
  // call).
  test_support::HeldShutdownNotice held(L"Varnel.HdaSim.3");
  ASSERT_TRUE(held.Advised());
  TCliProcess cli(
      L"--verbose read --server Varnel.HdaSim.1 --item \"Faults/Slow 2s\" "
      L"\"Plant/Area 2/Speed\" \"Faults/Slow 2s\" \"Waves/Sine 1s\" --period last-hour");
  ASSERT_TRUE(cli.Started());
  ASSERT_TRUE(cli.WaitForError(kReadingTheSlowItem));
  Pump(kIntoTheSlowReadMs);
  ASSERT_TRUE(test_support::WriteShutdownControl(session_));
  // The test's own session is asked first, on this thread.
  const DWORD start = GetTickCount();
  while (!held.WaitUntilAsked(0) && GetTickCount() - start < 10000) Pump(20);
  ASSERT_TRUE(held.WaitUntilAsked(0));
  ASSERT_TRUE(cli.WaitForError(kReadingTheSlowItem, 2));
  Pump(kIntoTheSlowReadMs);
  held.Answer(0);
  ExpectServerGone(cli.Finish(), {kShutDown});
}

// read --all of the slow item through the server that gives 1000 values a call: an hour is four
// slow calls, each writing its rows as it comes.
constexpr const wchar_t* kReadAllSlowly =
    L"--verbose read --server Varnel.HdaSim.16 --item \"Faults/Slow 2s\" --period last-hour --all";
constexpr const char* kReadingAllSlowly =
    "Reading HDA Items from server :Varnel.HdaSim.16:Faults/Slow 2s";
constexpr DWORD kSlowCallMs = 2000;
constexpr std::size_t kValuesOfAnHour = 3600;
// A day of it: 87 slow calls, so that the stream is still under way whenever the server's shutdown
// reaches the program (the server answers the calls that come while it notifies its clients, for
// up to ten seconds).
constexpr const wchar_t* kReadAllOfADaySlowly =
    L"--verbose read --server Varnel.HdaSim.16 --item \"Faults/Slow 2s\" --period last-24-hours "
    L"--all";
constexpr std::size_t kValuesOfADay = 86400;

// A stream that a gone server cut short: exit code 3 and a last line naming the server, the rows
// written before it went, and no count of a finished read.
void ExpectStreamCutShort(const TRun& run, const std::vector<std::string>& happened,
                          std::size_t values) {
  EXPECT_EQ(run.exitCode, kServerGone) << run.err;
  const auto lines = Lines(run.err);
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(std::find(happened.begin(), happened.end(), lines.back()), happened.end()) << run.err;
  EXPECT_EQ(LinesContaining(run.err, "varnel-cli: " + std::to_string(values) + " values of"), 0u)
      << run.err;
  const auto rows = Lines(run.out);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], "Time\tFaults/Slow 2s");
  EXPECT_LT(rows.size(), values + 1);
}

TEST_F(CliServerLoss, KilledDuringReadAllEndsTheStreamAsAServerThatStoppedAnswering) {
  TCliProcess cli(kReadAllSlowly);
  ASSERT_TRUE(cli.Started());
  const DWORD started = GetTickCount();
  ASSERT_TRUE(cli.WaitForError(kReadingAllSlowly));
  // Into the second slow call.
  Pump(kSlowCallMs + kIntoTheSlowReadMs);
  const DWORD killed = GetTickCount();
  EXPECT_EQ(test_support::KillSimulator(), 1);
  const TRun run = cli.Finish();
  ExpectStreamCutShort(run, {"varnel-cli: server Varnel.HdaSim.16 stopped answering"},
                       kValuesOfAnHour);
  EXPECT_LT(started + run.milliseconds - killed, kOneCallMs);
}

TEST_F(CliServerLoss, ShutdownControlDuringReadAllEndsTheStream) {
  TCliProcess cli(kReadAllOfADaySlowly);
  ASSERT_TRUE(cli.Started());
  ASSERT_TRUE(cli.WaitForError(kReadingAllSlowly));
  Pump(kIntoTheSlowReadMs);
  // Taken once the program's slow call is over; the notice reaches the program during its next.
  ASSERT_TRUE(test_support::WriteShutdownControl(session_));
  // The notice may come with the server's last answers or after them, when the next call fails.
  ExpectStreamCutShort(cli.Finish(),
                       {"varnel-cli: server Varnel.HdaSim.16 shut down",
                        "varnel-cli: server Varnel.HdaSim.16 stopped answering"},
                       kValuesOfADay);
}

TEST_F(CliServerLoss, LiveServerRefusalsAndEmptyPeriodsAreToldAsBefore) {
  const TRun rejected = RunCli(
      L"read --server Varnel.HdaSim.1 --item \"Waves/Sine 1s\" \"No/Such\" "
      L"--period last-minute");
  EXPECT_EQ(rejected.exitCode, 1u) << rejected.err;
  EXPECT_EQ(Lines(rejected.err).back(),
            "varnel-cli: item No/Such unknown to server Varnel.HdaSim.1");
  EXPECT_EQ(rejected.err.find("stopped answering"), std::string::npos) << rejected.err;

  // No samples lie after the server's now: no data, and that is no failure.
  const TRun empty = RunCli(
      L"--verbose read --server Varnel.HdaSim.1 --item \"Waves/Sine 1s\" "
      L"--from \"1/1/2099 00:00:00\" --to \"1/1/2099 01:00:00\"");
  EXPECT_EQ(empty.exitCode, 0u) << empty.err;
  EXPECT_EQ(LinesContaining(empty.err, "\t0 points received"), 1u) << empty.err;
  EXPECT_EQ(empty.err.find("stopped answering"), std::string::npos) << empty.err;
  EXPECT_EQ(Lines(empty.out).size(), 1u) << empty.out;  // the heading alone
}

}  // namespace
