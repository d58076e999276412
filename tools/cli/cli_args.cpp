#include "tools/cli/cli_args.h"

#include <charconv>
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

class TParser {
 public:
  explicit TParser(const std::vector<std::string>& arguments) : args_(arguments) {}

  TParseResult Run() {
    if (!ParseCommand()) return Fail();
    while (pos_ < args_.size()) {
      if (!ParseOption()) return Fail();
    }
    if (!Check()) return Fail();
    TParseResult result;
    result.ok = true;
    result.options = options_;
    return result;
  }

 private:
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
      const std::string& option = args_[pos_];
      if (option != "--verbose" && option != "--utc-offset" && option != "--language") {
        return Error("unknown option " + option + " before the command");
      }
      if (!ParseOption()) return false;
    }
    if (pos_ >= args_.size()) return Error("missing command (servers, items, read, doc or render)");
    const std::string& word = args_[pos_++];
    if (word == "servers") {
      options_.command = TCommand::Servers;
    } else if (word == "items") {
      options_.command = TCommand::Items;
    } else if (word == "read") {
      options_.command = TCommand::Read;
    } else if (word == "doc") {
      if (pos_ >= args_.size()) return Error("doc: missing new, show or step");
      const std::string& sub = args_[pos_++];
      if (sub == "new") {
        options_.command = TCommand::DocNew;
      } else if (sub == "show" || sub == "step") {
        options_.command = sub == "show" ? TCommand::DocShow : TCommand::DocStep;
        if (pos_ >= args_.size() || args_[pos_].rfind("--", 0) == 0) {
          return Error("doc " + sub + ": missing FILE");
        }
        options_.file = args_[pos_++];
      } else {
        return Error("doc: unknown command " + sub);
      }
    } else if (word == "render") {
      options_.command = TCommand::Render;
      if (pos_ >= args_.size() || args_[pos_].rfind("--", 0) == 0) return Error("render: missing FILE");
      options_.file = args_[pos_++];
    } else {
      return Error("unknown command " + word);
    }
    return true;
  }

  bool Value(const std::string& option, std::string& value) {
    if (pos_ >= args_.size()) return Error(option + " needs a value");
    value = args_[pos_++];
    return true;
  }

  bool Allowed(const std::string& option, std::initializer_list<TCommand> commands) {
    for (TCommand c : commands) {
      if (c == options_.command) return true;
    }
    return Error("option " + option + " does not belong to this command");
  }

  bool SetStep(const std::string& option, TStep step) {
    if (!Allowed(option, {TCommand::DocStep})) return false;
    if (options_.step != TStep::None) return Error(option + ": only one period operation");
    options_.step = step;
    return true;
  }

  bool ParseOption() {
    const std::string option = args_[pos_++];
    std::string value;
    if (option == "--verbose") {
      options_.verbose = true;
    } else if (option == "--utc-offset") {
      if (!Value(option, value)) return false;
      auto minutes = ParseInteger(value);
      if (!minutes || *minutes < -1200 || *minutes > 1200) {
        return Error("--utc-offset: not a number of minutes within +-1200: " + value);
      }
      options_.utcOffsetMinutes = static_cast<int>(*minutes);
    } else if (option == "--language") {
      if (!Value(option, value)) return false;
      auto language = ParseInteger(value);
      if (!language || *language < 0 || *language > 4) {
        return Error("--language: not a language number 0..4: " + value);
      }
      options_.language = static_cast<int>(*language);
    } else if (option == "--machine") {
      if (!Allowed(option, {TCommand::Servers, TCommand::Items, TCommand::Read, TCommand::DocNew}) ||
          !Value(option, options_.machine)) {
        return false;
      }
    } else if (option == "--server") {
      if (!Allowed(option, {TCommand::Items, TCommand::Read, TCommand::DocNew}) ||
          !Value(option, options_.server)) {
        return false;
      }
    } else if (option == "--item") {
      if (!Allowed(option, {TCommand::Read, TCommand::DocNew}) || !Value(option, value)) return false;
      options_.items.push_back(value);
      // Further item IDs may follow without repeating the option.
      while (pos_ < args_.size() && args_[pos_].rfind("--", 0) != 0) options_.items.push_back(args_[pos_++]);
    } else if (option == "--filter") {
      if (!Allowed(option, {TCommand::Items}) || !Value(option, options_.filter)) return false;
    } else if (option == "--period") {
      if (!Allowed(option, {TCommand::Read, TCommand::DocNew, TCommand::DocStep}) ||
          !Value(option, value)) {
        return false;
      }
      options_.period = PeriodCodeOfName(value);
      if (!options_.period) return Error("--period: unknown kind " + value + " (" + PeriodNames() + ")");
      if (options_.command == TCommand::DocStep && !SetStep(option, TStep::Period)) return false;
    } else if (option == "--from" || option == "--to") {
      if (!Allowed(option, {TCommand::Read}) ||
          !Value(option, option == "--from" ? options_.from : options_.to)) {
        return false;
      }
    } else if (option == "--csv") {
      if (!Allowed(option, {TCommand::Read})) return false;
      options_.csv = true;
    } else if (option == "--out") {
      if (!Allowed(option, {TCommand::DocNew, TCommand::Render}) || !Value(option, options_.out)) return false;
    } else if (option == "--width" || option == "--height") {
      if (!Allowed(option, {TCommand::Render}) || !Value(option, value)) return false;
      auto size = ParseInteger(value);
      if (!size || *size < kMinRenderSize || *size > kMaxRenderSize) {
        return Error(option + ": not a number of pixels within " + std::to_string(kMinRenderSize) +
                     ".." + std::to_string(kMaxRenderSize) + ": " + value);
      }
      (option == "--width" ? options_.width : options_.height) = static_cast<std::int32_t>(*size);
    } else if (option == "--print") {
      if (!Allowed(option, {TCommand::Render})) return false;
      options_.print = true;
    } else if (option == "--previous") {
      return SetStep(option, TStep::Previous);
    } else if (option == "--next") {
      return SetStep(option, TStep::Next);
    } else if (option == "--current") {
      return SetStep(option, TStep::Current);
    } else if (option.rfind("--", 0) == 0) {
      return Error("unknown option " + option);
    } else {
      return Error("unexpected argument " + option);
    }
    return true;
  }

  bool Check() {
    const TCommand c = options_.command;
    if ((c == TCommand::Items || c == TCommand::Read || c == TCommand::DocNew) &&
        options_.server.empty()) {
      return Error("missing --server PROGID");
    }
    if ((c == TCommand::Read || c == TCommand::DocNew) && options_.items.empty()) {
      return Error("missing --item ID");
    }
    if (c == TCommand::Read) {
      const bool span = !options_.from.empty() || !options_.to.empty();
      if (options_.period && span) return Error("--period: not together with --from and --to");
      if (!options_.period && (options_.from.empty() || options_.to.empty())) {
        return Error(options_.from.empty() && options_.to.empty() ? "missing --period KIND or --from and --to"
                     : options_.from.empty()                      ? "missing --from TIME"
                                                                  : "missing --to TIME");
      }
    }
    if (c == TCommand::DocNew) {
      if (!options_.period) return Error("missing --period KIND");
      if (options_.out.empty()) return Error("missing --out FILE");
    }
    if (c == TCommand::Render && options_.out.empty()) return Error("missing --out FILE.png");
    if (c == TCommand::DocStep && options_.step == TStep::None) {
      return Error("missing --previous, --next, --current or --period KIND");
    }
    return true;
  }

  const std::vector<std::string>& args_;
  std::size_t pos_ = 0;
  TOptions options_;
  std::string error_;
};

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

std::string UsageText() {
  return "usage: varnel-cli [--utc-offset MINUTES] [--language N] [--verbose] COMMAND\n"
         "  servers [--machine M]\n"
         "  items --server PROGID [--machine M] [--filter \"words\"]\n"
         "  read --server PROGID [--machine M] --item ID... (--period KIND | --from TIME --to TIME) [--csv]\n"
         "  doc new --server PROGID [--machine M] --item ID... --period KIND --out FILE\n"
         "  doc show FILE\n"
         "  doc step FILE (--previous | --next | --current | --period KIND)\n"
         "  render FILE --out FILE.png [--width W] [--height H] [--print]\n"
         "TIME is day first: \"25/12/2024 13:45:10.250\". KIND is one of:\n  " +
         PeriodNames() + "\n";
}

}  // namespace cli
