#include "tools/cli/core/cli_args.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/period.h"

namespace cli {
namespace {

using Args = std::vector<std::string>;

TEST(CliArgs, AcceptedCommandLines) {
  auto read =
      ParseArguments({"--verbose", "read", "--server", "P", "--item", "a b", "c", "--item", "d",
                      "--period", "last-hour", "--csv", "--utc-offset", "-90", "--language", "0"});
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.options.command, TCommand::Read);
  EXPECT_EQ(read.options.items, (Args{"a b", "c", "d"}));
  EXPECT_EQ(read.options.period, kPeriodLastHour);
  EXPECT_TRUE(read.options.csv);
  EXPECT_TRUE(read.options.verbose);
  EXPECT_EQ(read.options.utcOffsetMinutes, -90);
  EXPECT_EQ(read.options.language, 0);

  EXPECT_FALSE(read.options.all);

  auto span = ParseArguments(
      {"read", "--server", "P", "--item", "x", "--from", "1/2/2021", "--to", "2/2/2021 10:00"});
  ASSERT_TRUE(span.ok) << span.error;
  EXPECT_EQ(span.options.from, "1/2/2021");
  EXPECT_EQ(span.options.to, "2/2/2021 10:00");
  EXPECT_FALSE(span.options.period);

  // --all anywhere among the read's options, with one item given either way.
  for (const Args& all :
       {Args{"read", "--all", "--server", "P", "--item", "x", "--period", "day"},
        Args{"read", "--server", "P", "--item", "a b", "--from", "1/2/2021", "--to", "2/2/2021",
             "--csv", "--all"},
        Args{"--verbose", "read", "--item", "x", "--all", "--period", "week", "--server", "P"}}) {
    auto parsed = ParseArguments(all);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_TRUE(parsed.options.all);
    EXPECT_EQ(parsed.options.items.size(), 1u);
  }

  auto items = ParseArguments({"items", "--server", "P", "--machine", "m", "--filter", "flow, in"});
  ASSERT_TRUE(items.ok) << items.error;
  EXPECT_EQ(items.options.filter, "flow, in");
  EXPECT_EQ(items.options.machine, "m");

  auto step = ParseArguments({"doc", "step", "f.xml", "--period", "90"});
  ASSERT_TRUE(step.ok) << step.error;
  EXPECT_EQ(step.options.step, TStep::Period);
  EXPECT_EQ(step.options.period, kPeriodHourSteps);
  EXPECT_EQ(step.options.file, "f.xml");

  EXPECT_EQ(ParseArguments({"doc", "step", "f.xml", "--previous"}).options.step, TStep::Previous);
  EXPECT_EQ(ParseArguments({"doc", "show", "f.xml"}).options.command, TCommand::DocShow);
  EXPECT_TRUE(ParseArguments({"doc", "new", "--server", "P", "--item", "i", "--period", "day",
                              "--out", "o.xml"})
                  .ok);
  EXPECT_TRUE(ParseArguments({"servers"}).ok);

