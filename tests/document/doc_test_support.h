// Shared by the document tests: a fixture with a log, a controlled clock and local offset, open
// connections that serve made-up histories, and helpers for times and texts.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "document/open_connections.h"
#include "document/varnel_doc.h"
#include "log_test_support.h"
#include "platform/clock.h"
#include "text/time_fields.h"
#include "text/time_format.h"

namespace doc_test {

using log_test::Text;

constexpr double kSecondMs = 1000.0;
constexpr double kMinuteMs = 60000.0;
constexpr double kHourMs = 3600000.0;
constexpr double kDayMs = 86400000.0;
constexpr double kCetOffsetMs = kHourMs;

inline std::string Ascii(const std::u16string& text) {
  std::string result;
  for (char16_t c : text) result += c < 128 ? static_cast<char>(c) : '?';
  return result;
}

// Local time stamp of a calendar time under the current offset.
inline double Local(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                    int millisecond = 0) {
  TTimeFields fields;
  fields.year = year;
  fields.month = month;
  fields.day = day;
  fields.hour = hour;
  fields.minute = minute;
  fields.second = second;
  fields.millisecond = millisecond;
  return FieldsToTime(fields);
}

// "dd/mm/yyyy hh:mm:ss.mmm" in local time.
inline std::string LocalText(double timeStamp) {
  TTimeFields fields;
  TimeToFields(timeStamp, fields);
  return Ascii(Text(TString(FormatDateTime(fields, true))));
}

inline HdaServerDef Server(const char16_t* machine, const char16_t* server) {
  HdaServerDef def;
  def.MachineName = machine;
  def.ServerName = server;
  return def;
}

// Open connections whose reads give one point per second of the period: T the time, Y the
// connection's index plus the seconds since 1970, or S that number as text for items whose name
// starts with "Text". Items named "Unknown" cannot be read.
class FakeConnections : public IOpenConnections {
 public:
  struct Read {
    std::size_t connection;
    std::u16string item;
    double start;
    double stop;
  };

  void Open(const HdaServerDef& server) { servers_.push_back(server); }

  std::size_t OpenCount() const override { return servers_.size(); }
  const HdaServerDef& OpenServer(std::size_t index) const override { return servers_.at(index); }
  bool ReadWave(std::size_t index, TWave& wave, double start, double stop) override {
    reads.push_back({index, Text(wave.ItemName), start, stop});
    if (wave.ItemName == u"Unknown") return true;
    wave.T.clear();
    wave.Y.clear();
    wave.S.clear();
    const bool text = Text(wave.ItemName).rfind(u"Text", 0) == 0;
    for (double t = std::ceil(start / kSecondMs) * kSecondMs; t < stop; t += kSecondMs) {
      wave.T.push_back(t);
      const double value = static_cast<double>(index) + t / kSecondMs;
      if (text) {
        const std::string digits = "v" + std::to_string(static_cast<long long>(value));
        wave.S.push_back(TString(std::u16string(digits.begin(), digits.end()).c_str()));
      } else {
        wave.Y.push_back(value);
      }
    }
    return false;
  }

  std::vector<Read> reads;

 private:
  std::vector<HdaServerDef> servers_;
};

// A log to watch, the local offset at 0 and the clock at a fixed time; all restored afterwards.
class DocTest : public log_test::LogTest {
 protected:
  void TearDown() override {
    platform::SetClockForTesting(nullptr);
    log_test::LogTest::TearDown();
  }

  static void SetClock(double now) {
    clock_ = now;
    platform::SetClockForTesting([] { return clock_; });
  }

  std::vector<std::u16string> LoggedTexts() {
    std::vector<std::u16string> texts;
    for (const TLogEntry& e : Log().Pending()) {
      texts.push_back(Text(e.Text));
    }
    return texts;
  }
  void ClearLog() {
    Log().WritePending(0);
    Log().MovePending();
  }

  // A path in the test's own directory.
  TString Path(const char16_t* leaf) const { return TString(StartDirectory().Str(), u"/", leaf); }

 private:
  static inline double clock_ = 0.0;
};

}  // namespace doc_test
