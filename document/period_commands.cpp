#include "document/period_commands.h"

#include <cmath>

#include "app_context/main_frame_text.h"
#include "document/log_entry.h"
#include "document/log_message.h"
#include "text/integer_text.h"
#include "text/time_base.h"
#include "text/time_fields.h"
#include "text/time_format.h"

namespace {

// "dd/mm/yyyy hh:mm:ss" or, with milliseconds, "dd/mm/yyyy hh:mm:ss.mmm"; "INF" when the time
// has no date.
TString DateText(double timeStamp, bool withMilliseconds) {
  TTimeFields fields;
  TimeToFields(timeStamp, fields);
  return TString(FormatDateTime(fields, withMilliseconds));
}

void LogPeriod(const char16_t* text, double timeStamp) {
  LogMessage(kTypeOpc, kLevelDebug, text, DateText(timeStamp, true).Str());
}

bool CanChangePeriod(const TVarnelDoc* doc) { return doc != nullptr && !doc->Locked; }

// After the period moved: a Live period is brought up to now, then the waves are re-read.
int UpdatePeriod(TVarnelDoc& doc, IOpenConnections& connections, int hint) {
  if (doc.Live) Current(doc, Now());
  doc.RebuildWaves(connections);
  return hint;
}

}  // namespace

bool PeriodCommandsEnabled(const TVarnelDoc* doc, const IOpenConnections& connections) {
  return CanChangePeriod(doc) && doc->UsesConnection(connections);
}

bool UnlockEnabled(const TVarnelDoc* doc, const IOpenConnections& connections) {
  return doc != nullptr && doc->Locked && doc->UsesConnection(connections);
}

int ChoosePeriodKind(TVarnelDoc* doc, int command, IOpenConnections& connections, bool hasGraphView,
                     const TCustomPeriodPrompt& customPrompt) {
  if (command < kCommandFirstPeriodKind || command > kCommandLastPeriodKind) return kHintNone;
  if (!CanChangePeriod(doc)) return kHintNone;
  doc->Period = PeriodForCommand(command);
  if (command == kCommandCustomPeriod) {
    double start = doc->StartTime;
    double stop = doc->StopTime;
    // Cancelled: the kind is custom from now on, the times stay.
    if (!customPrompt || !customPrompt(RString(PeriodTitleId(kPeriodCustom)), start, stop)) {
      return kHintNone;
    }
    doc->StartTime = start;
    doc->StopTime = stop;
    LogMessage(kTypeOpc, kLevelDebug, u"CmGraphPeriod:New Period: ", IntegerText(command).Str());
  }
  if (hasGraphView) LogPeriod(u"CmGraphPeriod:New StartTime(1): ", doc->StartTime);
  Complete(*doc, Now());
  LogMessage(kTypeOpc, kLevelDebug, u"CmGraphPeriod:Updating StartTime and StopTime");
  LogPeriod(u"CmGraphPeriod:New StartTime: ", doc->StartTime);
  LogPeriod(u"CmGraphPeriod:New StopTime: ", doc->StopTime);
  doc->RebuildWaves(connections);
  return kHintPeriodKindChosen;
}

int RunPeriodCommand(TVarnelDoc* doc, int command, IOpenConnections& connections) {
  if (doc == nullptr) return kHintNone;
  switch (command) {
    case kCommandLock:
      doc->Locked = true;
      return kHintNone;
    case kCommandUnlock:
      doc->Locked = false;
      return kHintNone;
    default:
      break;
  }
  // A locked period stays as it is, whichever way the command arrived.
  if (doc->Locked) return kHintNone;
  switch (command) {
    case kCommandPreviousPeriod:
      Previous(*doc);
      return UpdatePeriod(*doc, connections, kHintPreviousPeriod);
    case kCommandNextPeriod:
      Next(*doc, Now());
      return UpdatePeriod(*doc, connections, kHintNextPeriod);
    case kCommandCurrentPeriod:
      Current(*doc, Now());
      return UpdatePeriod(*doc, connections, kHintCurrentPeriod);
    case kCommandRefresh:
    case kCommandRefreshView:
      return UpdatePeriod(*doc, connections, kHintRefresh);
    default:
      return kHintNone;
  }
}

bool TRefreshTimer::Tick(double now, std::int32_t refreshRateSeconds,
                         std::span<TVarnelDoc* const> documents, IOpenConnections& connections) {
  // A clock set back makes the marks lie in the future; they must not stop the refresh until the
  // clock catches up with them.
  const bool clockWentBack = now < lastCheckMark_ || now < lastRefresh_;
  if (now < lastCheckMark_ + kCheckIntervalMs && !clockWentBack) return false;
  lastCheckMark_ = std::floor(now / kCheckIntervalMs) * kCheckIntervalMs;
  if (refreshRateSeconds == 0) return false;
  if (now < lastRefresh_ + refreshRateSeconds * 1000.0 - kEarlinessMs && !clockWentBack) {
    return false;
  }
  lastRefresh_ = now;
  bool refreshed = false;
  for (TVarnelDoc* doc : documents) {
    if (doc == nullptr || !doc->Live || doc->Locked) continue;
    Current(*doc, now);
    doc->RebuildWaves(connections);
    refreshed = true;
  }
  return refreshed;
}

int CheckedPeriodCommand(std::int32_t periodCode) {
  const TPeriodKind& kind = PeriodKindOf(periodCode);
  return kind.code == periodCode ? kind.command : kCommandDayPeriod;
}

TString MainWindowTitle(const TVarnelDoc* doc, bool childMaximised, const TString& childCaption) {
  TString title(u"Varnel");
  if (doc == nullptr) return title;
  title.Append(u" : <");
  title.Append(RString(PeriodTitleId(doc->Period)));
  title.Append(u" : ");
  title.Append(DateText(doc->StartTime, false));
  title.Append(u"->");
  title.Append(DateText(doc->StopTime, false));
  title.Append(u">");
  if (!childMaximised) {
    title.Append(u"-");
    title.Append(childCaption);
  }
  return title;
}
