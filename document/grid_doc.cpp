// TGridDoc: entries, their names, and the move from Pending to Shown.
#include "document/grid_doc.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "app_context/main_frame_link.h"
#include "app_context/start_directory.h"
#include "document/log_lock.h"
#include "platform/lock.h"
#include "strings/resource_text.h"
#include "strings/string_ids.h"
#include "text/assert_report.h"
#include "text/time_base.h"

namespace {

constexpr char16_t kLogLeafName[] = u"Varnel.log";
constexpr int kDefaultLanguage = 1;

// The log that receives assertion reports; guarded by the log lock.
TGridDoc* g_assertLog = nullptr;

void LogAssertion(const char16_t* line) {
  platform::LockGuard guard(LogLock());
  if (g_assertLog != nullptr)
    g_assertLog->AddMessage(kTypeOther, kLevelError, TString(line), Now());
}

void ReplaceLeadingTabs(TString& text) {
  int tabs = 0;
  while (tabs < TGridDoc::kMaxTabsReplaced && static_cast<std::uint32_t>(tabs) < text.Length() &&
         text.Str()[tabs] == u'\t') {
    ++tabs;
  }
  if (tabs == 0) return;
  TString replaced(text.Length() + 2 * static_cast<std::uint32_t>(tabs));
  for (int i = 0; i < 3 * tabs; ++i) replaced.Append(u' ');
  replaced.Append(text.Length() - static_cast<std::uint32_t>(tabs), text.Str() + tabs);
  text = std::move(replaced);
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool ContainsCarriageReturn(const TString& text) {
  const char16_t* s = text.Str();
  return std::find(s, s + text.Length(), u'\r') != s + text.Length();
}

}  // namespace

TGridDoc::TGridDoc(const TString& startDirectory)
    : logFileName_(FileInDirectory(startDirectory, kLogLeafName)) {
  pending_.reserve(kPendingRoom);
  shown_.reserve(kShownRoom);
  {
    platform::LockGuard guard(LogLock());
    g_assertLog = this;
  }
  SetAssertSink(LogAssertion);
}

TGridDoc::~TGridDoc() {
  bool wasAssertLog = false;
  {
    platform::LockGuard guard(LogLock());
    wasAssertLog = g_assertLog == this;
    if (wasAssertLog) g_assertLog = nullptr;
  }
  if (wasAssertLog) SetAssertSink(nullptr);
}

void TGridDoc::BuildNames() {
  TMainFrameLink* link = MainFrameLink();
  int language = link ? link->language : kDefaultLanguage;
  for (int i = 0; i < kLevelCount; ++i) {
    levelNames_[i] = TString(u"\t[", RString(IDS_LEVEL_ERROR + i, language), u"] ");
  }
  for (int i = 0; i < kTypeCount; ++i) {
    typeNames_[i] = TString(u"\t", RString(IDS_TYPE_OTHER + i, language), u": \t");
  }
  namesPending_ = false;
}

void TGridDoc::AddEntry(TLogEntry entry) {
  platform::LockGuard guard(LogLock());
  if (namesPending_) BuildNames();
  entry.Level = std::clamp<std::int32_t>(entry.Level, 0, kLevelCount - 1);
  entry.Type = std::clamp<std::int32_t>(entry.Type, 0, kTypeCount - 1);
  ReplaceLeadingTabs(entry.Text);
  pending_.push_back(std::move(entry));
}

void TGridDoc::AddMessage(int type, int level, const TString& text, double time) {
  platform::LockGuard guard(LogLock());
  if (!ContainsCarriageReturn(text)) {
    AddEntry(TLogEntry{time, level, type, text});
    return;
  }
  // Lines end at CR LF; a line longer than kMaxLineUnits continues in further entries, so no text
  // is lost. A CR LF at the very end does not start an empty line.
  const char16_t* s = text.Str();
  const std::uint32_t length = text.Length();
  std::uint32_t start = 0;
  bool first = true;
  for (;;) {
    std::uint32_t end = start;
    while (end < length && !(s[end] == u'\r' && end + 1 < length && s[end + 1] == u'\n')) ++end;
    if (start == length && !first) break;
    std::uint32_t pos = start;
    do {
      std::uint32_t count = std::min(end - pos, kMaxLineUnits);
      // A surrogate pair is never cut: the line ends before it.
      if (pos + count < end && IsHighSurrogate(s[pos + count - 1]) &&
          IsLowSurrogate(s[pos + count])) {
        --count;
      }
      TLogEntry entry{first ? time : 0.0, level, type, TString()};
      entry.Text.Assign(count, s + pos);
      AddEntry(std::move(entry));
      first = false;
      pos += count;
    } while (pos < end);
    if (end >= length) break;
    start = end + 2;
  }
}

void TGridDoc::KeepUnwritten(std::vector<TLogEntry>::const_iterator first,
                             std::vector<TLogEntry>::const_iterator last) {
  unwritten_.insert(unwritten_.end(), first, last);
  if (unwritten_.size() > kMaxUnwritten) {
    unwritten_.erase(unwritten_.begin(), unwritten_.end() - kMaxUnwritten);
  }
}

void TGridDoc::MovePending() {
  platform::LockGuard guard(LogLock());
  if (shown_.size() > kMaxShownBeforeTrim) {
    std::size_t drop = std::max<std::size_t>(pending_.size(), kMinShownTrim);
    shown_.erase(shown_.begin(), shown_.begin() + std::min(drop, shown_.size()));
  }
  if (pendingWritten_ < pending_.size()) {
    KeepUnwritten(pending_.cbegin() + static_cast<std::ptrdiff_t>(pendingWritten_),
                  pending_.cend());
  }
  std::size_t moved = pending_.size();
  shown_.insert(shown_.end(), std::make_move_iterator(pending_.begin()),
                std::make_move_iterator(pending_.end()));
  pending_.clear();
  pendingWritten_ = 0;
  if (moved > kPendingReleaseAbove) {
    std::vector<TLogEntry>().swap(pending_);
    pending_.reserve(kPendingRoom);
  }
}

void TGridDoc::ClearShown() {
  platform::LockGuard guard(LogLock());
  shown_.clear();
}

std::uint32_t TGridDoc::UnwrittenCount() const {
  platform::LockGuard guard(LogLock());
  return static_cast<std::uint32_t>(unwritten_.size() + pending_.size() - pendingWritten_);
}

const TString& TGridDoc::LevelName(int level) const {
  return levelNames_[static_cast<std::size_t>(std::clamp(level, 0, kLevelCount - 1))];
}

const TString& TGridDoc::TypeName(int type) const {
  return typeNames_[static_cast<std::size_t>(std::clamp(type, 0, kTypeCount - 1))];
}
