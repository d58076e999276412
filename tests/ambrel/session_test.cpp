// Connecting to the simulator through the real proxy/stub: the creation paths and their reports,
// the interface queries in order, and what every per-server export does with a handle that names
// no session.
#include <comcat.h>

#include <cwchar>
#include <string>
#include <vector>

#include "tests/ambrel/ambrel_test_support.h"
#include "tests/ambrel/registry_setup.h"

namespace ambrel_test {
namespace {

// The step names of the traces, without their HRESULT part.
std::vector<std::string> StepsOf(const std::vector<std::string>& traces) {
  std::vector<std::string> steps;
  for (const std::string& trace : traces) {
    const auto at = trace.find(" HRESULT = 0x");
    steps.push_back(at == std::string::npos ? trace : trace.substr(0, at));
  }
  return steps;
}

std::string TraceOf(const std::string& step) {
  for (const std::string& trace : Traces()) {
    if (trace.rfind(step + " HRESULT = 0x", 0) == 0) return trace;
  }
  return {};
}

void __stdcall IgnoreShutdown(AMBREL_SESSION) {}

TEST(AmbrelRevision, Is259) { EXPECT_EQ(AmbrelRevision(), 259); }

struct ConnectCase {
  const char* server;
  bool has_update;
  bool has_container;
};

class ConnectTraces : public ::testing::TestWithParam<ConnectCase> {};

TEST_P(ConnectTraces, FollowTheQueryOrderAndReportWhatIsMissing) {
  const ConnectCase& c = GetParam();
  ClearReports();
  Session session(c.server);
  ASSERT_NE(session.Get(), AMBREL_NO_SESSION);
  EXPECT_NE(session.Get(), 0);
  EXPECT_TRUE(Errors().empty());

  std::vector<std::string> expected = {"CLSIDFromProgID",
                                       "CoGetClassObject",
                                       "CreateInstance",
                                       "OPCServer->QueryInterface(IID_IOPCHDA_Server)",
                                       "OPCServer->QueryInterface(IID_IOPCCommon)",
                                       "OPCServer->QueryInterface(IID_IOPCHDA_SyncRead)",
                                       "OPCServer->QueryInterface(IID_IOPCHDA_SyncUpdate)",
                                       "OPCServer->QueryInterface(IID_IOPCHDA_AsyncRead)",
                                       "OPCServer->QueryInterface(IID_IConnectionPointContainer)"};
  if (c.has_container) {
    expected.push_back("IConnectionPointContainer->FindConnectionPoint (IID_IOPCShutdown)");
    expected.push_back("ConnectionPoint->Advise (IID_IOPCShutdown)");
  }
  EXPECT_EQ(StepsOf(Traces()), expected);

  EXPECT_EQ(TraceOf("CoGetClassObject"), "CoGetClassObject HRESULT = 0x00000000");
  EXPECT_EQ(TraceOf("OPCServer->QueryInterface(IID_IOPCHDA_SyncUpdate)"),
            std::string("OPCServer->QueryInterface(IID_IOPCHDA_SyncUpdate) HRESULT = 0x") +
                (c.has_update ? "00000000" : "80004002"));
  EXPECT_EQ(TraceOf("OPCServer->QueryInterface(IID_IConnectionPointContainer)"),
            std::string("OPCServer->QueryInterface(IID_IConnectionPointContainer) HRESULT = 0x") +
                (c.has_container ? "00000000" : "80004002"));
}

INSTANTIATE_TEST_SUITE_P(Servers, ConnectTraces,
                         ::testing::Values(ConnectCase{kFullServer, true, true},
                                           ConnectCase{kReadOnlyServer, false, true},
                                           ConnectCase{kNoShutdownServer, true, false}));

struct FailedConnect {
  const char* machine;
  const char* prog_id;
  HRESULT hr;
  const char* text;
};

class ConnectFailures : public ::testing::TestWithParam<FailedConnect> {};

TEST_P(ConnectFailures, ReturnMinusOneWithTheExactReport) {
  const FailedConnect& c = GetParam();
  ClearReports();
  const AMBREL_SESSION session = ConnectHDA(c.machine, c.prog_id);
  EXPECT_EQ(session, AMBREL_NO_SESSION);
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].hr, c.hr);
  EXPECT_EQ(Errors()[0].text, c.text);
}