  auto render = ParseArguments({"render", "d.xml", "--out", "g.png", "--width", "1600", "--print"});
  ASSERT_TRUE(render.ok) << render.error;
  EXPECT_EQ(render.options.command, TCommand::Render);
  EXPECT_EQ(render.options.file, "d.xml");
  EXPECT_EQ(render.options.out, "g.png");
  EXPECT_EQ(render.options.width, 1600);
  EXPECT_EQ(render.options.height, kDefaultRenderHeight);
  EXPECT_TRUE(render.options.print);
  auto plain = ParseArguments({"render", "d.xml", "--height", "100", "--out", "g.png"});
  ASSERT_TRUE(plain.ok) << plain.error;
  EXPECT_EQ(plain.options.width, kDefaultRenderWidth);
  EXPECT_EQ(plain.options.height, kMinRenderSize);
  EXPECT_FALSE(plain.options.print);
  auto exported = ParseArguments({"--utc-offset", "60", "export", "d.xml", "--out", "d.csv"});
  ASSERT_TRUE(exported.ok) << exported.error;
  EXPECT_EQ(exported.options.command, TCommand::Export);
  EXPECT_EQ(exported.options.file, "d.xml");
  EXPECT_EQ(exported.options.out, "d.csv");
}

TEST(CliArgs, ErrorsNameTheBadArgument) {
  struct Case {
    Args args;
    const char* named;  // must appear in the one-line error
  };
  const Case cases[] = {
      {{}, "missing command"},
      {{"list"}, "list"},
      {{"servers", "--bogus"}, "--bogus"},
      {{"servers", "stray"}, "stray"},
      {{"servers", "--server", "P"}, "--server"},
      {{"items"}, "--server"},
      {{"items", "--server"}, "--server needs a value"},
      {{"read", "--server", "P", "--period", "day"}, "--item"},
      {{"read", "--server", "P", "--item", "i"}, "--period"},
      {{"read", "--server", "P", "--item", "i", "--period", "fortnight"}, "fortnight"},
      {{"read", "--server", "P", "--item", "i", "--from", "1/1/2021"}, "--to"},
      {{"read", "--server", "P", "--item", "i", "--to", "1/1/2021"}, "--from"},
      {{"read", "--server", "P", "--item", "i", "--period", "day", "--from", "1/1/2021"},
       "--period"},
      {{"read", "--server", "P", "--item", "i", "--period", "day", "--out", "x"}, "--out"},
      {{"doc", "new", "--server", "P", "--item", "i", "--period", "day"}, "--out"},
      {{"doc", "show"}, "FILE"},
      {{"doc", "step", "f.xml"}, "--previous"},
      {{"doc", "step", "f.xml", "--next", "--previous"}, "--previous"},
      {{"doc", "drop", "f.xml"}, "drop"},
      {{"servers", "--utc-offset", "abc"}, "--utc-offset"},
      {{"servers", "--utc-offset", "5000"}, "--utc-offset"},
      {{"servers", "--language", "7"}, "--language"},
      {{"--csv", "read"}, "--csv"},
      {{"render"}, "FILE"},
      {{"render", "--out", "g.png"}, "FILE"},
      {{"render", "d.xml"}, "--out"},
      {{"render", "d.xml", "--out", "g.png", "--width", "99"}, "--width"},
      {{"render", "d.xml", "--out", "g.png", "--height", "8001"}, "--height"},
      {{"render", "d.xml", "--out", "g.png", "--width", "wide"}, "wide"},
      {{"doc", "show", "d.xml", "--print"}, "--print"},
      {{"servers", "--width", "500"}, "--width"},
      {{"export"}, "FILE"},
      {{"export", "d.xml"}, "--out"},
      {{"export", "d.xml", "--out", "d.csv", "--width", "500"}, "--width"},
      {{"export", "d.xml", "--out", "d.csv", "--period", "day"}, "--period"},
      // --all reads one item: several are refused, however they are given.
      {{"read", "--server", "P", "--item", "a", "b", "--period", "day", "--all"}, "--all"},
      {{"read", "--server", "P", "--all", "--item", "a", "--item", "b", "--period", "day"},
       "--all"},
      {{"read", "--server", "P", "--item", "a", "--all"}, "--period"},
      {{"items", "--server", "P", "--all"}, "--all"},
      {{"doc", "new", "--server", "P", "--item", "i", "--period", "day", "--out", "o", "--all"},
       "--all"},
      {{"--all", "read", "--server", "P", "--item", "a", "--period", "day"}, "--all"},
      {{"read", "--server", "P", "--item", "a", "--period", "day", "--all", "x"}, "x"},
  };
  for (const Case& c : cases) {
    const TParseResult result = ParseArguments(c.args);
    EXPECT_FALSE(result.ok) << c.named;
    EXPECT_NE(result.error.find(c.named), std::string::npos) << result.error;
    EXPECT_EQ(result.error.find('\n'), std::string::npos) << result.error;
  }
}

// The help comes from the same table as the parsing: every option it names for a command is
// accepted there, and every option accepted is named.
TEST(CliArgs, HelpListsWhatEachCommandAccepts) {
  const std::string usage = UsageText();
  struct Case {
    const char* line;  // the start of the command's usage line
    Args accepted;     // a command line using every option the line must show
  };
  const Case cases[] = {
      {"  servers [--machine M]\n", {"servers", "--machine", "m"}},
      {"  items [--machine M] --server PROGID [--filter \"WORDS\"]\n",
       {"items", "--machine", "m", "--server", "P", "--filter", "w"}},
      {"  doc new [--machine M] --server PROGID --item ID... --period KIND --out FILE\n",
       {"doc", "new", "--machine", "m", "--server", "P", "--item", "i", "--period", "day", "--out",
        "o"}},
      {"  read [--machine M] --server PROGID --item ID... [--period KIND] [--from TIME] "
       "[--to TIME] [--csv] [--all]\n",
       {"read", "--machine", "m", "--server", "P", "--item", "i", "--from", "1/1/2021", "--to",
        "2/1/2021", "--csv", "--all"}},
      {"  doc show FILE\n", {"doc", "show", "f"}},
      {"  render FILE --out FILE [--width W] [--height H] [--print]\n",
       {"render", "f", "--out", "o", "--width", "200", "--height", "200", "--print"}},
  };
  for (const Case& c : cases) {
    EXPECT_NE(usage.find(c.line), std::string::npos) << c.line;
    const TParseResult result = ParseArguments(c.accepted);
    EXPECT_TRUE(result.ok) << c.line << result.error;
  }
  for (const char* option : {"--utc-offset MINUTES", "--language N", "--verbose", "--csv", "--all",
                             "--from TIME", "--previous", "--next", "--current"}) {
    EXPECT_NE(usage.find(std::string("\n  ") + option), std::string::npos) << option;
  }
  EXPECT_NE(usage.find(PeriodNames()), std::string::npos);
  EXPECT_EQ(usage.find("\n\n"), std::string::npos);
}

TEST(CliArgs, PeriodNamesAndCodes) {
  EXPECT_EQ(PeriodCodeOfName("last-7-days"), kPeriodLast7Days);
  EXPECT_EQ(PeriodCodeOfName("5-minutes"), kPeriodFiveMinuteSteps);
  EXPECT_EQ(PeriodCodeOfName("280"), kPeriodLastHour);
  for (const char* bad : {"", "131", "custom", "Day", "281", "28O"})
    EXPECT_FALSE(PeriodCodeOfName(bad)) << bad;
  // Every listed name reads back.
  const std::string names = PeriodNames();
  std::size_t start = 0;
  int count = 0;
  while (start < names.size()) {
    std::size_t end = names.find(", ", start);
    if (end == std::string::npos) end = names.size();
    EXPECT_TRUE(PeriodCodeOfName(names.substr(start, end - start)))
        << names.substr(start, end - start);
    ++count;
    start = end + 2;
  }
  EXPECT_EQ(count, 18);
}

}  // namespace
}  // namespace cli
