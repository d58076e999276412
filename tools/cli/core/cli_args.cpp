#include "tools/cli/core/cli_args.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <string>

#include "document/period.h"

namespace cli {
namespace {

struct TPeriodName {
  const char* name;
  std::int32_t code;
};

constexpr TPeriodName kPeriodNames[] = {
    {"minute", kPeriodMinuteSteps},
    {"5-minutes", kPeriodFiveMinuteSteps},
    {"10-minutes", kPeriodTenMinuteSteps},
    {"30-minutes", kPeriodThirtyMinuteSteps},
    {"hour", kPeriodHourSteps},
    {"day", kPeriodDay},
    {"week", kPeriodWeek},
    {"month", kPeriodMonth},
    {"year", kPeriodYear},
    {"last-10-seconds", kPeriodLast10Seconds},
    {"last-30-seconds", kPeriodLast30Seconds},
    {"last-minute", kPeriodLastMinute},
    {"last-5-minutes", kPeriodLast5Minutes},
    {"last-10-minutes", kPeriodLast10Minutes},
    {"last-30-minutes", kPeriodLast30Minutes},
    {"last-hour", kPeriodLastHour},
    {"last-24-hours", kPeriodLast24Hours},
    {"last-7-days", kPeriodLast7Days},
};

std::optional<long long> ParseInteger(std::string_view text) {
  long long value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || first == last) return std::nullopt;
  return value;
}

using TCommandSet = std::uint32_t;

constexpr TCommandSet Set(TCommand command) { return 1u << static_cast<unsigned>(command); }
template <typename... Commands>
constexpr TCommandSet Set(TCommand first, Commands... rest) {
  return Set(first) | Set(rest...);
}

// Options that belong to every command and may also come before it.
constexpr TCommandSet kGlobal = 0;

struct TCommandSpec {
  TCommand command;
  const char* words;
  const char* operand;  // the argument right after the words, or nullptr
  const char* help;
  const char* rule;  // what the option table cannot say, or nullptr
};

constexpr TCommandSpec kCommands[] = {
    {TCommand::Servers, "servers", nullptr, "list the OPC HDA servers of a computer", nullptr},
    {TCommand::Items, "items", nullptr, "list the items of a server", nullptr},
    {TCommand::Read, "read", nullptr, "read the history of items as a table or CSV",
     "either --period, or --from and --to; --all with one item only"},
    {TCommand::DocNew, "doc new", nullptr, "make a document of items over a period", nullptr},
    {TCommand::DocShow, "doc show", "FILE", "show a document's servers, items and period", nullptr},
    {TCommand::DocStep, "doc step", "FILE", "move a document's period and read its items again",
     "exactly one of --previous, --next, --current and --period"},
    {TCommand::Render, "render", "FILE", "draw a document's graph into a PNG file", nullptr},
    {TCommand::Export, "export", "FILE",
     "write every value of a document's waves over its period into a CSV file", nullptr},
};

class TParser {
 public:
  explicit TParser(const std::vector<std::string>& arguments) : args_(arguments) {}

  TParseResult Run() {
    if (!ParseCommand()) return Fail();
    while (pos_ < args_.size()) {
      if (!ParseOption(false)) return Fail();
    }
    if (!Check()) return Fail();
    TParseResult result;
    result.ok = true;
    result.options = options_;
    return result;
  }

  static std::string Usage();

 private:
  using TApply = bool (TParser::*)(const std::string& option, const std::string& value);

  struct TOptionSpec {
    const char* name;
    const char* value;  // the placeholder of its value; nullptr for a switch
    TCommandSet commands;
    TCommandSet required;
    const char* help;
    TApply apply;
  };

  static const TOptionSpec* FindOption(const std::string& name) {
    for (const TOptionSpec& spec : kOptions) {
      if (name == spec.name) return &spec;
    }
    return nullptr;
  }

  static bool Belongs(const TOptionSpec& spec, TCommand command) {
    return spec.commands == kGlobal || (spec.commands & Set(command)) != 0;
  }

  TParseResult Fail() const {
    TParseResult result;
    result.error = error_;
    return result;
  }

  bool Error(std::string text) {
    error_ = std::move(text);
    return false;
  }