// Wine cannot activate on another machine: CoCreateInstanceEx with CLSCTX_REMOTE_SERVER fails
// with REGDB_E_CLASSNOTREG at once.
INSTANTIATE_TEST_SUITE_P(
    Reports, ConnectFailures,
    ::testing::Values(
        FailedConnect{"", "No.Such.Server", static_cast<HRESULT>(0x800401F3),
                      "CLSIDFromProgID failed for No.Such.Server\n"},
        FailedConnect{"", "", static_cast<HRESULT>(0x800401F3), "CLSIDFromProgID failed for \n"},
        FailedConnect{"ANOTHERHOST", "No.Such.Server", static_cast<HRESULT>(0x800401F3),
                      "CLSIDFromProgID failed for No.Such.Server (800401f3)\n"},
        FailedConnect{"ANOTHERHOST", kFullServer, static_cast<HRESULT>(0x80040154),
                      "CoCreateInstanceEx - failed for node:ANOTHERHOST ProgID:Varnel.HdaSim.1 "
                      "(80040154)\n"},
        // The simulator's class whose factory refuses every object.
        FailedConnect{"", kUnlicensedServer, CLASS_E_NOTLICENSED,
                      "Error from CreateInstance (80040112)\n"}));

// ProgIDs set up in the prefix's registry for the local creation steps no server can fail: one
// names a class nobody registered, one a class that is no OPC HDA server.
struct ProgIdCase {
  const wchar_t* prog_id;
  CLSID clsid;
  HRESULT hr;
  const char* text;
  std::vector<std::string> traces;
};

class ProgIdFailures : public ::testing::TestWithParam<ProgIdCase> {};

TEST_P(ProgIdFailures, ReturnMinusOneWithTheExactReportAndTraces) {
  const ProgIdCase& c = GetParam();
  RegisteredProgId prog_id(c.prog_id, c.clsid);
  ASSERT_TRUE(prog_id.Registered());
  const std::string narrow(c.prog_id, c.prog_id + std::wcslen(c.prog_id));
  ClearReports();
  EXPECT_EQ(ConnectHDA("", narrow.c_str()), AMBREL_NO_SESSION);
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].hr, c.hr);
  EXPECT_EQ(Errors()[0].text, c.text);
  EXPECT_EQ(Traces(), c.traces);
}

const CLSID kUnregisteredClass = {
    0x14204900, 0x3861, 0x468B, {0xAA, 0x94, 0x74, 0x81, 0x58, 0x17, 0x6C, 0x6C}};

INSTANTIATE_TEST_SUITE_P(
    Registry, ProgIdFailures,
    ::testing::Values(
        ProgIdCase{
            L"Varnel.Test.NoServer",
            kUnregisteredClass,
            static_cast<HRESULT>(0x80040154),
            "CoGetClassObject- no InProc or Local server for (80040154)\n",
            {"CLSIDFromProgID HRESULT = 0x00000000", "CoGetClassObject HRESULT = 0x80040154"}},
        ProgIdCase{L"Varnel.Test.NotAnHdaServer",
                   CLSID_StdComponentCategoriesMgr,
                   E_NOINTERFACE,
                   "QueryInterface (IID_IOPCHDA_Server) Failed",
                   {"CLSIDFromProgID HRESULT = 0x00000000", "CoGetClassObject HRESULT = 0x00000000",
                    "CreateInstance HRESULT = 0x00000000",
                    "OPCServer->QueryInterface(IID_IOPCHDA_Server) HRESULT = 0x80004002"}}));

TEST(ConnectHDA, HandlesAreDistinctAndNeverReused) {
  AMBREL_SESSION first = AMBREL_NO_SESSION;
  {
    Session a(kFullServer);
    Session b(kFullServer);
    ASSERT_NE(a.Get(), AMBREL_NO_SESSION);
    ASSERT_NE(b.Get(), AMBREL_NO_SESSION);
    EXPECT_NE(a.Get(), b.Get());
    first = a.Get();
  }
  Session c(kFullServer);
  ASSERT_NE(c.Get(), AMBREL_NO_SESSION);
  EXPECT_NE(c.Get(), first);
}

