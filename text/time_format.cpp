#include "text/time_format.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kMaxDurationMs = 2000000000000.0;
constexpr std::int64_t kMsPerDay = 86400000;

// Every separator the time parsers accept between numbers.
constexpr char16_t kTimeSeparators[] = u",;.:/hmsHMS'\"\t-_ ";
constexpr std::uint32_t kMaxWord = 32;
constexpr std::uint32_t kMaxDateToken = 8;
constexpr std::uint32_t kMaxDurationToken = 32;

// Writes into a fixed buffer and drops whatever does not fit, so that fields holding arbitrary
// values cannot overrun a record's text. Numbers are written as printf's "%0<width>li" would,
// without its cost on the grid's and the log's hot paths.
class TFieldWriter {
 public:
  template <std::size_t N>
  explicit TFieldWriter(char16_t (&buffer)[N])
      : begin_(buffer), pos_(buffer), end_(buffer + N - 1) {}

  TFieldWriter& Put(char16_t c) {
    if (pos_ < end_) *pos_++ = c;
    return *this;
  }
  TFieldWriter& Put(const char16_t* text) {
    while (*text) Put(*text++);
    return *this;
  }
  // Zero-padded to width, a minus sign included in the width; never cut to the width.
  TFieldWriter& Number(std::int64_t value, int width) {
    char16_t digits[20];
    int count = 0;
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
      digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
      Put(u'-');
      --width;
    }
    for (int i = count; i < width; ++i) Put(u'0');
    while (count > 0) Put(digits[--count]);
    return *this;
  }
  // Terminates the text and returns its start.
  const char16_t* Finish() {
    *pos_ = 0;
    return begin_;
  }
  std::uint32_t Length() const { return static_cast<std::uint32_t>(pos_ - begin_); }

 private:
  char16_t* begin_;
  char16_t* pos_;
  char16_t* end_;
};

TFieldWriter& PutDayMonth(TFieldWriter& out, const TTimeFields& record) {
  return out.Number(record.day, 2).Put(u'/').Number(record.month, 2);
}

TFieldWriter& PutDate(TFieldWriter& out, const TTimeFields& record) {
  return PutDayMonth(out, record).Put(u'/').Number(record.year, 4);
}

TFieldWriter& PutHourMinute(TFieldWriter& out, const TTimeFields& record) {
  return out.Number(record.hour, 2).Put(u':').Number(record.minute, 2);
}

// Splits a text into tokens. Separators before the first token are skipped as well, so "-5"
// reads as the token 5.
class TTokenReader {
 public:
  TTokenReader(const TString& text, const char16_t* separators, std::uint32_t maxCount)
      : text_(text), separators_(separators), maxCount_(std::min(maxCount, kMaxWord)) {}

  // The next token, valid until the following call; nullptr at the end of the text.
  const char16_t* Next() {
    std::uint32_t count = text_.GetToken(token_, separators_, maxCount_, atStart_);
    atStart_ = false;
    // A run of separators yields one empty token (and is skipped); only the end gives two.
    if (count == 0) count = text_.GetToken(token_, separators_, maxCount_, false);
    return count != 0 ? token_ : nullptr;
  }

 private:
  TString text_;  // a copy: reading moves its token cursor
  const char16_t* separators_;
  std::uint32_t maxCount_;
  bool atStart_ = true;
  char16_t token_[kMaxWord + 1] = {};
};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A token as a decimal integer: an optional plus sign, then the digits up to the first other
// character; no digits give 0. Saturates far beyond any meaningful time value.
std::int64_t ReadInteger(const char16_t* token) {
  constexpr std::int64_t kSaturation = 1000000000000000;
  if (*token == u'+') ++token;
  std::int64_t value = 0;
  for (; IsDigit(*token); ++token) value = std::min(value * 10 + (*token - u'0'), kSaturation);
  return value;
}

bool IsInf(const char16_t* token) {
  const char16_t* inf = u"INF";
  for (; *inf != 0; ++token, ++inf) {
    char16_t upper = (*token >= u'a' && *token <= u'z') ? *token - (u'a' - u'A') : *token;
    if (upper != *inf) return false;
  }
  return *token == 0;
}

// Whole milliseconds of a duration, floored and held within 0..kMaxDurationMs; the duration must
// not be NaN.
std::int64_t WholeMs(double duration) {
  return static_cast<std::int64_t>(std::clamp(std::floor(duration), 0.0, kMaxDurationMs));
}

void AssignTo(TString& destination, TFieldWriter& out) {
  std::uint32_t length = out.Length();
  destination.Assign(length, out.Finish());
}

}  // namespace

const char16_t* FormatDate(TTimeFields& record) {
  TFieldWriter out(record.text);
  if (record.invalid) return out.Put(u"INF").Finish();
  return PutDate(out, record).Finish();
}

