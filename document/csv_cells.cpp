#include "document/csv_cells.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/utf8.h"
#include "text/time_base.h"
#include "text/time_fields.h"

std::string CsvField(std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return std::string(text);
  std::string field = "\"";
  for (char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  field += '"';
  return field;
}

std::string CsvTextCell(const TString& text) { return CsvField(platform::ToUtf8(text.Str())); }

std::string CsvNumberCell(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  if (value == 0) return "0";  // no "-0" in a spreadsheet
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (error != std::errc()) return "NaN";  // 32 characters hold every double
  return std::string(buffer, end);
}

std::string CsvTimeCell(double timeStamp) {
  TTimeFields fields;
  TimeToFields(timeStamp, fields);
  // The offset is what the local fields differ from the instant by, so the text always names the
  // instant shown, daylight saving included.
  const TTimeBase& base = TimeBase();
  const std::int64_t localSeconds =
      base.DayNumber(fields.year, fields.month, fields.day) * TTimeBase::kSecondsPerDay +
      fields.hour * 3600 + fields.minute * 60 + fields.second;
  const std::int64_t localMs = localSeconds * 1000 + fields.millisecond;
  const std::int64_t instantMs =
      std::isfinite(timeStamp) ? static_cast<std::int64_t>(std::floor(timeStamp)) : localMs;
  std::int64_t offsetMinutes = (localMs - instantMs) / 60000;
  // A time stamp outside the calendar is shown clamped into it: name the zone's own offset.
  if (std::llabs(offsetMinutes) * 60000 > TTimeBase::kMaxLocalOffsetMs + 3600000) {
    offsetMinutes = static_cast<std::int64_t>(base.LocalOffsetMs()) / 60000;
  }
  const std::int64_t magnitude = std::llabs(offsetMinutes);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", fields.year,
                fields.month, fields.day, fields.hour, fields.minute, fields.second,
                fields.millisecond, offsetMinutes < 0 ? '-' : '+', static_cast<int>(magnitude / 60),
                static_cast<int>(magnitude % 60));
  return text;
}
