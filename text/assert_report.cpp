#include "text/assert_report.h"

#include <utility>
#include <vector>

#include "platform/lock.h"
#include "text/integer_text.h"
#include "text/tstring.h"

namespace {

struct AssertState {
  platform::Lock lock;
  AssertSink sink = nullptr;
  std::vector<TString> kept;
  std::uint32_t notKept = 0;
};

// Never destroyed: checks may still fail while other static objects are torn down.
AssertState& State() {
  static AssertState* state = new AssertState;
  return *state;
}

const char* FileNameOf(const char* path) {
  if (path == nullptr) return "";
  const char* name = path;
  for (const char* p = path; *p != 0; ++p) {
    if (*p == '/' || *p == '\\') name = p + 1;
  }
  return name;
}

TString FormatLine(const char16_t* message, const char* sourceName, std::uint_least32_t line) {
  TString source;
  source.FromNarrow(sourceName ? sourceName : "");
  return TString(u"Assert in ", source.Str(), u" line ", IntegerText(line).Str(), u": ",
                 message ? message : u"");
}

void Deliver(AssertSink sink, const std::vector<TString>& lines) {
  for (const TString& line : lines) sink(line.Str());
}

void Report(TString text) {
  AssertState& state = State();
  AssertSink sink;
  {
    platform::LockGuard guard(state.lock);
    sink = state.sink;
    if (sink == nullptr) {
      if (state.kept.size() < kMaxKeptAssertReports) {
        state.kept.push_back(std::move(text));
      } else {
        ++state.notKept;
      }
      return;
    }
  }
  // Outside the lock: the sink takes the log's own lock, which may be held by a thread that is
  // reporting an assertion itself.
  sink(text.Str());
}

}  // namespace

void AssertReport(const char16_t* message, const char* sourceName, bool condition,
                  SourceLocation where) {
  if (!condition) Report(FormatLine(message, sourceName, where.line()));
}

void AssertReport(const char16_t* message, bool condition, SourceLocation where) {
  if (!condition) Report(FormatLine(message, FileNameOf(where.file_name()), where.line()));
}

AssertSink SetAssertSink(AssertSink sink) {
  AssertState& state = State();
  if (sink == nullptr) {
    platform::LockGuard guard(state.lock);
    return std::exchange(state.sink, nullptr);
  }
  // Hand over what was kept, then install the sink once nothing new arrived meanwhile, so the
  // order of the reports is kept.
  for (;;) {
    std::vector<TString> lines;
    std::uint32_t notKept = 0;
    {
      platform::LockGuard guard(state.lock);
      if (state.kept.empty() && state.notKept == 0) return std::exchange(state.sink, sink);
      lines.swap(state.kept);
      notKept = std::exchange(state.notKept, 0);
    }
    Deliver(sink, lines);
    if (notKept != 0) {
      TString summary(IntegerText(notKept).Str(), u" further assert reports were not kept");
      sink(summary.Str());
    }
  }
}
