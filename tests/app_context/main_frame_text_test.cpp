#include "app_context/main_frame_text.h"

#include <gtest/gtest.h>

#include <string>

#include "app_context/main_frame_link.h"
#include "strings/string_ids.h"

namespace {

class ScopedMainFrame {
 public:
  explicit ScopedMainFrame(int language) {
    link_.language = language;
    SetMainFrameLink(&link_);
  }
  ~ScopedMainFrame() { SetMainFrameLink(nullptr); }
  ScopedMainFrame(const ScopedMainFrame&) = delete;
  ScopedMainFrame& operator=(const ScopedMainFrame&) = delete;

 private:
  TMainFrameLink link_;
};

TEST(RString, WithoutMainFrameAnswersThePlaceholder) {
  SetMainFrameLink(nullptr);
  EXPECT_EQ(std::u16string(RString(IDS_YES)), u" pMainFrame = 0 in RString() ");
  ScopedMainFrame frame(2);
  EXPECT_EQ(std::u16string(RString(IDS_YES)), u"Ja");
}

TEST(RString, UsesTheMainFrameLanguage) {
  struct Case {
    int language;
    const char16_t* general;
  } const cases[] = {{0, u"Général"}, {1, u"General"}, {3, u"General"}, {4, u"General"}};
  for (const Case& c : cases) {
    ScopedMainFrame frame(c.language);
    EXPECT_EQ(std::u16string(RString(IDS_CONFIG_PAGE_GENERAL)), c.general) << c.language;
  }
}

}  // namespace