  // Global options may come before the command too.
  bool ParseCommand() {
    while (pos_ < args_.size() && args_[pos_].rfind("--", 0) == 0) {
      const TOptionSpec* spec = FindOption(args_[pos_]);
      if (spec == nullptr || spec->commands != kGlobal) {
        return Error("unknown option " + args_[pos_] + " before the command");
      }
      if (!ParseOption(true)) return false;
    }
    if (pos_ >= args_.size()) {
      return Error("missing command (servers, items, read, doc, render or export)");
    }
    std::string words = args_[pos_++];
    if (words == "doc") {
      if (pos_ >= args_.size()) return Error("doc: missing new, show or step");
      words += " " + args_[pos_++];
    }
    const TCommandSpec* command = nullptr;
    for (const TCommandSpec& spec : kCommands) {
      if (words == spec.words) command = &spec;
    }
    if (command == nullptr) {
      return Error(words.rfind("doc ", 0) == 0 ? "doc: unknown command " + words.substr(4)
                                               : "unknown command " + words);
    }
    options_.command = command->command;
    if (command->operand != nullptr) {
      if (pos_ >= args_.size() || args_[pos_].rfind("--", 0) == 0) {
        return Error(words + ": missing " + command->operand);
      }
      options_.file = args_[pos_++];
    }
    return true;
  }

  bool ParseOption(bool beforeCommand) {
    const std::string option = args_[pos_++];
    const TOptionSpec* spec = FindOption(option);
    if (spec == nullptr) {
      return Error(option.rfind("--", 0) == 0 ? "unknown option " + option
                                              : "unexpected argument " + option);
    }
    if (!beforeCommand && !Belongs(*spec, options_.command)) {
      return Error("option " + option + " does not belong to this command");
    }
    std::string value;
    if (spec->value != nullptr) {
      if (pos_ >= args_.size()) return Error(option + " needs a value");
      value = args_[pos_++];
    }
    given_ |= 1ull << (spec - kOptions);
    return (this->*spec->apply)(option, value);
  }

  bool SetUtcOffset(const std::string& option, const std::string& value) {
    auto minutes = ParseInteger(value);
    if (!minutes || *minutes < -1200 || *minutes > 1200) {
      return Error(option + ": not a number of minutes within +-1200: " + value);
    }
    options_.utcOffsetMinutes = static_cast<int>(*minutes);
    return true;
  }

  bool SetLanguage(const std::string& option, const std::string& value) {
    auto language = ParseInteger(value);
    if (!language || *language < 0 || *language > 4) {
      return Error(option + ": not a language number 0..4: " + value);
    }
    options_.language = static_cast<int>(*language);
    return true;
  }

  bool SetVerbose(const std::string&, const std::string&) {
    options_.verbose = true;
    return true;
  }

  bool SetMachine(const std::string&, const std::string& value) {
    options_.machine = value;
    return true;
  }

  bool SetServer(const std::string&, const std::string& value) {
    options_.server = value;
    return true;
  }

  bool AddItems(const std::string&, const std::string& value) {
    options_.items.push_back(value);
    while (pos_ < args_.size() && args_[pos_].rfind("--", 0) != 0)
      options_.items.push_back(args_[pos_++]);
    return true;
  }

  bool SetFilter(const std::string&, const std::string& value) {
    options_.filter = value;
    return true;
  }

  bool SetPeriod(const std::string& option, const std::string& value) {
    options_.period = PeriodCodeOfName(value);
    if (!options_.period)
      return Error(option + ": unknown kind " + value + " (" + PeriodNames() + ")");
    return options_.command != TCommand::DocStep || SetStep(option, value);
  }

  bool SetFrom(const std::string&, const std::string& value) {
    options_.from = value;
    return true;
  }

  bool SetTo(const std::string&, const std::string& value) {
    options_.to = value;
    return true;
  }

  bool SetCsv(const std::string&, const std::string&) {
    options_.csv = true;
    return true;
  }

  bool SetAll(const std::string&, const std::string&) {
    options_.all = true;
    return true;
  }

  bool SetOut(const std::string&, const std::string& value) {
    options_.out = value;
    return true;
  }