const char16_t* FormatDayMonth(TTimeFields& record) {
  TFieldWriter out(record.text);
  if (record.invalid) return out.Put(u"INF").Finish();
  return PutDayMonth(out, record).Finish();
}

const char16_t* FormatDayMonthTime(TTimeFields& record) {
  TFieldWriter out(record.text);
  if (record.invalid) return out.Put(u"INF").Finish();
  PutDayMonth(out, record).Put(u' ');
  return PutHourMinute(out, record).Finish();
}

const char16_t* FormatDateTime(TTimeFields& record, bool withMilliseconds) {
  TFieldWriter out(record.text);
  if (record.invalid) return out.Put(u"INF").Finish();
  PutDate(out, record).Put(u' ');
  PutHourMinute(out, record).Put(u':').Number(record.second, 2);
  if (withMilliseconds) out.Put(u'.').Number(record.millisecond, 3);
  return out.Finish();
}

void ParseDateTime(TTimeFields& record, const TString& text) {
  SetFields(1970, 2, 1, 0, 0, 0, 0, record);
  TTokenReader words(text, u" ", kMaxWord);
  const char16_t* word = words.Next();
  if (word == nullptr) return;
  TString date(word);
  word = words.Next();
  TString time(word != nullptr ? word : u"");

  TTokenReader dateTokens(date, kTimeSeparators, kMaxDateToken);
  const char16_t* token = dateTokens.Next();
  if (token == nullptr) return;
  if (!IsDigit(token[0])) {
    record.invalid = true;
    return;
  }
  int day = static_cast<int>(ReadInteger(token));
  token = dateTokens.Next();
  if (token == nullptr) return;
  int month = static_cast<int>(ReadInteger(token));
  token = dateTokens.Next();
  int year;
  if (token != nullptr) {
    year = static_cast<int>(ReadInteger(token));
  } else {
    TTimeFields now;
    NowFields(now);
    year = now.year;
  }

  int timeParts[4] = {};  // hour, minute, second, millisecond
  TTokenReader timeTokens(time, kTimeSeparators, kMaxDateToken);
  for (int& part : timeParts) {
    token = timeTokens.Next();
    if (token == nullptr) break;
    part = static_cast<int>(ReadInteger(token));
  }
  SetFields(year, day, month, timeParts[0], timeParts[1], timeParts[2], timeParts[3], record);
}

void FormatDuration(TString& destination, bool withMilliseconds, double duration) {
  char16_t buffer[64];
  TFieldWriter out(buffer);
  if (std::isnan(duration) || duration == kInfinity) {
    out.Put(u"INF");
  } else {
    std::int64_t ms = WholeMs(duration);
    std::int64_t seconds = ms / 1000;
    ms %= 1000;
    if (!withMilliseconds && ms > 499) ++seconds;
    out.Number(seconds / 3600, 2).Put(u':').Number(seconds % 3600 / 60, 2).Put(u':');
    out.Number(seconds % 60, 2);
    if (withMilliseconds) out.Put(u'.').Number(ms, 3);
  }
  AssignTo(destination, out);
}

void FormatHoursMinutes(double duration, TString& destination) {
  char16_t buffer[64];
  TFieldWriter out(buffer);
  if (!std::isfinite(duration)) {
    out.Put(u"INF");
  } else {
    std::int64_t ms = WholeMs(duration);
    out.Number(ms / 3600000, 2).Put(u':').Number(ms / 60000 % 60, 2);
  }
  AssignTo(destination, out);
}

void FormatDays(double duration, int language, TString& destination) {
  // French, English, German, Spanish, Dutch; an unknown language gets the English form.
  constexpr const char16_t* kDaySuffix[] = {u" j.", u" d.", u" T.", u" d.", u" d."};
  constexpr int kLanguages = sizeof(kDaySuffix) / sizeof(kDaySuffix[0]);
  char16_t buffer[64];
  TFieldWriter out(buffer);
  if (!std::isfinite(duration)) {
    out.Put(u"INF");
  } else {
    int form = language >= 0 && language < kLanguages ? language : 1;
    out.Number(WholeMs(duration) / kMsPerDay, 0).Put(kDaySuffix[form]);
  }
  AssignTo(destination, out);
}

double ParseDuration(const TString& text) {
  TTokenReader tokens(text, kTimeSeparators, kMaxDurationToken);
  const char16_t* token = tokens.Next();
  if (token != nullptr && IsInf(token)) return kInfinity;
  std::int64_t parts[4] = {};  // hours, minutes, seconds, milliseconds
  for (std::int64_t& part : parts) {
    if (token == nullptr) break;
    part = ReadInteger(token);
    token = tokens.Next();
  }
  double ms = static_cast<double>(parts[0]) * 3600000.0 + static_cast<double>(parts[1]) * 60000.0 +
              static_cast<double>(parts[2]) * 1000.0 + static_cast<double>(parts[3] % 1000);
  return std::max(0.0, ms);
}
