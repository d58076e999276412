// Writes: the checks before any server call, in their order, and the server's per-value codes.
#include <vector>

#include "opc/opc_constants.h"
#include "tests/ambrel/ambrel_test_support.h"

namespace ambrel_test {
namespace {

VARIANT Real(double value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_R8;
  v.dblVal = value;
  return v;
}

// Forgets every value written to the simulator so far.
void ResetWrites(AMBREL_SESSION session) {
  Item reset(session, "Control/Reset");
  ASSERT_NE(reset.Get(), AMBREL_NO_ITEM);
  const FILETIME now = Utc(2021, 1, 1);
  const VARIANT value = Real(1);
  const DWORD quality = 0xC0;
  const HRESULT hr = WriteHDAItemValues(session, reset.Get(), AMBREL_EDIT_INSERT_REPLACE, 1, &now,
                                        &value, &quality, nullptr);
  ASSERT_TRUE(SUCCEEDED(hr)) << std::hex << hr;
}

struct CheckCase {
  const char* server;
  DWORD edit_type;
  DWORD count;
  HRESULT expected;
};

class WriteChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(WriteChecks, ComeInOrder) {
  const CheckCase& c = GetParam();
  Session session(c.server);
  ASSERT_NE(session.Get(), AMBREL_NO_SESSION);
  Item item(session.Get(), "Writable/Empty R8");
  // The empty server has no item to name; no case gets as far as handing the handle over.
  const DWORD handle = item.Get() != AMBREL_NO_ITEM ? item.Get() : 1;
  const FILETIME times[2] = {Utc(2019, 1, 1), Utc(2019, 1, 2)};
  const VARIANT values[2] = {Real(1), Real(2)};
  const DWORD qualities[2] = {0xC0, 0xC0};
  HRESULT results[2] = {77, 77};
  ClearReports();
  EXPECT_EQ(WriteHDAItemValues(session.Get(), handle, c.edit_type, c.count, times, values,
                               qualities, results),
            c.expected);
  EXPECT_EQ(results[0], 77) << "no server call, no per-value result";
  // The automation variant goes through the same checks.
  const DATE dates[2] = {43466.0, 43467.0};  // 2019-01-01 and 2019-01-02
  const LONG long_qualities[2] = {0xC0, 0xC0};
  EXPECT_EQ(WriteHDAItemValuesVB(session.Get(), handle, c.edit_type, c.count, dates, values,
                                 long_qualities, results),
            c.expected);
  EXPECT_EQ(results[0], 77);
  EXPECT_TRUE(Errors().empty());
}

constexpr HRESULT kInvalidArg = static_cast<HRESULT>(0x80070057);
constexpr HRESULT kNoInterface = static_cast<HRESULT>(0x80004002);
constexpr HRESULT kNotImpl = static_cast<HRESULT>(0x80004001);

INSTANTIATE_TEST_SUITE_P(
    Orders, WriteChecks,
    ::testing::Values(
        // A count of 0 and an edit type above 4 are refused before the interface is looked at.
        CheckCase{kReadOnlyServer, 1, 0, kInvalidArg},
        CheckCase{kReadOnlyServer, 5, 1, kInvalidArg},
        CheckCase{kReadOnlyServer, 1, 1, kNoInterface},
        CheckCase{kReadOnlyServer, 0, 1, kNoInterface},
        CheckCase{kReadOnlyServer, 3, 1, kNoInterface}, CheckCase{kFullServer, 0, 1, kNotImpl},
        CheckCase{kFullServer, 3, 1, kInvalidArg}, CheckCase{kFullServer, 4, 0, kInvalidArg},
        CheckCase{kFullServer, 0xFFFFFFFF, 1, kInvalidArg},
        // A server that can do no edit: the capabilities are asked before edit type 3 is refused.
        CheckCase{kEmptyServer, 1, 0, kInvalidArg}, CheckCase{kEmptyServer, 5, 1, kInvalidArg},
        CheckCase{kEmptyServer, 1, 1, kNotImpl}, CheckCase{kEmptyServer, 2, 1, kNotImpl},
        CheckCase{kEmptyServer, 4, 1, kNotImpl}, CheckCase{kEmptyServer, 0, 1, kNotImpl},
        CheckCase{kEmptyServer, 3, 1, kNotImpl}));

class Writes : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(session_.Get(), AMBREL_NO_SESSION);
    ResetWrites(session_.Get());
  }
  Session session_{kFullServer};
};

