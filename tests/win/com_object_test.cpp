// The COM object base: QueryInterface over the listed interfaces, per-instance refusals, and
// reference counts that two threads change at once.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "win/com_object.h"
#include "win/com_ptr.h"

namespace wintest {

struct IFirst : public IUnknown {
  virtual int STDMETHODCALLTYPE First() = 0;
};
struct ISecond : public IUnknown {
  virtual int STDMETHODCALLTYPE Second() = 0;
};
struct IUnlisted : public IUnknown {
  virtual int STDMETHODCALLTYPE Unlisted() = 0;
};

}  // namespace wintest

__CRT_UUID_DECL(wintest::IFirst, 0x0d6b3f0e, 0x1a2b, 0x4c3d, 0x8e, 0x4f, 0x50, 0x61, 0x72, 0x83,
                0x94, 0xa5)
__CRT_UUID_DECL(wintest::ISecond, 0x0d6b3f0e, 0x1a2b, 0x4c3d, 0x8e, 0x4f, 0x50, 0x61, 0x72, 0x83,
                0x94, 0xa6)
__CRT_UUID_DECL(wintest::IUnlisted, 0x0d6b3f0e, 0x1a2b, 0x4c3d, 0x8e, 0x4f, 0x50, 0x61, 0x72, 0x83,
                0x94, 0xa7)

namespace wintest {
namespace {

class Both final : public win::ComObject<IFirst, ISecond> {
 public:
  explicit Both(bool* destroyed, bool second_supported = true)
      : destroyed_(destroyed), second_supported_(second_supported) {}
  ~Both() override { *destroyed_ = true; }
  int STDMETHODCALLTYPE First() override { return 1; }
  int STDMETHODCALLTYPE Second() override { return 2; }

 protected:
  bool Supports(const IID& iid) const override {
    return second_supported_ || iid != __uuidof(ISecond);
  }

 private:
  bool* destroyed_;
  bool second_supported_;
};

TEST(ComObject, AnswersEveryListedInterfaceAndIUnknownAsTheFirst) {
  bool destroyed = false;
  auto object = win::ComPtr<IFirst>::Attach(new Both(&destroyed));

  win::ComPtr<IUnknown> unknown;
  ASSERT_EQ(object.As(IID_IUnknown, std::addressof(unknown)), S_OK);
  EXPECT_EQ(unknown.Get(), static_cast<IUnknown*>(object.Get()));
  win::ComPtr<ISecond> second;
  ASSERT_EQ(object.As(__uuidof(ISecond), std::addressof(second)), S_OK);
  EXPECT_EQ(second->Second(), 2);
  win::ComPtr<IFirst> first;
  ASSERT_EQ(second.As(__uuidof(IFirst), std::addressof(first)), S_OK);
  EXPECT_EQ(first.Get(), object.Get());

  win::ComPtr<IUnlisted> unlisted;
  EXPECT_EQ(object.As(__uuidof(IUnlisted), std::addressof(unlisted)), E_NOINTERFACE);
  EXPECT_FALSE(unlisted);
  EXPECT_EQ(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

  // Each successful query took one reference: four holders now.
  EXPECT_EQ(object->AddRef(), 5u);
  EXPECT_EQ(object->Release(), 4u);
  unknown.Reset();
  second.Reset();
  first.Reset();
  EXPECT_FALSE(destroyed);
  object.Reset();
  EXPECT_TRUE(destroyed);
}

TEST(ComObject, AnInstanceMayRefuseAnInterfaceItInherits) {
  bool destroyed = false;
  auto object = win::ComPtr<IFirst>::Attach(new Both(&destroyed, false));
  win::ComPtr<ISecond> second;
  EXPECT_EQ(object.As(__uuidof(ISecond), std::addressof(second)), E_NOINTERFACE);
  win::ComPtr<IUnknown> unknown;
  EXPECT_EQ(object.As(IID_IUnknown, std::addressof(unknown)), S_OK);
}

TEST(ComObject, ReferenceCountsFromTwoThreadsAddUp) {
  bool destroyed = false;
  IFirst* object = new Both(&destroyed);
  constexpr int kRounds = 200000;
  auto churn = [object] {
    for (int i = 0; i < kRounds; ++i) {
      object->AddRef();
      object->Release();
    }
  };
  // Each thread keeps one reference of its own for the whole run.
  object->AddRef();
  object->AddRef();
  std::thread a([&] {
    churn();
    object->Release();
  });
  std::thread b([&] {
    churn();
    object->Release();
  });
  a.join();
  b.join();
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(object->Release(), 0u);
  EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace wintest
