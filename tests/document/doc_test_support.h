// Shared by the document tests: a fixture with a log, a controlled clock and local offset, open
// connections that serve made-up histories, and helpers for times and texts.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
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
// connection's number (0 for the first opened, then 1, ...) plus the seconds since 1970, or S that
// number as text for items whose name starts with "Text". Items named "Unknown" cannot be read,
// nor can anything through a connection that was closed.
class FakeConnections : public IOpenConnections {
 public:
  struct Read {
    std::size_t connection;  // its number; kClosed when it was no longer open
    std::u16string item;
    double start;
    double stop;
  };
  static constexpr std::size_t kClosed = static_cast<std::size_t>(-1);

  void Open(const HdaServerDef& server) {
    open_.push_back({server, static_cast<std::uint32_t>(opened_++)});
  }
  // Closes the connection at that position; the later ones move up.
  void Close(std::size_t index) { open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(index)); }

  std::optional<ConnectionId> FindOpen(const HdaServerDef& server) const override {
    for (const Connection& c : open_) {
      if (c.server.SameServer(server)) return ConnectionId{c.number};
    }
    return std::nullopt;
  }
  bool ReadWave(ConnectionId connection, TWave& wave, double start, double stop) override {
    const bool read = Serve(connection, wave, start, stop);
    if (afterRead) afterRead(reads.back());
    return !read;
  }

  std::vector<Read> reads;
  // Runs once a read is over, as a removal held back during the read would.
  std::function<void(const Read&)> afterRead;

 private:
  struct Connection {
    HdaServerDef server;
    std::uint32_t number;
  };

  bool Serve(ConnectionId connection, TWave& wave, double start, double stop) {
    const auto number = static_cast<std::uint32_t>(connection);
    const bool open = std::any_of(open_.begin(), open_.end(),
                                  [&](const Connection& c) { return c.number == number; });
    reads.push_back({open ? number : kClosed, Text(wave.ItemName), start, stop});
    if (!open || wave.ItemName == u"Unknown") return false;
    wave.T.clear();
    wave.Y.clear();
    wave.S.clear();
    const bool text = Text(wave.ItemName).rfind(u"Text", 0) == 0;
    for (double t = std::ceil(start / kSecondMs) * kSecondMs; t < stop; t += kSecondMs) {
      wave.T.push_back(t);
      const double value = static_cast<double>(number) + t / kSecondMs;
      if (text) {
        const std::string digits = "v" + std::to_string(static_cast<long long>(value));
        wave.S.push_back(TString(std::u16string(digits.begin(), digits.end()).c_str()));
      } else {
        wave.Y.push_back(value);
      }
    }
    return true;
  }

  std::vector<Connection> open_;
  std::size_t opened_ = 0;
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
