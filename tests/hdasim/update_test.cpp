// IOPCHDA_SyncUpdate and ReadModified through the proxy: per-value codes, what reads see after a
// write, and the superseded values.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/hdasim/expected_values.h"
#include "tests/hdasim/hda_client.h"

namespace hdatest {
namespace {

constexpr DWORD kRawGood = 0x000400C0;

class Update : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session_.Ok());
    ASSERT_TRUE(session_.Update());
    HRESULT call = E_FAIL;
    VARIANT zero = Real(0);
    session_.Write(Session::Edit::kInsertReplace, {session_.Handle(L"Control/Reset")},
                   {SystemNow()}, {zero}, {0xC0}, &call);
    ASSERT_EQ(call, S_OK);
  }

  std::vector<HRESULT> Write(Session::Edit edit, OPCHANDLE h, const std::vector<Ticks>& times,
                             const std::vector<double>& values, HRESULT* call,
                             DWORD quality = 0xC0) {
    std::vector<VARIANT> v;
    for (double x : values) v.push_back(Real(x));
    return session_.Write(edit, std::vector<OPCHANDLE>(times.size(), h), times, v,
                          std::vector<DWORD>(times.size(), quality), call);
  }

  std::vector<Point> Read(OPCHANDLE h, Ticks from, Ticks to) {
    ReadResult r = session_.ReadRaw(HdaTime::Absolute(from), HdaTime::Absolute(to), 0, false, {h});
    return r.items.empty() ? std::vector<Point>{} : r.items[0].points;
  }

  Session session_;
};

TEST_F(Update, PerValueCodesOfEachEdit) {
  const OPCHANDLE store = session_.Handle(L"Writable/Empty R8");
  const OPCHANDLE sine = session_.Handle(L"Waves/Sine 1s");
  const OPCHANDLE denied = session_.Handle(L"Faults/Access denied");
  const Ticks t = At(2015, 6, 1, 8);
  OPCHDA_UPDATECAPABILITIES caps{};
  ASSERT_EQ(session_.Update()->QueryCapabilities(&caps), S_OK);
  EXPECT_EQ(static_cast<DWORD>(caps), 0x1Fu);

  HRESULT call = E_FAIL;
  EXPECT_EQ(Write(Session::Edit::kInsert, store, {t, t + kSecond}, {1, 2}, &call),
            (std::vector<HRESULT>{S_OK, S_OK}));
  EXPECT_EQ(call, S_OK);
  EXPECT_EQ(Write(Session::Edit::kInsert, store, {t, t + 2 * kSecond}, {5, 3}, &call),
            (std::vector<HRESULT>{OPC_E_DATAEXISTS, S_OK}));
  EXPECT_EQ(call, S_FALSE);
  EXPECT_EQ(Write(Session::Edit::kReplace, store, {t, t + 5 * kSecond}, {10, 4}, &call),
            (std::vector<HRESULT>{S_OK, OPC_E_NODATAEXISTS}));
  // Inserted and replaced are success codes, but not S_OK: the call says S_FALSE.
  EXPECT_EQ(
      Write(Session::Edit::kInsertReplace, store, {t + kSecond, t + 3 * kSecond}, {20, 30}, &call),
      (std::vector<HRESULT>{OPC_S_REPLACED, OPC_S_INSERTED}));
  EXPECT_EQ(call, S_FALSE);

  const std::vector<Point> points = Read(store, t, t + kMinute);
  ASSERT_EQ(points.size(), 4u);
  const double want[] = {10, 20, 3, 30};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(points[i].time, t + i * kSecond);
    EXPECT_EQ(points[i].number, want[i]);
    EXPECT_EQ(points[i].quality, kRawGood);
  }

  // Refusals, each for its own reason, in one call.
  std::vector<VARIANT> values = {Real(1),      Real(1),       Real(1), Real(5000),
                                 Text(L"abc"), Text(L"12.5"), Real(1)};
  const std::vector<OPCHANDLE> handles = {sine, denied, 0xBAD, store, store, store, store};
  const std::vector<Ticks> times = {
      t, t, t, t + 10 * kSecond, t + 11 * kSecond, t + 12 * kSecond, t + 13 * kSecond};
  const std::vector<DWORD> qualities = {0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0x000400C0};
  const std::vector<HRESULT> codes =
      session_.Write(Session::Edit::kInsert, handles, times, values, qualities, &call);
  for (VARIANT& v : values) VariantClear(&v);
  EXPECT_EQ(codes, (std::vector<HRESULT>{OPC_E_BADRIGHTS, OPC_E_BADRIGHTS, OPC_E_INVALIDHANDLE,
                                         E_INVALIDARG, E_INVALIDARG, S_OK, E_INVALIDARG}));
  const std::vector<Point> converted = Read(store, t + 12 * kSecond, t + 13 * kSecond);
  ASSERT_EQ(converted.size(), 1u);
  EXPECT_EQ(converted[0].type, VT_R8);
  EXPECT_EQ(converted[0].number, 12.5);  // the text was converted to the item's type

  const OPCHANDLE text = session_.Handle(L"Writable/Empty text");
  VARIANT note = Text(L"Filter changed");
  session_.Write(Session::Edit::kInsert, {text}, {t}, {note}, {0x40}, &call);
  VariantClear(&note);
  EXPECT_EQ(call, S_OK);
  const std::vector<Point> notes = Read(text, t, t + kSecond);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].text, L"Filter changed");
  EXPECT_EQ(notes[0].quality, 0x00040040u);
}

