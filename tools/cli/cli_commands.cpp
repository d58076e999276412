#include "tools/cli/cli_commands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ambrel/ambrel.h"
#include "app_context/main_frame_text.h"
#include "dialogs/core/item_filter.h"
#include "document/period_commands.h"
#include "document/varnel_doc.h"
#include "hda/connection_list.h"
#include "text/search_string.h"
#include "text/time_base.h"
#include "text/time_fields.h"
#include "text/time_format.h"
#include "tools/cli/core/cut_warning.h"
#include "tools/cli/core/document_file.h"
#include "tools/cli/core/utf8.h"
#include "tools/cli/core/wave_table.h"
#include "tools/cli/read_all.h"

namespace cli {
namespace {

constexpr DWORD kNameBytes = 1024;

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

[[noreturn]] void Fail(std::string message) {
  const std::string library = TEnvironment::LastLibraryError();
  if (!library.empty()) message += ": " + library;
  throw TFailure{std::move(message)};
}

std::string ServerText(const HdaServerDef& server) {
  std::string text = "server " + ToUtf8(server.ServerName);
  if (!server.MachineName.IsEmpty()) text += " on " + ToUtf8(server.MachineName);
  return text;
}

HdaServerDef ServerOf(const TOptions& options) {
  HdaServerDef server;
  server.MachineName = FromUtf8(options.machine);
  server.ServerName = FromUtf8(options.server);
  return server;
}

// A server the command connected, and its connection's id: the connection is closed when the
// server goes, and the id then finds nothing.
struct TOpenServer {
  HdaServerDef server;
  ConnectionId id;
};

// Connects the server as the last entry of the list; fails when no session could be opened.
TOpenServer Connect(THdaConnectionList& list, const HdaServerDef& server) {
  TEnvironment::ClearLibraryErrors();
  if (!list.Add(server)) Fail(ServerText(server) + " is named twice");
  const std::size_t last = list.Count() - 1;
  if (list.At(last).Session() == AMBREL_NO_SESSION) Fail("cannot connect to " + ServerText(server));
  return {server, list.Id(last)};
}

// Ends the command with its own exit code when the server went while the command used it: it
// stopped answering (its connection found out), or it shut down (its notice closed the
// connection). Its items are then neither unknown nor empty.
void CheckServerStayed(const THdaConnectionList& list, const TOpenServer& open,
                       const TEnvironment& environment) {
  if (environment.HeardMessages().StoppedAnswering(open.server)) {
    throw TFailure{ServerText(open.server) + " stopped answering", kExitServerGone};
  }
  if (list.Find(open.id) == nullptr)
    throw TFailure{ServerText(open.server) + " shut down", kExitServerGone};
}

double ParseTimeOption(const std::string& option, const std::string& text) {
  TTimeFields fields;
  ParseDateTime(fields, FromUtf8(text));
  const double t = fields.invalid ? INFINITY : FieldsToTime(fields);
  if (!std::isfinite(t)) throw TFailure{option + ": not a day-first time: " + text};
  return t;
}

// Every item of the document must have a handle: a wave without one was never read.
void CheckItemsAdded(const TVarnelDoc& doc, const THdaConnectionList& list) {
  for (const ConnectionInfo& info : doc.Connections) {
    const std::optional<ConnectionId> id = list.FindOpen(info);
    const THdaConnection* open = id ? list.Find(*id) : nullptr;
    if (!open) continue;
    for (const TString& item : info.ItemNames) {
      if (open->FindItem(item) == nullptr) {
        Fail("item " + ToUtf8(item) + " unknown to " + ServerText(info));
      }
    }
  }
}

std::string PeriodLine(const TVarnelDoc& doc) {
  return ToUtf8(RString(PeriodTitleId(doc.Period))) + " (" + std::to_string(doc.Period) +
         "): " + TimeCell(doc.StartTime) + " -> " + TimeCell(doc.StopTime) +
         (doc.Locked ? ", locked" : "");
}

// Says which waves of the document stopped at the value limit.
void WarnOfCutWaves(const TVarnelDoc& doc) {
  std::fputs(CutWaveWarnings(doc.Waves, "read --all").c_str(), stderr);
}

// The span of a read: the current period of --period, or --from and --to.
void ReadSpan(const TOptions& options, double& start, double& stop) {
  if (options.period) {
    TPeriod period;
    period.Period = *options.period;
    Current(period, Now());
    start = period.StartTime;
    stop = period.StopTime;
  } else {
    start = ParseTimeOption("--from", options.from);
    stop = ParseTimeOption("--to", options.to);
  }
}

// read --all: the one item's every value, written as it arrives, and a count on standard error.
void StreamAllValues(const TOptions& options, TEnvironment& environment, double start,
                     double stop) {
  THdaConnectionList list(environment.Messages());
  const HdaServerDef server = ServerOf(options);
  const TOpenServer open = Connect(list, server);
  TWave wave;
  wave.MachineName = server.MachineName;
  wave.ServerName = server.ServerName;
  wave.ItemName = FromUtf8(options.items.front());
  const TStreamedWave streamed =
      StreamWave(list, open.id, wave, start, stop,
                 options.csv ? TTableFormat::Csv : TTableFormat::Tabs, environment.Messages());
  std::fflush(stdout);
  CheckServerStayed(list, open, environment);
  const std::string item = options.items.front();
  if (!streamed.itemAdded) Fail("item " + item + " unknown to " + ServerText(server));
  const std::string written = std::to_string(streamed.count) + " values written";
  if (streamed.end == hda::TRawReadEnd::NoProgress) {
    throw TFailure{item + ": " + ServerText(server) + " returned only values already read, from " +
                   TimeCell(streamed.lastTime) + " on; " + written};
  }
  if (streamed.end == hda::TRawReadEnd::Cancelled) {
    throw TFailure{"cannot write standard output; " + written};
  }
  std::fprintf(stderr, "varnel-cli: %llu values of %s\n",
               static_cast<unsigned long long>(streamed.count), item.c_str());
}

int CommandOfPeriodKind(std::int32_t code) {
  for (int command = kCommandFirstPeriodKind; command <= kCommandLastPeriodKind; ++command) {
    if (command != kCommandCustomPeriod && PeriodForCommand(command) == code) return command;
  }
  return 0;
}

}  // namespace

void ListServers(const TOptions& options) {
  TEnvironment::ClearLibraryErrors();
  const DWORD count = NumberOfHDAServers(options.machine.c_str());
  if (count == 0 && !TEnvironment::LastLibraryError().empty()) {
    Fail("cannot list the servers of " +
         (options.machine.empty() ? std::string("this machine") : options.machine));
  }
  for (DWORD i = 0; i < count; ++i) {
    char name[kNameBytes] = {};
    // A class whose ProgID did not come through has no name to print.
    if (!GetHDAServerName(i, name, kNameBytes) || name[0] == 0) continue;
    TString wide;
    wide.FromNarrow(name);
    Print(ToUtf8(wide) + "\n");
  }
}

void ListItems(const TOptions& options, TEnvironment& environment) {
  THdaConnectionList list(environment.Messages());
  const HdaServerDef server = ServerOf(options);
  const TOpenServer open = Connect(list, server);
  // A server that goes during the browse closes its connection only when the scope ends.
  const THdaConnectionList::CallScope scope(list);
  THdaConnection& connection = *list.Find(open.id);
  const DWORD count = NumberOfHDAItems(connection.Session());
  if (connection.NoteServerLoss(environment.Messages())) CheckServerStayed(list, open, environment);
  if (count == 0 && !TEnvironment::LastLibraryError().empty())
    Fail("cannot browse " + ServerText(server));
  const WordFilter filter(FromUtf8(options.filter));
  std::string out;
  for (DWORD i = 0; i < count; ++i) {
    char name[kNameBytes] = {};
    if (!GetHDAItemName(connection.Session(), i, name, kNameBytes)) continue;
    const TSearchString item(name);
    if (filter.Matches(item.Key())) out += ToUtf8(item) + "\n";
  }
  Print(out);
}

void ReadWaves(const TOptions& options, TEnvironment& environment) {
  double start = 0.0;
  double stop = 0.0;
  ReadSpan(options, start, stop);
  if (options.all) {
    StreamAllValues(options, environment, start, stop);
    return;
  }
  THdaConnectionList list(environment.Messages());
  const HdaServerDef server = ServerOf(options);
  const TOpenServer open = Connect(list, server);
  std::vector<TWave> waves;
  for (const std::string& item : options.items) {
    TWave wave;
    wave.MachineName = server.MachineName;
    wave.ServerName = server.ServerName;
    wave.ItemName = FromUtf8(item);
    CheckServerStayed(list, open, environment);
    if (list.ReadWave(open.id, wave, start, stop)) {
      CheckServerStayed(list, open, environment);
      Fail("item " + item + " unknown to " + ServerText(server));
    }
    waves.push_back(std::move(wave));
  }
  Print(FormatWaveTable(waves, options.csv ? TTableFormat::Csv : TTableFormat::Tabs));
  std::fputs(CutWaveWarnings(waves, "--all").c_str(), stderr);
}

void NewDocument(const TOptions& options, TEnvironment& environment) {
  TVarnelDoc doc;
  ConnectionInfo info;
  static_cast<HdaServerDef&>(info) = ServerOf(options);
  for (const std::string& item : options.items) info.AddItemName(FromUtf8(item));
  doc.Connections.push_back(info);
  doc.Period = *options.period;
  Current(doc, Now());

  THdaConnectionList list(environment.Messages());
  const TOpenServer open = Connect(list, info);
  doc.RebuildWaves(list);
  CheckServerStayed(list, open, environment);
  CheckItemsAdded(doc, list);
  if (doc.Save(FromUtf8(options.out).Str())) throw TFailure{"cannot write " + options.out};
  WarnOfCutWaves(doc);
  Print("created " + options.out + ": " + std::to_string(doc.ItemCount()) + " items, " +
        PeriodLine(doc) + "\n");
}

void ShowDocument(const TOptions& options) {
  TVarnelDoc doc;
  if (std::string failed = LoadDocument(options.file, doc); !failed.empty()) throw TFailure{failed};
  std::string out = "Document " + options.file + "\nPeriod   " + PeriodLine(doc) + "\n";
  for (const ConnectionInfo& info : doc.Connections) {
    out += "Server   " + ToUtf8(info.ServerName) +
           (info.MachineName.IsEmpty() ? "" : " on " + ToUtf8(info.MachineName)) + "\n";
    for (const TWave& wave : doc.Waves) {
      if (!wave.MachineName.Equals(info.MachineName) || !wave.ServerName.Equals(info.ServerName))
        continue;
      out += "  " + ToUtf8(wave.ItemName) + ": " + std::to_string(wave.T.size()) + " points";
      if (!wave.T.empty()) {
        out += ", " + TimeCell(wave.T.front()) + " -> " + TimeCell(wave.T.back());
        if (!wave.S.empty()) {
          out += ", texts";
        } else if (!wave.Y.empty()) {
          auto [low, high] = std::minmax_element(wave.Y.begin(), wave.Y.end());
          out += ", values " + NumberCell(*low) + " .. " + NumberCell(*high);
        }
      }
      out += "\n";
    }
  }
  Print(out);
}

void StepDocument(const TOptions& options, TEnvironment& environment) {
  TVarnelDoc doc;
  if (std::string failed = LoadDocument(options.file, doc); !failed.empty()) throw TFailure{failed};
  const TString file = FromUtf8(options.file);
  THdaConnectionList list(environment.Messages());
  std::vector<TOpenServer> opened;
  for (const ConnectionInfo& info : doc.Connections) {
    if (!list.FindOpen(info)) opened.push_back(Connect(list, info));
  }
  // Every saved document comes back locked; asking for a step is asking to unlock it first.
  if (doc.Locked) RunPeriodCommand(&doc, kCommandUnlock, list);
  int hint = kHintNone;
  switch (options.step) {
    case TStep::Previous:
      hint = RunPeriodCommand(&doc, kCommandPreviousPeriod, list);
      break;
    case TStep::Next:
      hint = RunPeriodCommand(&doc, kCommandNextPeriod, list);
      break;
    case TStep::Current:
      hint = RunPeriodCommand(&doc, kCommandCurrentPeriod, list);
      break;
    case TStep::Period:
      hint = ChoosePeriodKind(&doc, CommandOfPeriodKind(*options.period), list, false,
                              [](const char16_t*, double&, double&) { return false; });
      break;
    case TStep::None:
      break;
  }
  for (const TOpenServer& open : opened) CheckServerStayed(list, open, environment);
  if (hint == kHintNone) {
    throw TFailure{doc.Locked
                       ? options.file + ": the document is locked"
                       : options.file +
                             ": the period did not change (no server of the document is open)"};
  }
  CheckItemsAdded(doc, list);
  if (doc.Save(file.Str())) throw TFailure{"cannot write " + options.file};
  WarnOfCutWaves(doc);
  Print(options.file + ": " + PeriodLine(doc) + "\n");
}

}  // namespace cli
