// The apartment guard on threads of their own: entered and left in pairs, a refused entry
// reported and not undone.
#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include <string>
#include <thread>

#include "tests/win/report_capture.h"
#include "win/apartment.h"

namespace wintest {
namespace {

// Whether the calling thread is in any apartment now.
bool InApartment() {
  APTTYPE type;
  APTTYPEQUALIFIER qualifier;
  return SUCCEEDED(CoGetApartmentType(&type, &qualifier));
}

template <typename Body>
void OnNewThread(Body body) {
  std::thread thread(body);
  thread.join();
}

TEST(Apartment, EntersForItsLifetimeAndNests) {
  OnNewThread([] {
    {
      win::Apartment outer(COINIT_MULTITHREADED);
      EXPECT_EQ(outer.Result(), S_OK);
      {
        win::Apartment inner(COINIT_MULTITHREADED);
        EXPECT_EQ(inner.Result(), S_FALSE);
        EXPECT_TRUE(inner);
      }
      // The inner guard gave back only its own count.
      EXPECT_TRUE(InApartment());
    }
    EXPECT_FALSE(InApartment());
  });
}

TEST(Apartment, AnEntryIntoTheOtherKindIsRefusedReportedAndNotUndone) {
  OnNewThread([] {
    ReportCapture capture;
    win::Apartment single(COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(single);
    {
      win::Apartment multi(COINIT_MULTITHREADED);
      EXPECT_EQ(multi.Result(), RPC_E_CHANGED_MODE);
      EXPECT_FALSE(multi);
    }
    // Had the refused guard called CoUninitialize, the thread would have left its apartment.
    EXPECT_TRUE(InApartment());
    ASSERT_EQ(capture.Reports().size(), 1u);
    EXPECT_NE(capture.Reports()[0].find("CoInitializeEx(multithreaded) failed"), std::string::npos);
    EXPECT_NE(capture.Reports()[0].find("0x80010106"), std::string::npos);
  });
}

}  // namespace
}  // namespace wintest
