#include "tests/gui/varnel_driver.h"

#include <shellapi.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/test_channel.h"

namespace gui {

namespace {

std::wstring g_reply;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    if (data->dwData == app::kTestChannelKind && data->cbData >= sizeof(wchar_t)) {
      g_reply.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t) - 1);
    }
    return TRUE;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

HWND Receiver() {
  static HWND receiver = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VarnelTestReceiver";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           wc.hInstance, nullptr);
  }();
  return receiver;
}

std::wstring ProgramPath() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Varnel.exe";
}

}  // namespace

VarnelProcess::VarnelProcess(std::wstring start_dir, std::wstring arguments,
                             std::wstring program_path)
    : start_dir_(std::move(start_dir)),
      arguments_(std::move(arguments)),
      program_path_(program_path.empty() ? ProgramPath() : std::move(program_path)) {}

VarnelProcess::~VarnelProcess() {
  if (info_.hProcess) {
    if (Running()) {
      TerminateProcess(info_.hProcess, 99);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

bool VarnelProcess::Start() {
  SetEnvironmentVariableW(L"VARNEL_TEST_CHANNEL", L"1");
  std::wstring command = L"\"" + program_path_ + L"\"";
  if (!arguments_.empty()) command += L" " + arguments_;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      start_dir_.c_str(), &startup, &info_) != FALSE;
  start_error_ = started ? 0 : GetLastError();
  return started;
}

std::vector<HWND> VarnelProcess::TopWindows() const {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{info_.dwProcessId, {}};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == s->pid && IsWindowVisible(w)) s->found.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND VarnelProcess::WaitMainWindow(DWORD timeout_ms) {
  WaitUntil(
      [&] {
        for (HWND w : TopWindows()) {
          wchar_t name[64] = {};
          GetClassNameW(w, name, 64);
          if (std::wstring(name) == L"VarnelMainFrame") main_ = w;
        }
        return main_ != nullptr || !Running();
      },
      timeout_ms);
  if (main_) WaitForInputIdle(info_.hProcess, timeout_ms);
  return main_;
}

std::wstring VarnelProcess::Ask(const std::wstring& question) const {
  g_reply.clear();
  COPYDATASTRUCT data{app::kTestChannelKind, static_cast<DWORD>(question.size() * sizeof(wchar_t)),
                      const_cast<wchar_t*>(question.c_str())};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(main_, WM_COPYDATA, reinterpret_cast<WPARAM>(Receiver()),
                      reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 10000, &result);
  return g_reply;
}

void VarnelProcess::Command(UINT id) const { PostMessageW(main_, WM_COMMAND, id, 0); }

HWND VarnelProcess::WaitWindow(const std::wstring& title, DWORD timeout_ms) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : TopWindows()) {
          wchar_t name[16] = {};
          GetClassNameW(w, name, 16);
          if (std::wstring(name) == L"#32770" && WindowText(w) == title) found = w;
        }
        return found != nullptr;
      },
      timeout_ms);
  return found;
}

bool VarnelProcess::WaitGone(HWND window, DWORD timeout_ms) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout_ms);
}

long VarnelProcess::WaitExit(DWORD timeout_ms) {
  if (WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return static_cast<long>(code);
}

bool VarnelProcess::Running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                      &length);
  return text;
}

HWND FindDescendant(HWND parent, const std::wstring& class_name, const std::wstring& text) {
  struct Search {
    std::wstring class_name, text;
    HWND found = nullptr;
  } search{class_name, text};
  EnumChildWindows(
      parent,
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        if (lstrcmpiW(name, s->class_name.c_str()) == 0 &&
            (s->text.empty() || WindowText(w) == s->text)) {
          s->found = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

HWND VarnelProcess::WaitPopupMenu(DWORD timeout_ms) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : TopWindows()) {
          wchar_t name[16] = {};
          GetClassNameW(w, name, 16);
          if (std::wstring(name) == L"#32768") found = w;
        }
        return found != nullptr;
      },
      timeout_ms);
  return found;
}

void LeftClickAt(HWND window, POINT point, WPARAM keys) {
  const LPARAM at = MAKELPARAM(point.x, point.y);
  PostMessageW(window, WM_MOUSEMOVE, keys, at);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
  PostMessageW(window, WM_LBUTTONUP, keys, at);
}

void RightClickAt(HWND window, POINT point) {
  const LPARAM at = MAKELPARAM(point.x, point.y);
  PostMessageW(window, WM_MOUSEMOVE, 0, at);
  PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, at);
  PostMessageW(window, WM_RBUTTONUP, 0, at);
}

void PressKeys(HWND window, const std::vector<UINT>& keys) {
  for (UINT key : keys) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
  }
}

std::wstring MakeRunDirectory(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring dir =
      std::wstring(temp) + L"varnel-gui-" + name + L"-" + std::to_wstring(GetCurrentProcessId());
  RemoveRunDirectory(dir);
  if (!CreateDirectoryW(dir.c_str(), nullptr)) {
    std::fwprintf(stderr, L"cannot create the run directory %ls (error %lu)\n", dir.c_str(),
                  GetLastError());
  }
  return dir;
}

void RemoveRunDirectory(const std::wstring& dir) {
  if (!FileExists(dir)) return;
  std::wstring from = dir;
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  const int result = SHFileOperationW(&op);
  if (result != 0 || FileExists(dir))
    std::fwprintf(stderr, L"cannot remove the run directory %ls (%d)\n", dir.c_str(), result);
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring ReadUtf16(const std::wstring& path) {
  const std::string bytes = ReadBytes(path);
  if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
      static_cast<unsigned char>(bytes[1]) != 0xFE) {
    return L"";
  }
  std::wstring text((bytes.size() - 2) / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                   (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
  }
  return text;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) std::fwprintf(stderr, L"cannot write %ls\n", path.c_str());
}

void WriteUtf16(const std::wstring& path, const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  WriteBytes(path, bytes);
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace gui