TEST_F(Update, EditsLieOverTheGeneratedValues) {
  const OPCHANDLE item = session_.Handle(L"Writable/Sine 10s");
  const Ticks t = At(2016, 2, 29, 12);  // a sample time: whole ten seconds
  auto sine = [](Ticks at) { return expected::Sine(at, kMinute, -100, 100); };
  HRESULT call = E_FAIL;
  EXPECT_EQ(Write(Session::Edit::kReplace, item, {t + 10 * kSecond}, {99}, &call),
            (std::vector<HRESULT>{S_OK}));
  EXPECT_EQ(Write(Session::Edit::kInsert, item, {t + 15 * kSecond}, {-42}, &call),
            (std::vector<HRESULT>{S_OK}));
  EXPECT_EQ(Write(Session::Edit::kInsert, item, {t + 20 * kSecond}, {1}, &call),
            (std::vector<HRESULT>{OPC_E_DATAEXISTS}));
  FILETIME gone = ToFileTime(t + 30 * kSecond);
  OPCHANDLE handles[] = {item, item};
  FILETIME stamps[] = {gone, ToFileTime(t + 31 * kSecond)};
  HRESULT* errors = nullptr;
  ASSERT_EQ(session_.Update()->DeleteAtTime(2, handles, stamps, &errors), S_FALSE);
  EXPECT_EQ(errors[0], S_OK);
  EXPECT_EQ(errors[1], OPC_S_NODATA);
  CoTaskMemFree(errors);

  std::vector<Point> points = Read(item, t, t + kMinute);
  ASSERT_EQ(points.size(), 6u);  // 0, 10 (replaced), 15 (inserted), 20, 40, 50
  EXPECT_EQ(points[0].number, sine(t));
  EXPECT_EQ(points[1].number, 99);
  EXPECT_EQ(points[2].time, t + 15 * kSecond);
  EXPECT_EQ(points[2].number, -42);
  EXPECT_NEAR(points[3].number, sine(t + 20 * kSecond), 1e-9);
  EXPECT_EQ(points[4].time, t + 40 * kSecond);

  // DeleteRaw takes the generated and the written values of its span, start included.
  HdaTime from = HdaTime::Absolute(t + 10 * kSecond), to = HdaTime::Absolute(t + 40 * kSecond);
  ASSERT_EQ(session_.Update()->DeleteRaw(from.Get(), to.Get(), 1, handles, &errors), S_OK);
  EXPECT_EQ(errors[0], S_OK);
  CoTaskMemFree(errors);
  HdaTime again_from = HdaTime::Absolute(t + 10 * kSecond),
          again_to = HdaTime::Absolute(t + 40 * kSecond);
  ASSERT_EQ(session_.Update()->DeleteRaw(again_from.Get(), again_to.Get(), 1, handles, &errors),
            S_FALSE);
  EXPECT_EQ(errors[0], OPC_S_NODATA);
  CoTaskMemFree(errors);
  points = Read(item, t, t + kMinute);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[1].time, t + 40 * kSecond);

  // Another client of the same process sees the same history.
  Session other(L"Varnel.HdaSim.5");
  ReadResult seen = other.ReadRaw(HdaTime::Absolute(t), HdaTime::Absolute(t + kMinute), 0, false,
                                  {other.Handle(L"Writable/Sine 10s")});
  EXPECT_EQ(seen.items[0].points.size(), 3u);
}