  bool SetSize(const std::string& option, const std::string& value) {
    auto size = ParseInteger(value);
    if (!size || *size < kMinRenderSize || *size > kMaxRenderSize) {
      return Error(option + ": not a number of pixels within " + std::to_string(kMinRenderSize) +
                   ".." + std::to_string(kMaxRenderSize) + ": " + value);
    }
    (option == "--width" ? options_.width : options_.height) = static_cast<std::int32_t>(*size);
    return true;
  }

  bool SetPrint(const std::string&, const std::string&) {
    options_.print = true;
    return true;
  }

  bool SetStep(const std::string& option, const std::string&) {
    if (options_.step != TStep::None) return Error(option + ": only one period operation");
    options_.step = option == "--previous"  ? TStep::Previous
                    : option == "--next"    ? TStep::Next
                    : option == "--current" ? TStep::Current
                                            : TStep::Period;
    return true;
  }

  bool Check() {
    const TCommand c = options_.command;
    for (std::size_t i = 0; i < std::size(kOptions); ++i) {
      const TOptionSpec& spec = kOptions[i];
      if ((spec.required & Set(c)) != 0 && (given_ & (1ull << i)) == 0) {
        return Error(std::string("missing ") + spec.name + " " + spec.value);
      }
    }
    if (c == TCommand::Read) {
      const bool span = !options_.from.empty() || !options_.to.empty();
      if (options_.period && span) return Error("--period: not together with --from and --to");
      if (!options_.period && (options_.from.empty() || options_.to.empty())) {
        return Error(options_.from.empty() && options_.to.empty()
                         ? "missing --period KIND or --from and --to"
                     : options_.from.empty() ? "missing --from TIME"
                                             : "missing --to TIME");
      }
    }
    if (options_.all && options_.items.size() > 1) {
      return Error("--all: reads one item; run one command per item");
    }
    if (c == TCommand::DocStep && options_.step == TStep::None) {
      return Error("missing --previous, --next, --current or --period KIND");
    }
    return true;
  }

  // Every option: which commands take it, which need it, its help line and what it sets. Parsing,
  // the checks and the help text all come from here.
  static constexpr TOptionSpec kOptions[] = {
      {"--utc-offset", "MINUTES", kGlobal, 0,
       "local standard time in minutes east of UTC, instead of the computer's",
       &TParser::SetUtcOffset},
      {"--language", "N", kGlobal, 0,
       "language of the texts: 0 French, 1 English, 2 German, 3 Spanish, 4 Dutch",
       &TParser::SetLanguage},
      {"--verbose", nullptr, kGlobal, 0, "write the program's log to standard error",
       &TParser::SetVerbose},
      {"--machine", "M", Set(TCommand::Servers, TCommand::Items, TCommand::Read, TCommand::DocNew),
       0, "the computer the server runs on (default: this one)", &TParser::SetMachine},
      {"--server", "PROGID", Set(TCommand::Items, TCommand::Read, TCommand::DocNew),
       Set(TCommand::Items, TCommand::Read, TCommand::DocNew), "the server's ProgID",
       &TParser::SetServer},
      {"--item", "ID...", Set(TCommand::Read, TCommand::DocNew),
       Set(TCommand::Read, TCommand::DocNew),
       "item IDs; further IDs may follow without repeating the option", &TParser::AddItems},
      {"--filter", "\"WORDS\"", Set(TCommand::Items), 0, "only items whose names hold every word",
       &TParser::SetFilter},
      {"--period", "KIND", Set(TCommand::Read, TCommand::DocNew, TCommand::DocStep),
       Set(TCommand::DocNew), "a period kind (below); doc step: change to it", &TParser::SetPeriod},
      {"--from", "TIME", Set(TCommand::Read), 0, "start of the span to read", &TParser::SetFrom},
      {"--to", "TIME", Set(TCommand::Read), 0, "end of the span to read", &TParser::SetTo},
      {"--csv", nullptr, Set(TCommand::Read), 0, "write CSV instead of a table", &TParser::SetCsv},
      {"--all", nullptr, Set(TCommand::Read), 0,
       "read every value of the period, by as many calls as the server needs (one item)",
       &TParser::SetAll},
      {"--out", "FILE", Set(TCommand::DocNew, TCommand::Render, TCommand::Export),
       Set(TCommand::DocNew, TCommand::Render, TCommand::Export),
       "the file to write (render: a PNG file; export: a CSV file)", &TParser::SetOut},
      {"--width", "W", Set(TCommand::Render), 0, "picture width in pixels", &TParser::SetSize},
      {"--height", "H", Set(TCommand::Render), 0, "picture height in pixels", &TParser::SetSize},
      {"--print", nullptr, Set(TCommand::Render), 0, "print colours and border",
       &TParser::SetPrint},
      {"--previous", nullptr, Set(TCommand::DocStep), 0, "step back one period", &TParser::SetStep},
      {"--next", nullptr, Set(TCommand::DocStep), 0, "step on one period", &TParser::SetStep},
      {"--current", nullptr, Set(TCommand::DocStep), 0, "go to the period holding now",
       &TParser::SetStep},
  };

