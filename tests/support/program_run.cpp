#include "tests/support/program_run.h"

#include <string>

#include "win/handle.h"

namespace test_support {

namespace {

// A temporary file the child inherits as its standard output; deleted when closed.
win::UniqueFileHandle InheritableTemporaryFile() {
  wchar_t folder[MAX_PATH] = {};
  wchar_t path[MAX_PATH] = {};
  if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"run", 0, path)) return {};
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  return win::UniqueFileHandle(CreateFileW(
      path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

std::string ReadFromStart(HANDLE file) {
  std::string bytes;
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  return bytes;
}

}  // namespace

ProgramRun RunProgram(const std::wstring& command_line, const std::wstring& start_dir,
                      DWORD timeout_ms) {
  ProgramRun run;
  win::UniqueFileHandle output = InheritableTemporaryFile();
  if (!output) return run;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = output.Get();
  startup.hStdError = output.Get();
  std::wstring command = command_line;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      start_dir.empty() ? nullptr : start_dir.c_str(), &startup, &info))
    return run;
  run.started = true;
  win::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  run.finished = WaitForSingleObject(process.Get(), timeout_ms) == WAIT_OBJECT_0;
  if (!run.finished) {
    TerminateProcess(process.Get(), 99);
    WaitForSingleObject(process.Get(), 5000);
  }
  GetExitCodeProcess(process.Get(), &run.exit_code);
  run.output = ReadFromStart(output.Get());
  return run;
}

}  // namespace test_support
