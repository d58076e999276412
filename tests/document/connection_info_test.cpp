#include "document/connection_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_test_support.h"
#include "xml/xml_doc.h"

namespace {

using doc_test::Text;

std::u16string Written(std::unique_ptr<TXmlNode> element) {
  TXmlDoc doc;
  doc.SetHeader(u"");
  doc.SetRoot(element.release());
  TString text;
  doc.FillString(text, true);
  return Text(text);
}

std::vector<std::u16string> Names(const ConnectionInfo& info) {
  std::vector<std::u16string> names;
  for (const TString& name : info.ItemNames) names.push_back(Text(name));
  return names;
}

TEST(ConnectionInfo, ElementsAreWrittenInTheirOrder) {
  ConnectionInfo info;
  info.MachineName = u"plant<2>";
  info.ServerName = u"Sim.Hda.1";
  info.ReconnectAtStartup = true;
  ASSERT_TRUE(info.AddItemName(u"Area.Tank & Pump"));
  ASSERT_TRUE(info.AddItemName(u"B"));
  EXPECT_EQ(Written(ConnectionInfoElement(info)),
            u"\r\n<ConnectionInfo>"
            u"\r\n\t<HdaServerDef>"
            u"\r\n\t\t<MachineName>plant&lt;2&gt;</MachineName>"
            u"\r\n\t\t<ServerName>Sim.Hda.1</ServerName>"
            u"\r\n\t\t<ReconnectAtStartup>1</ReconnectAtStartup>"
            u"\r\n\t</HdaServerDef>"
            u"\r\n\t<ItemNames>"
            u"\r\n\t\t<ItemNo>2</ItemNo>"
            u"\r\n\t\t<ItemName>Area.Tank &amp; Pump</ItemName>"
            u"\r\n\t\t<ItemName>B</ItemName>"
            u"\r\n\t</ItemNames>"
            u"\r\n</ConnectionInfo>");
}

TEST(ConnectionInfo, ReadsBackWhatWasWritten) {
  ConnectionInfo info;
  info.MachineName = u"10.0.0.7";
  info.ServerName = u"Sim.Hda.2";
  for (const char16_t* name : {u"a<b", u"", u"  spaced  ", u"Gr\u00FC\u00DFe.Temp"}) {
    info.ItemNames.push_back(name);
  }
  for (bool reconnect : {false, true}) {
    info.ReconnectAtStartup = reconnect;
    const std::u16string text = Written(ConnectionInfoElement(info));
    ConnectionInfo read;
    std::size_t position = 0;
    ASSERT_FALSE(ReadConnectionInfo(read, text.c_str(), position));
    EXPECT_EQ(position, text.size());
    EXPECT_TRUE(read.SameServer(info));
    EXPECT_EQ(read.ReconnectAtStartup, reconnect);
    EXPECT_EQ(Names(read), Names(info));
  }
}

TEST(ConnectionInfo, ReadingIsTolerant) {
  struct Case {
    const char16_t* name;
    const char16_t* text;
    bool reconnect;
    std::vector<std::u16string> items;
  } const cases[] = {
      {u"no ReconnectAtStartup",
       u"<ConnectionInfo><HdaServerDef><MachineName>m</MachineName><ServerName>s</ServerName>"
       u"</HdaServerDef></ConnectionInfo>",
       false,
       {}},
      {u"ItemNo is not trusted",
       u"<ConnectionInfo><HdaServerDef><ReconnectAtStartup>-5</ReconnectAtStartup></HdaServerDef>"
       u"<ItemNames><ItemNo>7</ItemNo><ItemName>x</ItemName><ItemName>y</ItemName></ItemNames>"
       u"</ConnectionInfo>",
       true,
       {u"x", u"y"}},
      {u"item names outside ItemNames are not items",
       u"<ConnectionInfo><ItemName>stray</ItemName><ItemNames/></ConnectionInfo>",
       false,
       {}},
  };
  for (const Case& c : cases) {
    ConnectionInfo read;
    read.ReconnectAtStartup = true;  // a read starts from the defaults
    read.ItemNames.push_back(u"old");
    std::size_t position = 0;
    ASSERT_FALSE(ReadConnectionInfo(read, c.text, position)) << Text(c.name).size();
    EXPECT_EQ(read.ReconnectAtStartup, c.reconnect) << doc_test::Ascii(c.name);
    EXPECT_EQ(Names(read), c.items) << doc_test::Ascii(c.name);
  }
}

TEST(ConnectionInfo, ReadersWalkListsAndReportTheEnd) {
  const std::u16string text =
      u"<Connections><ConnectionInfo><HdaServerDef><ServerName>A</ServerName></HdaServerDef>"
      u"<ItemNames><ItemName>a1</ItemName></ItemNames></ConnectionInfo>"
      u"<ConnectionInfo><HdaServerDef><ServerName>B</ServerName></HdaServerDef>"
      u"<ItemNames><ItemName>b1</ItemName><ItemName>b2</ItemName></ItemNames></ConnectionInfo>"
      u"</Connections>";
  std::vector<ConnectionInfo> read;
  std::size_t position = 0;
  ConnectionInfo info;
  while (!ReadConnectionInfo(info, text.c_str(), position)) read.push_back(info);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(Text(read[0].ServerName), u"A");
  EXPECT_EQ(Names(read[0]), std::vector<std::u16string>{u"a1"});
  EXPECT_EQ(Text(read[1].ServerName), u"B");
  EXPECT_EQ(Names(read[1]), (std::vector<std::u16string>{u"b1", u"b2"}));

  const std::size_t end = position;
  EXPECT_TRUE(ReadConnectionInfo(info, text.c_str(), position));
  EXPECT_EQ(position, end);

  HdaServerDef server = doc_test::Server(u"keep", u"keep");
  position = 0;
  EXPECT_TRUE(ReadHdaServerDef(server, u"<ServerName>x</ServerName>", position));
  EXPECT_EQ(Text(server.ServerName), u"keep");
  EXPECT_FALSE(ReadHdaServerDef(server, u"<HdaServerDef><ServerName>x</ServerName></HdaServerDef>",
                                position));
  EXPECT_EQ(Text(server.MachineName), u"keep");  // a missing leaf keeps its value
  EXPECT_EQ(Text(server.ServerName), u"x");
}

TEST(ConnectionInfo, SameServerAndItemNamesCompareExactly) {
  EXPECT_TRUE(doc_test::Server(u"m", u"s").SameServer(doc_test::Server(u"m", u"s")));
  EXPECT_FALSE(doc_test::Server(u"m", u"s").SameServer(doc_test::Server(u"M", u"s")));
  EXPECT_FALSE(doc_test::Server(u"m", u"s").SameServer(doc_test::Server(u"m", u"s ")));
  EXPECT_FALSE(doc_test::Server(u"", u"ms").SameServer(doc_test::Server(u"m", u"s")));

  ConnectionInfo info;
  EXPECT_TRUE(info.AddItemName(u"a"));
  EXPECT_FALSE(info.AddItemName(u"a"));
  EXPECT_TRUE(info.AddItemName(u"A"));
  EXPECT_TRUE(info.AddItemName(u"a "));
  EXPECT_EQ(Names(info), (std::vector<std::u16string>{u"a", u"A", u"a "}));
}

}  // namespace
