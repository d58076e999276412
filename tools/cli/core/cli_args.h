// The command line of varnel-cli, parsed without touching a server: commands, their options and
// the global options, with a one-line error naming the argument that is wrong.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

enum class TCommand { Servers, Items, Read, DocNew, DocShow, DocStep, Render, Export };
enum class TStep { None, Previous, Next, Current, Period };

inline constexpr std::int32_t kDefaultRenderWidth = 800;
inline constexpr std::int32_t kDefaultRenderHeight = 500;
inline constexpr std::int32_t kMinRenderSize = 100;
inline constexpr std::int32_t kMaxRenderSize = 8000;

struct TOptions {
  TCommand command = TCommand::Servers;
  std::string machine;
  std::string server;
  std::vector<std::string> items;
  std::string filter;
  std::optional<std::int32_t> period;  // a period kind code
  std::string from;
  std::string to;
  bool csv = false;
  // read: every value of the period of one item, streamed by continuation.
  bool all = false;
  std::string out;
  std::string file;  // doc show, doc step, render and export
  // render: the picture's size in pixels and the print colours and border.
  std::int32_t width = kDefaultRenderWidth;
  std::int32_t height = kDefaultRenderHeight;
  bool print = false;
  TStep step = TStep::None;
  // Global options.
  std::optional<int> utcOffsetMinutes;
  int language = 1;
  bool verbose = false;
};

struct TParseResult {
  bool ok = false;
  TOptions options;
  std::string error;  // one line when !ok
};

// Arguments after the program name, as UTF-8.
TParseResult ParseArguments(const std::vector<std::string>& arguments);

// The period kind of a name ("last-hour", "day", "5-minutes"...) or of its code ("280").
std::optional<std::int32_t> PeriodCodeOfName(std::string_view name);
// The names --period accepts, separated by ", ".
std::string PeriodNames();

std::string UsageText();

}  // namespace cli
