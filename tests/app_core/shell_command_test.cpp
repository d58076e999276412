#include "app_core/shell_command.h"

#include <gtest/gtest.h>

namespace {

TEST(ShellCommand, PlainStartsOpenAFileOrMakeANewDocument) {
  EXPECT_EQ(ParseShellCommand({}).action, TShellAction::NewDocument);
  // Switches that are not ours do not make a file.
  EXPECT_EQ(ParseShellCommand({u"/Embedding", u"-dde"}).action, TShellAction::NewDocument);
  const TShellCommand open = ParseShellCommand({u"/dde", u"C:\\data\\plant.xml", u"second.xml"});
  EXPECT_EQ(open.action, TShellAction::Open);
  EXPECT_EQ(open.file, u"C:\\data\\plant.xml");
  EXPECT_TRUE(open.printer.empty());
}

TEST(ShellCommand, PrintRequestsTakeTheFileAndTheNamedPrinter) {
  const TShellCommand print = ParseShellCommand({u"/P", u"plant.xml"});
  EXPECT_EQ(print.action, TShellAction::Print);
  EXPECT_EQ(print.file, u"plant.xml");

  // The switch may follow the file, in either case, with "-" as well as "/".
  const TShellCommand to =
      ParseShellCommand({u"plant.xml", u"-PT", u"Office Laser", u"winspool", u"Ne01:", u"extra"});
  EXPECT_EQ(to.action, TShellAction::PrintTo);
  EXPECT_EQ(to.file, u"plant.xml");
  EXPECT_EQ(to.printer, u"Office Laser");
  EXPECT_EQ(to.driver, u"winspool");
  EXPECT_EQ(to.port, u"Ne01:");

  // A request that names no printer still asks to print to one: the job then fails, it does not
  // quietly go to the default printer.
  const TShellCommand bare = ParseShellCommand({u"/pt", u"plant.xml"});
  EXPECT_EQ(bare.action, TShellAction::PrintTo);
  EXPECT_TRUE(bare.printer.empty());
}

}  // namespace
