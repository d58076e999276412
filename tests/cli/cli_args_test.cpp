#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/period.h"
#include "tools/cli/cli_args.h"

namespace cli {
namespace {

using Args = std::vector<std::string>;

TEST(CliArgs, AcceptedCommandLines) {
  auto read = ParseArguments({"--verbose", "read", "--server", "P", "--item", "a b", "c", "--item", "d",
                              "--period", "last-hour", "--csv", "--utc-offset", "-90", "--language", "0"});
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.options.command, TCommand::Read);
  EXPECT_EQ(read.options.items, (Args{"a b", "c", "d"}));
  EXPECT_EQ(read.options.period, kPeriodLastHour);
  EXPECT_TRUE(read.options.csv);
  EXPECT_TRUE(read.options.verbose);
  EXPECT_EQ(read.options.utcOffsetMinutes, -90);
  EXPECT_EQ(read.options.language, 0);

  auto span = ParseArguments({"read", "--server", "P", "--item", "x", "--from", "1/2/2021", "--to", "2/2/2021 10:00"});
  ASSERT_TRUE(span.ok) << span.error;
  EXPECT_EQ(span.options.from, "1/2/2021");
  EXPECT_EQ(span.options.to, "2/2/2021 10:00");
  EXPECT_FALSE(span.options.period);

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
  EXPECT_TRUE(ParseArguments({"doc", "new", "--server", "P", "--item", "i", "--period", "day", "--out", "o.xml"}).ok);
  EXPECT_TRUE(ParseArguments({"servers"}).ok);
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
      {{"read", "--server", "P", "--item", "i", "--period", "day", "--from", "1/1/2021"}, "--period"},
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
  };
  for (const Case& c : cases) {
    const TParseResult result = ParseArguments(c.args);
    EXPECT_FALSE(result.ok) << c.named;
    EXPECT_NE(result.error.find(c.named), std::string::npos) << result.error;
    EXPECT_EQ(result.error.find('\n'), std::string::npos) << result.error;
  }
}

TEST(CliArgs, PeriodNamesAndCodes) {
  EXPECT_EQ(PeriodCodeOfName("last-7-days"), kPeriodLast7Days);
  EXPECT_EQ(PeriodCodeOfName("5-minutes"), kPeriodFiveMinuteSteps);
  EXPECT_EQ(PeriodCodeOfName("280"), kPeriodLastHour);
  for (const char* bad : {"", "131", "custom", "Day", "281", "28O"}) EXPECT_FALSE(PeriodCodeOfName(bad)) << bad;
  // Every listed name reads back.
  const std::string names = PeriodNames();
  std::size_t start = 0;
  int count = 0;
  while (start < names.size()) {
    std::size_t end = names.find(", ", start);
    if (end == std::string::npos) end = names.size();
    EXPECT_TRUE(PeriodCodeOfName(names.substr(start, end - start))) << names.substr(start, end - start);
    ++count;
    start = end + 2;
  }
  EXPECT_EQ(count, 18);
}

}  // namespace
}  // namespace cli