// Every per-server export with a handle that names no session: its failure value, no report.
TEST(UnknownSession, EveryExportFailsQuietly) {
  AMBREL_SESSION stale = AMBREL_NO_SESSION;
  {
    Session session(kFullServer);
    ASSERT_NE(session.Get(), AMBREL_NO_SESSION);
    stale = session.Get();
    EXPECT_EQ(DisconnectHDA(session.Get()), TRUE);
    session.Forget();
  }
  const FILETIME start = Utc(2020, 6, 1);
  const FILETIME end = Utc(2020, 6, 1, 0, 1);
  for (const AMBREL_SESSION handle :
       {AMBREL_NO_SESSION, AMBREL_SESSION{0}, stale, stale + 1000, AMBREL_SESSION{0x7FFFFFFF}}) {
    SCOPED_TRACE(handle);
    ClearReports();
    char name[16] = "untouched";
    DWORD id = 77;
    VARTYPE type = 77;
    FILETIME times[4] = {};
    Variants values(4);
    DWORD qualities[4] = {};
    LONG vb_qualities[4] = {};
    DATE dates[4] = {};
    DATE from = 43983.0, to = 43984.0;
    LONG seconds = 10;
    HRESULT results[1] = {12345};
    const DWORD quality = 0xC0;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R8;
    value.dblVal = 1;
    const DATE date = 43983.0;
    const LONG vb_quality = 0xC0;

    EXPECT_EQ(NumberOfHDAItems(handle), 0u);
    EXPECT_EQ(GetHDAItemName(handle, 0, name, sizeof name), FALSE);
    EXPECT_EQ(GetHDAItemHandle(handle, "Waves/Ramp 1s", 1), AMBREL_NO_ITEM);
    EXPECT_EQ(ReleaseHDAItemHandle(handle, 1), FALSE);
    EXPECT_EQ(NumberOfHDAAttributes(handle), 0u);
    EXPECT_EQ(GetHDAAttributeDescr(handle, 0, &id, &type, name, sizeof name, name, sizeof name),
              FALSE);
    EXPECT_EQ(NumberOfHDAAggregates(handle), 0u);
    EXPECT_EQ(GetHDAAggregateDescr(handle, 0, &id, name, sizeof name, name, sizeof name), FALSE);
    EXPECT_EQ(ReadHDAItemAttributes(handle, 1, 2, start.dwLowDateTime, start.dwHighDateTime,
                                    end.dwLowDateTime, end.dwHighDateTime, 4, times, values.data()),
              0u);
    EXPECT_EQ(ReadHDAItemValues(handle, 1, FALSE, start.dwLowDateTime, start.dwHighDateTime,
                                end.dwLowDateTime, end.dwHighDateTime, 4, times, values.data(),
                                qualities),
              0u);
    EXPECT_EQ(ReadHDAProcessedItemValues(handle, 1, 3, start.dwLowDateTime, start.dwHighDateTime,
                                         end.dwLowDateTime, end.dwHighDateTime, 100000000, 0, 4,
                                         times, values.data(), qualities),
              0u);
    EXPECT_EQ(WriteHDAItemValues(handle, 1, 1, 1, &start, &value, &quality, results),
              static_cast<HRESULT>(0x80040200));
    EXPECT_EQ(results[0], 12345);
    DWORD status = 0;
    WORD major = 0, minor = 0, build = 0;
    EXPECT_EQ(GetHDASvrStatus(handle, &status, times, times + 1, &major, &minor, &build, &id, name,
                              sizeof name, name, sizeof name),
              FALSE);
    EXPECT_EQ(EnableHDAShutdownNotification(handle, &IgnoreShutdown), FALSE);
    EXPECT_EQ(ReadHDAItemAttributesVB(handle, 1, 2, &from, &to, 4, dates, values.data()), 0u);
    EXPECT_EQ(
        ReadHDAItemValuesVB(handle, 1, FALSE, &from, &to, 4, dates, values.data(), vb_qualities),
        0u);
    EXPECT_EQ(ReadHDAProcessedItemValuesVB(handle, 1, 3, &from, &to, &seconds, 4, dates,
                                           values.data(), vb_qualities),
              0u);
    EXPECT_EQ(WriteHDAItemValuesVB(handle, 1, 1, 1, &date, &value, &vb_quality, results),
              static_cast<HRESULT>(0x80040200));
    EXPECT_EQ(DisconnectHDA(handle), FALSE);

    EXPECT_STREQ(name, "untouched");
    EXPECT_EQ(id, 77u);
    EXPECT_TRUE(Errors().empty());
  }
}

}  // namespace
}  // namespace ambrel_test
