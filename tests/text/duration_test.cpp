#include <cmath>
#include <limits>
#include <random>

#include "time_test_support.h"

namespace {

using time_test::Ascii;

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

TEST(Duration, FormatDuration) {
  struct Case {
    double duration;
    const char* withMs;
    const char* withoutMs;
  } cases[] = {
      {0, "00:00:00.000", "00:00:00"},
      {59999.6, "00:00:59.999", "00:01:00"},  // rounding carries into the minutes
      {3599499, "00:59:59.499", "00:59:59"},
      {3599500, "00:59:59.500", "01:00:00"},   // and into the hours
      {90000000, "25:00:00.000", "25:00:00"},  // hours are not wrapped
      {360000000000, "100000:00:00.000", "100000:00:00"},
      {2000000000000, "555555:33:20.000", "555555:33:20"},
      {1e300, "555555:33:20.000", "555555:33:20"},
      {-5, "00:00:00.000", "00:00:00"},
      {-0.5, "00:00:00.000", "00:00:00"},
      {-kInf, "00:00:00.000", "00:00:00"},
      {kInf, "INF", "INF"},
      {kNaN, "INF", "INF"},
  };
  for (const Case& c : cases) {
    TString text(u"previous text");
    FormatDuration(text, true, c.duration);
    EXPECT_EQ(Ascii(text.Str()), c.withMs) << c.duration;
    FormatDuration(text, false, c.duration);
    EXPECT_EQ(Ascii(text.Str()), c.withoutMs) << c.duration;
  }
}

TEST(Duration, FormatHoursMinutesAndDays) {
  struct Case {
    double duration;
    const char* hoursMinutes;
    const char* days;  // in English
  } cases[] = {
      {0, "00:00", "0 d."},
      {59999, "00:00", "0 d."},
      {3599999, "00:59", "0 d."},
      {86399999, "23:59", "0 d."},
      {90000000, "25:00", "1 d."},
      {3 * 86400000.0 + 1, "72:00", "3 d."},
      {1e300, "555555:33", "23148 d."},
      {-1, "00:00", "0 d."},
      {kInf, "INF", "INF"},
      {-kInf, "INF", "INF"},
      {kNaN, "INF", "INF"},
  };
  for (const Case& c : cases) {
    TString text(u"previous text");
    FormatHoursMinutes(c.duration, text);
    EXPECT_EQ(Ascii(text.Str()), c.hoursMinutes) << c.duration;
    FormatDays(c.duration, 1, text);
    EXPECT_EQ(Ascii(text.Str()), c.days) << c.duration;
  }
}

TEST(Duration, FormatDaysPerLanguage) {
  // French, English, German, Spanish, Dutch; unknown languages fall back to English.
  const char* forms[] = {"3 j.", "3 d.", "3 T.", "3 d.", "3 d."};
  for (int language = -1; language <= 5; ++language) {
    TString text;
    FormatDays(3.5 * 86400000, language, text);
    bool known = language >= 0 && language < 5;
    EXPECT_EQ(Ascii(text.Str()), known ? forms[language] : "3 d.") << language;
  }
}

TEST(Duration, ParseDuration) {
  struct Case {
    const char16_t* text;
    double duration;
  } cases[] = {
      {u"1:30", 5400000},
      {u"1h30m", 5400000},
      {u"01:30:00", 5400000},
      {u"1 30", 5400000},
      {u"0:0:1.5", 1005},  // the fraction is a count of milliseconds
      {u"0:0:0.1234", 234},
      {u"-5", 18000000},  // "-" only separates
      {u"+2", 7200000},
      {u"2:xx:3", 7203000},
      {u"1:2:3:4:5", 3723004},
      {u"2h 15m 30s", 8130000},
      {u"inf", kInf},
      {u"INF", kInf},
      {u" Inf:12", kInf},
      {u"infinite", 0},
      {u"", 0},
      {u"  ", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseDuration(c.text), c.duration) << Ascii(c.text);
  }
  double huge = ParseDuration(u"99999999999999999999999999999999");
  EXPECT_TRUE(std::isfinite(huge) && huge > 0);
}

TEST(Duration, ParseDurationReadsWhatFormatDurationWrote) {
  std::mt19937_64 random(86400);
  std::uniform_int_distribution<std::int64_t> durations(0, 2000000000000);
  for (int i = 0; i < 2000; ++i) {
    double d = static_cast<double>(durations(random));
    TString text;
    FormatDuration(text, true, d);
    ASSERT_EQ(ParseDuration(text), d) << Ascii(text.Str());
  }
}

}  // namespace
