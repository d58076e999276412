#include "document/varnel_doc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_test_support.h"

namespace {

using namespace doc_test;

class VarnelDocTest : public DocTest {
 protected:
  // Two servers: A with items a1, a2 and B with b1, b2, b3.
  static TVarnelDoc TwoServers() {
    TVarnelDoc doc;
    ConnectionInfo a;
    static_cast<HdaServerDef&>(a) = Server(u"", u"A");
    a.ItemNames = {u"a1", u"a2"};
    ConnectionInfo b;
    static_cast<HdaServerDef&>(b) = Server(u"host", u"B");
    b.ItemNames = {u"b1", u"b2", u"b3"};
    doc.Connections = {a, b};
    for (const char16_t* item : {u"a1", u"a2", u"b1", u"b2", u"b3"}) {
      TWave wave;
      wave.ItemName = item;
      doc.Waves.push_back(wave);
    }
    return doc;
  }
  static std::vector<std::u16string> WaveItems(const TVarnelDoc& doc) {
    std::vector<std::u16string> items;
    for (const TWave& wave : doc.Waves) items.push_back(Text(wave.ItemName));
    return items;
  }
};

TEST_F(VarnelDocTest, NewDocumentShowsTodayUpToNow) {
  SetLocalOffsetForTesting(kCetOffsetMs);
  SetClock(Local(2024, 3, 31, 15, 20, 5, 250));
  TVarnelDoc doc;
  EXPECT_EQ(doc.Period, kPeriodDay);
  EXPECT_FALSE(doc.Locked);
  EXPECT_TRUE(doc.Live);
  EXPECT_EQ(doc.StartTime, Local(2024, 3, 31));
  EXPECT_EQ(doc.StopTime, Local(2024, 3, 31, 15, 20, 5, 250));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.ItemCount(), 0u);
}

TEST_F(VarnelDocTest, UsesConnectionWhenOneServerIsOpen) {
  struct Case {
    std::vector<HdaServerDef> open;
    bool uses;
  } const cases[] = {
      {{}, false},
      {{Server(u"", u"B")}, false},  // B runs on "host"
      {{Server(u"host", u"b")}, false},
      {{Server(u"x", u"y"), Server(u"host", u"B")}, true},
      {{Server(u"", u"A")}, true},
  };
  const TVarnelDoc doc = TwoServers();
  for (const Case& c : cases) {
    FakeConnections connections;
    for (const HdaServerDef& s : c.open) connections.Open(s);
    EXPECT_EQ(doc.UsesConnection(connections), c.uses) << c.open.size();
  }
  EXPECT_EQ(doc.ItemCount(), 5u);
}

TEST_F(VarnelDocTest, FindOrAddConnectionAddsOnlyNewServers) {
  TVarnelDoc doc = TwoServers();
  ConnectionInfo given;
  static_cast<HdaServerDef&>(given) = Server(u"host", u"B");
  given.ItemNames = {u"ignored"};
  EXPECT_EQ(&doc.FindOrAddConnection(given), &doc.Connections[1]);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.Connections[1].ItemNames.size(), 3u);

  static_cast<HdaServerDef&>(given) = Server(u"host", u"C");
  given.ReconnectAtStartup = true;
  ConnectionInfo& added = doc.FindOrAddConnection(given);
  EXPECT_EQ(&added, &doc.Connections.back());
  EXPECT_EQ(doc.Connections.size(), 3u);
  EXPECT_TRUE(added.SameServer(given));
  EXPECT_TRUE(added.ReconnectAtStartup);
  EXPECT_TRUE(added.ItemNames.empty());
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(VarnelDocTest, RemoveItemTakesItsWaveAlong) {
  struct Case {
    std::size_t connection;
    const char16_t* item;
    std::vector<std::u16string> waves;
  } const cases[] = {
      {0, u"a1", {u"a2", u"b1", u"b2", u"b3"}},
      {1, u"b2", {u"a1", u"a2", u"b1", u"b3"}},
      {1, u"b3", {u"a1", u"a2", u"b1", u"b2"}},
      {0, u"b1", {u"a1", u"a2", u"b1", u"b2", u"b3"}},  // not on that server
      {2, u"b1", {u"a1", u"a2", u"b1", u"b2", u"b3"}},  // no such connection
  };
  for (const Case& c : cases) {
    TVarnelDoc doc = TwoServers();
    doc.SetModified(false);
    doc.RemoveItem(c.connection, c.item);
    EXPECT_EQ(WaveItems(doc), c.waves) << Ascii(c.item);
    EXPECT_EQ(doc.ItemCount(), c.waves.size()) << Ascii(c.item);
    // A removal must be saved, also when no server of the document is open to re-read it.
    EXPECT_EQ(doc.IsModified(), c.waves.size() == 4) << Ascii(c.item);
  }
  // The first of two equal names goes; a document with fewer waves than items loses no other.
  TVarnelDoc doc = TwoServers();
  doc.Connections[1].ItemNames = {u"b1", u"b2", u"b1"};
  doc.Waves.resize(2);
  doc.RemoveItem(1, u"b1");
  EXPECT_EQ(doc.Connections[1].ItemNames, (std::vector<TString>{u"b2", u"b1"}));
  EXPECT_EQ(WaveItems(doc), (std::vector<std::u16string>{u"a1", u"a2"}));
}

