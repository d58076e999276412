#include "tests/cli/windows/cli_run.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <sstream>

#include "tests/support/process_ids.h"
#include "tests/support/simulator_kill.h"

namespace cli_test {
namespace {

// The longest a run of the program may take: the slowest (a week's export) takes a few seconds.
constexpr DWORD kLongestRunMs = 60000;

std::string ReadAll(const std::wstring& file) {
  std::string text;
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(handle, buffer, sizeof buffer, &read, nullptr) && read != 0)
    text.append(buffer, read);
  CloseHandle(handle);
  return text;
}

// A file the child inherits as its standard output or error.
HANDLE InheritedFile(const std::wstring& name) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0,
                     nullptr);
}

void Close(HANDLE& handle) {
  if (handle != INVALID_HANDLE_VALUE && handle != nullptr) CloseHandle(handle);
  handle = INVALID_HANDLE_VALUE;
}

}  // namespace

std::wstring Directory() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring directory(path);
  return directory.substr(0, directory.find_last_of(L"\\/") + 1);
}

TCliProcess::TCliProcess(const std::wstring& arguments)
    : outName_(Directory() + L"cli_test_out.txt"), errName_(Directory() + L"cli_test_err.txt") {
  out_ = InheritedFile(outName_);
  err_ = InheritedFile(errName_);
  std::wstring commandLine = L"\"" + Directory() + L"varnel-cli.exe\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out_;
  startup.hStdError = err_;
  PROCESS_INFORMATION process{};
  started_ = GetTickCount();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    ADD_FAILURE() << "cannot start varnel-cli.exe";
    return;
  }
  CloseHandle(process.hThread);
  process_ = process.hProcess;
}

TCliProcess::~TCliProcess() {
  if (process_) {
    TerminateProcess(process_, 99);
    CloseHandle(process_);
  }
  Close(out_);
  Close(err_);
  DeleteFileW(outName_.c_str());
  DeleteFileW(errName_.c_str());
}

bool TCliProcess::WaitForError(const std::string& part, int times, DWORD timeoutMs) {
  const auto written = [&] {
    const std::string text = ReadAll(errName_);
    int found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
      ++found;
    }
    return found >= times;
  };
  // What the program had said when the wait failed: the case's failure shows where it stood.
  const auto failed = [&](const char* why) {
    ADD_FAILURE() << "waiting for \"" << part << "\" on standard error: " << why
                  << "; running: " << test_support::RunningProcesses() << "; it had written:\n"
                  << ReadAll(errName_);
    return false;
  };
  const DWORD start = GetTickCount();
  while (process_ && !written()) {
    if (GetTickCount() - start > timeoutMs) return failed("the time ran out");
    if (MsgWaitForMultipleObjects(1, &process_, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0) {
      return written() || failed("the program ended");
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return process_ != nullptr;
}

TRun TCliProcess::Finish() {
  TRun run;
  if (!process_) return run;
  // Asked while the program runs: under Wine an ended process has no memory counters.
  const auto notePeak = [&] {
    PROCESS_MEMORY_COUNTERS memory{};
    if (GetProcessMemoryInfo(process_, &memory, sizeof memory)) {
      run.peakWorkingSet = std::max(run.peakWorkingSet, memory.PeakWorkingSetSize);
    }
  };
  for (;;) {
    notePeak();
    const DWORD waited = MsgWaitForMultipleObjects(1, &process_, FALSE, 100, QS_ALLINPUT);
    if (waited == WAIT_OBJECT_0) break;
    if (GetTickCount() - started_ > kLongestRunMs) {
      TerminateProcess(process_, 99);
      // A run of ours ends within seconds: one that did not found the prefix's servers wedged.
      // Say how the prefix stood, then clear the simulators away for the cases after this one.
      ADD_FAILURE() << "varnel-cli.exe did not end; running: " << test_support::RunningProcesses()
                    << "; standard error:\n"
                    << ReadAll(errName_);
      WaitForSingleObject(process_, 5000);
      test_support::ClearAwaySimulators();
      break;
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  run.milliseconds = GetTickCount() - started_;
  GetExitCodeProcess(process_, &run.exitCode);
  CloseHandle(process_);
  process_ = nullptr;
  Close(out_);
  Close(err_);
  run.out = ReadAll(outName_);
  run.err = ReadAll(errName_);
  return run;
}

TRun RunCli(const std::wstring& arguments) {
  TCliProcess cli(arguments);
  return cli.Finish();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace cli_test
