// UniqueHandle with a fake handle kind that records every close.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "win/handle.h"

namespace {

std::vector<int> g_closed;

struct FakeTraits {
  using Handle = int;
  static Handle Invalid() { return 0; }
  static void Close(Handle h) { g_closed.push_back(h); }
};
using FakeHandle = win::UniqueHandle<FakeTraits>;

class UniqueHandleTest : public ::testing::Test {
 protected:
  void SetUp() override { g_closed.clear(); }
};

TEST_F(UniqueHandleTest, ClosesOnceAtTheEndAndNeverTheEmptyHandle) {
  { FakeHandle empty; }
  { FakeHandle held(7); }
  EXPECT_EQ(g_closed, std::vector<int>{7});
}

TEST_F(UniqueHandleTest, MoveHandsTheHandleOnWithoutClosingIt) {
  FakeHandle first(7);
  FakeHandle second(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(second.Get(), 7);

  FakeHandle third(9);
  third = std::move(second);  // closes 9, takes 7
  EXPECT_EQ(g_closed, std::vector<int>{9});
  EXPECT_EQ(third.Get(), 7);
  EXPECT_FALSE(second);
}

TEST_F(UniqueHandleTest, SelfMoveKeepsTheHandleOpen) {
  FakeHandle held(7);
  FakeHandle& alias = held;
  held = std::move(alias);
  EXPECT_TRUE(g_closed.empty());
  EXPECT_EQ(held.Get(), 7);
}

TEST_F(UniqueHandleTest, AddressOfClosesWhatIsHeldAndHandsOutTheSlot) {
  FakeHandle held(7);
  int* slot = &held;
  EXPECT_EQ(g_closed, std::vector<int>{7});
  EXPECT_FALSE(held);
  *slot = 8;  // as an API filling an out-parameter
  EXPECT_EQ(held.Get(), 8);
}

TEST_F(UniqueHandleTest, ReleaseGivesUpWithoutClosingResetCloses) {
  FakeHandle held(7);
  EXPECT_EQ(held.Release(), 7);
  EXPECT_FALSE(held);
  held.Reset(8);
  held.Reset(9);
  held.Reset();
  EXPECT_EQ(g_closed, (std::vector<int>{8, 9}));
}

TEST(UniqueHandleKinds, FileHandleTreatsInvalidHandleValueAsEmpty) {
  win::UniqueFileHandle file;
  EXPECT_EQ(file.Get(), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(file);
  win::UniqueKernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(event);
  const HANDLE raw = event.Get();
  event.Reset();
  // Closed: the handle is no longer valid for the process.
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(raw, &flags));
}

}  // namespace
