#include "app/core/shell_command.h"

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

// The Start-menu shortcut and the document type's open command start the program with /PerUser:
// it goes with each request and is never the file.
TEST(ShellCommand, PerUserGoesWithEveryRequest) {
  EXPECT_FALSE(ParseShellCommand({u"plant.xml"}).per_user);
  const TShellCommand start = ParseShellCommand({u"/PerUser"});
  EXPECT_EQ(start.action, TShellAction::NewDocument);
  EXPECT_TRUE(start.per_user);
  const TShellCommand open = ParseShellCommand({u"/peruser", u"D:\\Plant data\\plant.xml"});
  EXPECT_EQ(open.action, TShellAction::Open);
  EXPECT_EQ(open.file, u"D:\\Plant data\\plant.xml");
  EXPECT_TRUE(open.per_user);
  const TShellCommand print = ParseShellCommand({u"-PerUser", u"/p", u"plant.xml"});
  EXPECT_EQ(print.action, TShellAction::Print);
  EXPECT_TRUE(print.per_user);
}

}  // namespace
