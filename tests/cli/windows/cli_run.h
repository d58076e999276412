// varnel-cli.exe run as a child process, its standard output and error caught in files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace cli_test {

struct TRun {
  DWORD exitCode = 0xFFFFFFFF;
  std::string out;
  std::string err;
  // From the start of the process to its end.
  DWORD milliseconds = 0;
  // The most memory the process had in its working set, as last seen while it ran (0: never).
  SIZE_T peakWorkingSet = 0;
};

// The folder of the test program, where varnel-cli.exe lies too.
std::wstring Directory();

// A varnel-cli.exe that runs while the test does something else; Finish waits for its end.
class TCliProcess {
 public:
  // Starts it with the arguments (a command line tail, quoted as needed).
  explicit TCliProcess(const std::wstring& arguments);
  ~TCliProcess();
  TCliProcess(const TCliProcess&) = delete;
  TCliProcess& operator=(const TCliProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  // Waits until the program has written `part` to its standard error `times` times, pumping the
  // thread's messages meanwhile; false when it ended or the time ran out first.
  bool WaitForError(const std::string& part, int times = 1, DWORD timeoutMs = 30000);
  // Waits at most a minute (ending it then), pumping the thread's messages meanwhile, so that
  // COM can deliver calls to this thread's apartment while the program runs.
  TRun Finish();

 private:
  std::wstring outName_;
  std::wstring errName_;
  HANDLE out_ = INVALID_HANDLE_VALUE;
  HANDLE err_ = INVALID_HANDLE_VALUE;
  HANDLE process_ = nullptr;
  DWORD started_ = 0;
};

// Runs varnel-cli.exe with the arguments to its end.
TRun RunCli(const std::wstring& arguments);

// The text's lines without their line ends.
std::vector<std::string> Lines(const std::string& text);

}  // namespace cli_test