  const std::vector<std::string>& args_;
  std::size_t pos_ = 0;
  TOptions options_;
  std::uint64_t given_ = 0;  // bit i: kOptions[i] was given
  std::string error_;
};

std::string OptionText(const char* name, const char* value) {
  return value ? std::string(name) + " " + value : std::string(name);
}

std::string TParser::Usage() {
  static_assert(std::size(kOptions) <= 64, "given_ has one bit per option");
  std::string text = "usage: varnel-cli";
  for (const TOptionSpec& spec : kOptions) {
    if (spec.commands == kGlobal) text += " [" + OptionText(spec.name, spec.value) + "]";
  }
  text += " COMMAND\n";
  for (const TCommandSpec& command : kCommands) {
    std::string line = std::string("  ") + command.words;
    if (command.operand) line += std::string(" ") + command.operand;
    for (const TOptionSpec& spec : kOptions) {
      if (spec.commands == kGlobal || !Belongs(spec, command.command)) continue;
      const std::string option = OptionText(spec.name, spec.value);
      line += (spec.required & Set(command.command)) != 0 ? " " + option : " [" + option + "]";
    }
    text += line + "\n      " + command.help +
            (command.rule ? std::string("; ") + command.rule : "") + "\n";
  }
  text += "options:\n";
  std::size_t width = 0;
  for (const TOptionSpec& spec : kOptions)
    width = std::max(width, OptionText(spec.name, spec.value).size());
  for (const TOptionSpec& spec : kOptions) {
    std::string option = "  " + OptionText(spec.name, spec.value);
    option.resize(width + 4, ' ');
    text += option + spec.help + "\n";
  }
  return text + "TIME is day first: \"25/12/2024 13:45:10.250\". KIND is one of:\n  " +
         PeriodNames() +
         "\nread, doc new and doc step keep at most 32000 values per item and name each item\n"
         "cut there, with the time reached, on standard error; read --all writes the rows as\n"
         "they arrive and counts them on standard error every 100000 values and at the end\n"
         "(rows written before a failure stay written)\n"
         "export writes a row per time stamp of any wave, a column per wave, in UTF-8: times in\n"
         "ISO 8601 with the offset from UTC, numbers with a point; the file appears only when\n"
         "complete\n"
         "exit codes: 0 done, 1 failed, 2 bad command line, 3 the server stopped answering or\n"
         "shut down while the command used it\n";
}

}  // namespace

TParseResult ParseArguments(const std::vector<std::string>& arguments) {
  return TParser(arguments).Run();
}

std::optional<std::int32_t> PeriodCodeOfName(std::string_view name) {
  for (const TPeriodName& entry : kPeriodNames) {
    if (name == entry.name) return entry.code;
  }
  if (auto code = ParseInteger(name)) {
    for (const TPeriodName& entry : kPeriodNames) {
      if (*code == entry.code) return entry.code;
    }
  }
  return std::nullopt;
}

std::string PeriodNames() {
  std::string names;
  for (const TPeriodName& entry : kPeriodNames) {
    if (!names.empty()) names += ", ";
    names += entry.name;
  }
  return names;
}

std::string UsageText() { return TParser::Usage(); }

}  // namespace cli
