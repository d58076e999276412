// VARIANT owners: copies are deep (a BSTR of their own), moves leave the source VT_EMPTY, and
// nothing held is lost or freed twice.
#include <windows.h>

#include <gtest/gtest.h>
#include <oleauto.h>

#include <string>
#include <utility>

#include "win/variant.h"
#include "win/variant_vector.h"

namespace {

std::wstring Text(const VARIANT& v) { return v.vt == VT_BSTR ? std::wstring(v.bstrVal) : L"?"; }

TEST(Variant, CopiesOfAStringAreDeep) {
  win::Variant original(L"units");
  win::Variant copy(original);
  EXPECT_EQ(Text(copy.Get()), L"units");
  EXPECT_NE(copy->bstrVal, original->bstrVal);

  win::Variant assigned(7L);
  assigned = original;
  EXPECT_NE(assigned->bstrVal, original->bstrVal);
  original.Reset();
  EXPECT_EQ(Text(assigned.Get()), L"units");
  EXPECT_EQ(Text(copy.Get()), L"units");
}

TEST(Variant, MovesTakeTheValueAndLeaveTheSourceEmpty) {
  win::Variant original(L"units");
  const BSTR text = original->bstrVal;
  win::Variant moved(std::move(original));
  EXPECT_EQ(original->vt, VT_EMPTY);
  EXPECT_EQ(moved->bstrVal, text);

  win::Variant assigned(2.5);
  assigned = std::move(moved);
  EXPECT_EQ(moved->vt, VT_EMPTY);
  EXPECT_EQ(assigned->bstrVal, text);

  win::Variant& alias = assigned;
  assigned = std::move(alias);
  EXPECT_EQ(assigned->bstrVal, text);
}

TEST(Variant, AdoptOutAndReleaseHandOwnershipAcross) {
  VARIANT raw;
  VariantInit(&raw);
  raw.vt = VT_BSTR;
  raw.bstrVal = SysAllocString(L"raw");
  win::Variant owner = win::Variant::Adopt(raw);
  EXPECT_EQ(raw.vt, VT_EMPTY);
  EXPECT_EQ(Text(owner.Get()), L"raw");

  // An API writing into the slot: what was held is cleared first.
  VARIANT* slot = owner.Out();
  EXPECT_EQ(slot->vt, VT_EMPTY);
  slot->vt = VT_I4;
  slot->lVal = 3;
  EXPECT_EQ(owner->lVal, 3);

  VARIANT released = owner.Release();
  EXPECT_EQ(released.vt, VT_I4);
  EXPECT_EQ(owner->vt, VT_EMPTY);
}

TEST(VariantVector, CopiesAreDeepPerEntryMovesLeaveTheSourceEmpty) {
  win::VariantVector row(3);
  for (const VARIANT& v : row) EXPECT_EQ(v.vt, VT_EMPTY);
  row.Set(1, win::Variant(L"units"));
  row.Set(2, win::Variant(5L));

  win::VariantVector copy(row);
  ASSERT_EQ(copy.Size(), 3u);
  EXPECT_NE(copy[1].bstrVal, row[1].bstrVal);
  EXPECT_EQ(Text(copy[1]), L"units");
  EXPECT_EQ(copy[2].lVal, 5);

  win::VariantVector assigned;
  assigned = copy;
  copy.Clear();
  EXPECT_EQ(Text(assigned[1]), L"units");

  win::VariantVector moved(std::move(assigned));
  EXPECT_TRUE(assigned.Empty());
  EXPECT_EQ(Text(moved[1]), L"units");
  win::VariantVector move_assigned(1);
  move_assigned = std::move(moved);
  EXPECT_TRUE(moved.Empty());
  EXPECT_EQ(move_assigned.Size(), 3u);
}

TEST(VariantVector, GrowsWithEmptyEntriesAndOwnsWhatAnApiWritesIntoIt) {
  win::VariantVector row;
  row.Resize(2);
  // As a read fills the caller's array.
  VARIANT* data = row.Data();
  data[0].vt = VT_BSTR;
  data[0].bstrVal = SysAllocString(L"first");
  row.Resize(4);
  EXPECT_EQ(Text(row[0]), L"first");
  EXPECT_EQ(row[3].vt, VT_EMPTY);
  row.Set(0, win::Variant(1.5));  // the string is cleared, not leaked
  EXPECT_EQ(row[0].dblVal, 1.5);
  row.Resize(1);
  EXPECT_EQ(row.Size(), 1u);
}

}  // namespace
