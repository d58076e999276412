// ComPtr against a fake that counts references: every path takes and gives back exactly what
// it should.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "tests/win/counting_unknown.h"
#include "win/com_ptr.h"

namespace {

using wintest::CountingUnknown;
using wintest::ICountingExtra;
using Ptr = win::ComPtr<IUnknown>;

TEST(ComPtr, AttachTakesOverShareAddsAReference) {
  CountingUnknown object;
  object.AddRef();  // the reference Attach takes over
  {
    Ptr attached = Ptr::Attach(&object);
    EXPECT_EQ(object.Held(), 1);
    Ptr shared = Ptr::Share(&object);
    EXPECT_EQ(object.Held(), 2);
    EXPECT_EQ(shared.Get(), &object);
  }
  EXPECT_EQ(object.Held(), 0);
  EXPECT_FALSE(Ptr::Share(nullptr));
}

TEST(ComPtr, CopiesAddAReferenceMovesDoNot) {
  CountingUnknown object;
  {
    Ptr first = Ptr::Share(&object);
    Ptr copy(first);
    EXPECT_EQ(object.Held(), 2);
    Ptr assigned;
    assigned = copy;
    EXPECT_EQ(object.Held(), 3);
    Ptr moved(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(object.Held(), 3);
    Ptr move_assigned;
    move_assigned = std::move(moved);
    EXPECT_FALSE(moved);
    EXPECT_EQ(object.Held(), 3);
  }
  EXPECT_EQ(object.Held(), 0);
}

TEST(ComPtr, AssigningOverAPointerReleasesTheOldObject) {
  CountingUnknown old_object, new_object;
  Ptr target = Ptr::Share(&old_object);
  Ptr source = Ptr::Share(&new_object);
  target = source;
  EXPECT_EQ(old_object.Held(), 0);
  EXPECT_EQ(new_object.Held(), 2);
  Ptr other = Ptr::Share(&old_object);
  target = std::move(other);
  EXPECT_EQ(new_object.Held(), 1);
  EXPECT_EQ(old_object.Held(), 1);
}

TEST(ComPtr, SelfAssignmentKeepsTheReference) {
  CountingUnknown object;
  Ptr held = Ptr::Share(&object);
  Ptr& alias = held;
  held = alias;
  EXPECT_EQ(held.Get(), &object);
  EXPECT_EQ(object.Held(), 1);
  held = std::move(alias);
  EXPECT_EQ(held.Get(), &object);
  EXPECT_EQ(object.Held(), 1);
  EXPECT_EQ(object.releases, 0);
}

TEST(ComPtr, AddressOfReleasesAndHandsOutTheSlot) {
  CountingUnknown first, second;
  Ptr held = Ptr::Share(&first);
  IUnknown** slot = &held;
  EXPECT_EQ(first.Held(), 0);
  EXPECT_FALSE(held);
  second.AddRef();  // as an API filling an out-parameter
  *slot = &second;
  EXPECT_EQ(held.Get(), &second);
}

TEST(ComPtr, DetachGivesUpCopyToHandsOutANewReference) {
  CountingUnknown object;
  Ptr held = Ptr::Share(&object);
  IUnknown* copy = nullptr;
  EXPECT_EQ(held.CopyTo(&copy), S_OK);
  EXPECT_EQ(copy, &object);
  EXPECT_EQ(object.Held(), 2);
  EXPECT_EQ(held.CopyTo(nullptr), E_POINTER);
  IUnknown* detached = held.Detach();
  EXPECT_FALSE(held);
  EXPECT_EQ(object.Held(), 2);
  detached->Release();
  copy->Release();
  EXPECT_EQ(object.Held(), 0);
}

TEST(ComPtr, AsQueriesIntoAnotherPointer) {
  CountingUnknown object;
  Ptr held = Ptr::Share(&object);
  win::ComPtr<ICountingExtra> extra;
  ASSERT_EQ(held.As(__uuidof(ICountingExtra), std::addressof(extra)), S_OK);
  EXPECT_EQ(extra->Extra(), 42);
  EXPECT_EQ(object.Held(), 2);
  // A second query releases what the target held first.
  ASSERT_EQ(held.As(__uuidof(ICountingExtra), std::addressof(extra)), S_OK);
  EXPECT_EQ(object.Held(), 2);
  extra.Reset();
  EXPECT_EQ(object.Held(), 1);

  CountingUnknown plain(false);
  Ptr plain_held = Ptr::Share(&plain);
  EXPECT_EQ(plain_held.As(__uuidof(ICountingExtra), std::addressof(extra)), E_NOINTERFACE);
  EXPECT_FALSE(extra);
  EXPECT_EQ(plain.Held(), 1);

  Ptr empty;
  EXPECT_EQ(empty.As(__uuidof(ICountingExtra), std::addressof(extra)), E_POINTER);
}

}  // namespace