TEST_F(VarnelDocTest, RebuildWavesReadsOpenServersAndKeepsTheOthers) {
  TVarnelDoc doc = TwoServers();
  doc.StartTime = 10000;
  doc.StopTime = 13000;
  doc.Waves[2].T = {1, 2};  // b1, as loaded from a file
  doc.Waves[2].Y = {5, 6};
  doc.Waves.resize(3);  // b2 and b3 missing
  FakeConnections connections;
  connections.Open(Server(u"other", u"X"));
  connections.Open(Server(u"", u"A"));
  doc.RebuildWaves(connections);

  ASSERT_EQ(doc.Waves.size(), 5u);
  EXPECT_EQ(WaveItems(doc), (std::vector<std::u16string>{u"a1", u"a2", u"b1", u"b2", u"b3"}));
  EXPECT_EQ(Text(doc.Waves[4].MachineName), u"host");
  EXPECT_EQ(Text(doc.Waves[4].ServerName), u"B");
  ASSERT_EQ(connections.reads.size(), 2u);
  for (const FakeConnections::Read& read : connections.reads) {
    EXPECT_EQ(read.connection, 1u);
    EXPECT_EQ(read.start, 10000);
    EXPECT_EQ(read.stop, 13000);
  }
  EXPECT_EQ(doc.Waves[0].T, (std::vector<double>{10000, 11000, 12000}));
  EXPECT_EQ(doc.Waves[1].Y, (std::vector<double>{11, 12, 13}));
  EXPECT_EQ(doc.Waves[2].Y, (std::vector<double>{5, 6}));  // B is not connected
  EXPECT_TRUE(doc.Waves[3].T.empty());
  EXPECT_TRUE(doc.IsModified());

  // Items removed meanwhile: surplus waves go; without an open server nothing is marked.
  doc.SetModified(false);
  doc.Connections.pop_back();
  FakeConnections none;
  doc.RebuildWaves(none);
  EXPECT_EQ(WaveItems(doc), (std::vector<std::u16string>{u"a1", u"a2"}));
  EXPECT_EQ(doc.Waves[1].Y, (std::vector<double>{11, 12, 13}));
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(VarnelDocTest, ServerGoneDuringTheRebuildFailsItsOtherItemsAndNoOtherServerStandsIn) {
  // A shuts down while a1 is read, and goes when that read is over: B moves up to A's place.
  TVarnelDoc doc = TwoServers();
  doc.Connections[0].ItemNames = {u"a1", u"a2", u"a3"};
  doc.Waves.insert(doc.Waves.begin() + 2, TWave());
  for (TWave& wave : doc.Waves) {
    wave.T = {1};
    wave.Y = {-1};
  }
  doc.StartTime = 10000;
  doc.StopTime = 12000;
  FakeConnections connections;
  connections.Open(Server(u"", u"A"));
  connections.Open(Server(u"host", u"B"));
  connections.afterRead = [&](const FakeConnections::Read& read) {
    if (read.item == u"a1") connections.Close(0);
  };
  doc.RebuildWaves(connections);

  std::vector<std::size_t> readThrough;
  for (const FakeConnections::Read& read : connections.reads)
    readThrough.push_back(read.connection);
  const std::size_t closed = FakeConnections::kClosed;
  EXPECT_EQ(readThrough, (std::vector<std::size_t>{0, closed, closed, 1, 1, 1}));
  EXPECT_EQ(doc.Waves[0].Y, (std::vector<double>{10, 11}));
  for (std::size_t i : {1, 2}) {
    EXPECT_EQ(doc.Waves[i].Y, std::vector<double>{-1}) << i;  // kept, as for a server not open
    EXPECT_EQ(Text(doc.Waves[i].ServerName), u"A") << i;
  }
  for (std::size_t i : {3, 4, 5}) EXPECT_EQ(doc.Waves[i].Y, (std::vector<double>{11, 12})) << i;
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(VarnelDocTest, FailedReadsKeepTheWave) {
  TVarnelDoc doc;
  ConnectionInfo info;
  info.ServerName = u"A";
  info.ItemNames = {u"Unknown", u"Text.1"};
  doc.Connections = {info};
  doc.Waves.resize(2);
  doc.Waves[0].T = {1};
  doc.Waves[0].Y = {2};
  doc.StartTime = 0;
  doc.StopTime = 2000;
  FakeConnections connections;
  connections.Open(Server(u"", u"A"));
  doc.RebuildWaves(connections);
  EXPECT_EQ(doc.Waves[0].Y, std::vector<double>{2});
  ASSERT_EQ(doc.Waves[1].S.size(), 2u);
  EXPECT_EQ(Text(doc.Waves[1].S[1]), u"v1");
}

TEST_F(VarnelDocTest, FileNamesGetTheDocumentExtension) {
  struct Case {
    const char16_t* typed;
    const char16_t* expected;
  } const cases[] = {
      {u"report", u"report.xml"},
      {u"report.txt", u"report.xml"},
      {u"report.xml", u"report.xml"},
      {u"report.", u"report.xml"},
      {u"report.v2.txt", u"report.v2.xml"},
      {u"C:\\data.2024\\report", u"C:\\data.2024\\report.xml"},
      {u"C:\\data.2024\\report.txt", u"C:\\data.2024\\report.xml"},
      {u"C:/data.2024/report", u"C:/data.2024/report.xml"},
      {u"\\\\server\\share.d\\", u"\\\\server\\share.d\\.xml"},
      {u"", u".xml"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text(DocumentFileName(c.typed)), c.expected) << Ascii(c.typed);
  }
}

}  // namespace