struct Modified {
  Ticks time;
  double value;
  Ticks modified;
  OPCHDA_EDITTYPE edit;
  std::wstring user;
};

std::vector<Modified> ReadModified(Session& session, OPCHANDLE h, Ticks from, Ticks to, DWORD count,
                                   HRESULT* code) {
  HdaTime start = HdaTime::Absolute(from), end = HdaTime::Absolute(to);
  OPCHDA_MODIFIEDITEM* items = nullptr;
  HRESULT* errors = nullptr;
  std::vector<Modified> out;
  if (FAILED(session.Read()->ReadModified(start.Get(), end.Get(), count, 1, &h, &items, &errors)))
    return out;
  *code = errors[0];
  const OPCHDA_MODIFIEDITEM& m = items[0];
  for (DWORD i = 0; i < m.dwCount; ++i) {
    out.push_back({FromFileTime(m.pftTimeStamps[i]),
                   ToPoint(m.pftTimeStamps[i], m.pvDataValues[i], 0).number,
                   FromFileTime(m.pftModificationTime[i]), m.pEditType[i], m.szUser[i]});
    VariantClear(&m.pvDataValues[i]);
    CoTaskMemFree(m.szUser[i]);
  }
  for (void* p : {static_cast<void*>(m.pftTimeStamps), static_cast<void*>(m.pdwQualities),
                  static_cast<void*>(m.pvDataValues), static_cast<void*>(m.pftModificationTime),
                  static_cast<void*>(m.pEditType), static_cast<void*>(m.szUser)})
    CoTaskMemFree(p);
  CoTaskMemFree(items);
  CoTaskMemFree(errors);
  return out;
}