// "Writable/Sine 10s" has a value every 10 s: an insert at a full 10 s collides.
TEST_F(Writes, ThreeValuesWithTheSecondRejected) {
  Item sine(session_.Get(), "Writable/Sine 10s");
  ASSERT_NE(sine.Get(), AMBREL_NO_ITEM);
  const std::uint64_t base = Ticks(Utc(2020, 6, 1));
  const FILETIME times[3] = {FromTicks(base + 5 * kSecond), FromTicks(base + 10 * kSecond),
                             FromTicks(base + 15 * kSecond)};
  const VARIANT values[3] = {Real(1.5), Real(2.5), Real(3.5)};
  const DWORD qualities[3] = {0xC0, 0xC0, 0xC0};
  HRESULT results[3] = {};
  EXPECT_EQ(WriteHDAItemValues(session_.Get(), sine.Get(), AMBREL_EDIT_INSERT, 3, times, values,
                               qualities, results),
            S_FALSE);
  EXPECT_EQ(results[0], S_OK);
  EXPECT_EQ(results[1], OPC_E_DATAEXISTS);
  EXPECT_EQ(results[2], S_OK);

  // The two inserted values are in the history now, between the generated ones.
  FILETIME read_times[8];
  Variants read_values(8);
  DWORD read_qualities[8];
  const FILETIME end = FromTicks(base + 20 * kSecond);
  const FILETIME start = FromTicks(base);
  ASSERT_EQ(ReadHDAItemValues(session_.Get(), sine.Get(), FALSE, start.dwLowDateTime,
                              start.dwHighDateTime, end.dwLowDateTime, end.dwHighDateTime, 8,
                              read_times, read_values.data(), read_qualities),
            4u);
  EXPECT_EQ(Ticks(read_times[1]), base + 5 * kSecond);
  EXPECT_DOUBLE_EQ(read_values[1].dblVal, 1.5);
  EXPECT_EQ(Ticks(read_times[3]), base + 15 * kSecond);
  EXPECT_DOUBLE_EQ(read_values[3].dblVal, 3.5);
}

TEST_F(Writes, ReplaceOfNothingAndInsertReplaceCodes) {
  Item store(session_.Get(), "Writable/Empty R8");
  ASSERT_NE(store.Get(), AMBREL_NO_ITEM);
  const FILETIME time = Utc(2020, 6, 1, 12);
  const VARIANT value = Real(7);
  const DWORD quality = 0xC0;
  HRESULT result = 77;
  EXPECT_EQ(WriteHDAItemValues(session_.Get(), store.Get(), AMBREL_EDIT_REPLACE, 1, &time, &value,
                               &quality, &result),
            S_FALSE);
  EXPECT_EQ(result, OPC_E_NODATAEXISTS);
  EXPECT_EQ(WriteHDAItemValues(session_.Get(), store.Get(), AMBREL_EDIT_INSERT_REPLACE, 1, &time,
                               &value, &quality, &result),
            S_FALSE);
  EXPECT_EQ(result, OPC_S_INSERTED);
  // Without a result array the call still reports its HRESULT.
  EXPECT_EQ(WriteHDAItemValues(session_.Get(), store.Get(), AMBREL_EDIT_INSERT_REPLACE, 1, &time,
                               &value, &quality, nullptr),
            S_FALSE);
  EXPECT_EQ(WriteHDAItemValues(session_.Get(), store.Get(), AMBREL_EDIT_REPLACE, 1, &time, &value,
                               &quality, &result),
            S_OK);
  EXPECT_EQ(result, S_OK);
}

TEST_F(Writes, TextValuesAreCopiedNotTaken) {
  Item store(session_.Get(), "Writable/Empty text");
  ASSERT_NE(store.Get(), AMBREL_NO_ITEM);
  const FILETIME time = Utc(2020, 6, 1, 12);
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocString(L"written");
  const DWORD quality = 0xC0;
  HRESULT result = 77;
  EXPECT_EQ(WriteHDAItemValues(session_.Get(), store.Get(), AMBREL_EDIT_INSERT, 1, &time, &value,
                               &quality, &result),
            S_OK);
  // Still ours and intact.
  EXPECT_EQ(std::wstring(value.bstrVal), L"written");
  VariantClear(&value);
}

}  // namespace
}  // namespace ambrel_test
