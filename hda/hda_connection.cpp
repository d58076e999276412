#include "hda/hda_connection.h"

#include <oleauto.h>

#include <cstdio>

#include "app_context/main_frame_text.h"
#include "document/log_entry.h"
#include "document/log_message.h"
#include "platform/wide.h"
#include "strings/string_ids.h"
#include "text/time_base.h"

namespace {

constexpr DWORD kDescriptionBytes = 100;

// 8-bit text in the thread's ANSI code page, at most 256 bytes and a terminating zero.
struct TNarrowName {
  explicit TNarrowName(const TString& text) { text.ToNarrow(bytes); }
  char bytes[257] = {};
};

// The present as a FILETIME, from the program's clock.
FILETIME NowAsFileTime() {
  const double ms = Now();
  const ULONGLONG ticks = (static_cast<ULONGLONG>(ms) + 11644473600000ull) * 10000ull;
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(ticks);
  time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return time;
}

// "0x800706BA: " and the system's text for the failure, when it has one.
TString FailureText(HRESULT hr) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  TString text;
  text.FromNarrow(code);
  // A Win32 error wrapped in an HRESULT has its text under the error's own number.
  const DWORD message =
      HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : static_cast<DWORD>(hr);
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, message, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  DWORD end = buffer != nullptr ? length : 0;
  while (end > 0 &&
         (buffer[end - 1] == L'\r' || buffer[end - 1] == L'\n' || buffer[end - 1] == L' '))
    --end;
  if (end > 0) {
    text.Append(u": ");
    text.Append(end, platform::U16(buffer));
  }
  LocalFree(buffer);
  return text;
}

}  // namespace

THdaConnection::THdaConnection(const HdaServerDef& server) : server_(server) {}

THdaConnection::~THdaConnection() { Destroy(); }

void THdaConnection::Connect(AMBREL_SHUTDOWN_CALLBACK onShutdown) {
  const TNarrowName machine(server_.MachineName);
  const TNarrowName progId(server_.ServerName);
  session_ = ConnectHDA(machine.bytes, progId.bytes);
  if (session_ != AMBREL_NO_SESSION) EnableHDAShutdownNotification(session_, onShutdown);
}

bool THdaConnection::AddItem(const TString& itemName, IUserMessages& messages) {
  if (items_.count(itemName) != 0) return false;
  if (Lost()) return true;
  THdaItem item(server_.MachineName, server_.ServerName, itemName);
  item.ClientHandle = nextClientHandle_++;
  const TNarrowName name(itemName);
  const DWORD handle =
      GetHDAItemHandle(session_, name.bytes, static_cast<DWORD>(item.ClientHandle));
  if (handle == AMBREL_NO_ITEM) {
    // A server that is gone has not refused the item.
    if (!NoteServerLoss(messages)) messages.ShowMessage(kCouldNotAddItemText, TMessageKind::Error);
    return true;
  }
  item.ServerHandle = static_cast<std::int32_t>(handle);
  THdaItem& stored = items_.emplace(itemName, std::move(item)).first->second;
  // Lost meanwhile, the item stays added: its reads fail at once.
  ReadAttributes(stored, messages);
  return false;
}

bool THdaConnection::NoteServerLoss(IUserMessages& messages) {
  // The library's answer to the call just made; read before anything else can change it.
  const auto result = static_cast<HRESULT>(GetLastError());
  if (Lost()) return true;
  if (SUCCEEDED(result)) return false;
  lost_ = result;
  const TString name = DisplayName();
  LogMessage(kTypeOpc, kLevelError, u"Server ", name.Str(), kStoppedAnsweringText, u": ",
             FailureText(result).Str());
  // The user's text names the server where the language puts it.
  const TString pattern(RString(IDS_SERVER_STOPPED_ANSWERING));
  const int at = pattern.Find(u"%1");
  TString text;
  text.Assign(static_cast<std::uint32_t>(at < 0 ? pattern.Length() : at), pattern.Str());
  if (at >= 0) {
    text.Append(name);
    text.Append(pattern.Str() + at + 2);
  }
  messages.ServerStoppedAnswering(server_, text);
  return true;
}

void THdaConnection::ReadAttributes(THdaItem& item, IUserMessages& messages) {
  const FILETIME now = NowAsFileTime();
  const DWORD count = NumberOfHDAAttributes(session_);
  if (NoteServerLoss(messages)) return;
  for (DWORD i = 0; i < count; ++i) {
    DWORD attributeId = 0;
    VARTYPE type = VT_EMPTY;
    char name[kDescriptionBytes] = {};
    char description[kDescriptionBytes] = {};
    if (!GetHDAAttributeDescr(session_, i, &attributeId, &type, name, kDescriptionBytes,
                              description, kDescriptionBytes)) {
      continue;
    }
    FILETIME stamp{};
    VARIANT value;
    VariantInit(&value);
    const DWORD read = ReadHDAItemAttributes(
        session_, static_cast<DWORD>(item.ServerHandle), attributeId, now.dwLowDateTime,
        now.dwHighDateTime, now.dwLowDateTime, now.dwHighDateTime, 1, &stamp, &value);
    if (NoteServerLoss(messages)) return;
    if ((read & AMBREL_COUNT_MASK) != 0) item.SetAttribute(i, value);
    VariantClear(&value);
  }
}

void THdaConnection::Destroy() {
  if (session_ != AMBREL_NO_SESSION) {
    for (const auto& [name, item] : items_) {
      ReleaseHDAItemHandle(session_, static_cast<DWORD>(item.ServerHandle));
    }
  }
  items_.clear();
  nextClientHandle_ = 0;
  if (session_ != AMBREL_NO_SESSION) DisconnectHDA(session_);
  session_ = AMBREL_NO_SESSION;
}

const THdaItem* THdaConnection::FindItem(const TString& itemName) const {
  auto it = items_.find(itemName);
  return it == items_.end() ? nullptr : &it->second;
}

const THdaItem* THdaConnection::ItemAdded(const TString& itemName, IUserMessages& messages) {
  if (const THdaItem* item = FindItem(itemName)) return item;
  if (AddItem(itemName, messages)) return nullptr;
  return FindItem(itemName);
}

TString THdaConnection::DisplayName() const { return ServerDisplayName(server_); }

TString ServerDisplayName(const HdaServerDef& server) {
  if (server.MachineName.IsEmpty()) return server.ServerName;
  TString name(server.MachineName);
  name.Append(u'\\');
  name.Append(server.ServerName);
  return name;
}