TEST_F(Update, ReadModifiedReturnsWhatEditsSuperseded) {
  auto common = Query<IOPCCommon>(session_.Unknown());
  ASSERT_EQ(common->SetClientName(L"NODE7 editor.exe"), S_OK);
  const OPCHANDLE item = session_.Handle(L"Writable/Sine 10s");
  const Ticks t = At(2017, 7, 7, 7, 7, 0);
  const Ticks before = SystemNow();
  HRESULT call = E_FAIL;
  Write(Session::Edit::kReplace, item, {t}, {1}, &call);
  Write(Session::Edit::kReplace, item, {t}, {2}, &call);
  Write(Session::Edit::kInsertReplace, item, {t + 10 * kSecond}, {3}, &call);
  OPCHANDLE handles[] = {item};
  HRESULT* errors = nullptr;
  HdaTime from = HdaTime::Absolute(t + 20 * kSecond), to = HdaTime::Absolute(t + 50 * kSecond);
  ASSERT_EQ(session_.Update()->DeleteRaw(from.Get(), to.Get(), 1, handles, &errors), S_OK);
  CoTaskMemFree(errors);

  HRESULT code = E_FAIL;
  const std::vector<Modified> all = ReadModified(session_, item, t, t + kMinute, 0, &code);
  EXPECT_EQ(code, S_OK);
  ASSERT_EQ(all.size(), 6u);
  // At t: the newer edit first (it superseded the value 1), then the first one (the sine).
  EXPECT_EQ(all[0].time, t);
  EXPECT_EQ(all[0].value, 1);
  EXPECT_EQ(all[0].edit, OPCHDA_REPLACE);
  EXPECT_EQ(all[1].time, t);
  EXPECT_NEAR(all[1].value, expected::Sine(t, kMinute, -100, 100), 1e-9);
  EXPECT_GE(all[0].modified, all[1].modified);
  EXPECT_EQ(all[2].edit, OPCHDA_INSERTREPLACE);
  for (int i = 3; i < 6; ++i) {
    EXPECT_EQ(all[i].time, t + (2 + i - 3) * 10 * kSecond);
    EXPECT_EQ(all[i].edit, OPCHDA_DELETE);
    EXPECT_NEAR(all[i].value, expected::Sine(all[i].time, kMinute, -100, 100), 1e-9);
  }
  for (const Modified& m : all) {
    EXPECT_EQ(m.user, L"NODE7 editor.exe");
    EXPECT_GE(m.modified, before - kSecond);
    EXPECT_LE(m.modified, SystemNow() + kSecond);
  }

  // Reverse, with a count: latest first, and "more data" while there is more.
  const std::vector<Modified> last =
      ReadModified(session_, item, t + kMinute, t - kSecond, 2, &code);
  EXPECT_EQ(code, OPC_S_MOREDATA);
  ASSERT_EQ(last.size(), 2u);
  EXPECT_EQ(last[0].time, t + 40 * kSecond);
  EXPECT_EQ(last[1].time, t + 30 * kSecond);

  const std::vector<Modified> none =
      ReadModified(session_, item, t + kHour, t + 2 * kHour, 0, &code);
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(code, OPC_S_NODATA);
}

TEST(UpdateClass, ReadOnlyClassHasNoUpdateInterface) {
  ComPtr<IUnknown> server = CreateServer(L"Varnel.HdaSim.10");
  ASSERT_TRUE(server);
  ComPtr<IOPCHDA_SyncUpdate> update;
  EXPECT_EQ(server->QueryInterface(IID_IOPCHDA_SyncUpdate, reinterpret_cast<void**>(&update)),
            E_NOINTERFACE);
}

// Number 12 has the update interface but no capability: every edit is refused as a whole.
TEST(UpdateClass, EmptyClassCanDoNoEdit) {
  Session session(L"Varnel.HdaSim.12");
  ASSERT_TRUE(session.Ok());
  ASSERT_TRUE(session.Update());
  OPCHDA_UPDATECAPABILITIES capabilities = OPCHDA_INSERTCAP;
  ASSERT_EQ(session.Update()->QueryCapabilities(&capabilities), S_OK);
  EXPECT_EQ(capabilities, 0);
  VARIANT one = Real(1);
  for (Session::Edit edit :
       {Session::Edit::kInsert, Session::Edit::kReplace, Session::Edit::kInsertReplace}) {
    HRESULT call = S_OK;
    const std::vector<HRESULT> errors =
        session.Write(edit, {1}, {At(2020, 1, 1)}, {one}, {0xC0}, &call);
    EXPECT_EQ(call, E_NOTIMPL);
    EXPECT_TRUE(errors.empty());
  }
  OPCHANDLE handle = 1;
  FILETIME time = ToFileTime(At(2020, 1, 1));
  HRESULT* errors = reinterpret_cast<HRESULT*>(1);
  EXPECT_EQ(session.Update()->DeleteAtTime(1, &handle, &time, &errors), E_NOTIMPL);
  EXPECT_EQ(errors, nullptr);
  HdaTime start = HdaTime::Absolute(At(2020, 1, 1));
  HdaTime end = HdaTime::Absolute(At(2020, 1, 2));
  errors = reinterpret_cast<HRESULT*>(1);
  EXPECT_EQ(session.Update()->DeleteRaw(start.Get(), end.Get(), 1, &handle, &errors), E_NOTIMPL);
  EXPECT_EQ(errors, nullptr);
}

}  // namespace
}  // namespace hdatest
