// What the main window's period commands, the lock commands and the automatic refresh do with a
// document, and the main window's title. The window layer wires the commands and passes the
// returned view hint to each view of the document.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <span>

#include "document/open_connections.h"
#include "document/varnel_doc.h"
#include "text/tstring.h"

enum TPeriodCommand : int {
  kCommandUnlock = 1204,
  kCommandLock = 1205,
  kCommandPreviousPeriod = 1206,
  kCommandRefresh = 1207,
  kCommandNextPeriod = 1208,
  kCommandCurrentPeriod = 1209,
  kCommandFirstPeriodKind = 1210,  // the day, like 1225
  kCommandDayPeriod = 1225,
  kCommandCustomPeriod = 1229,
  kCommandLastPeriodKind = 1229,
  kCommandRefreshView = 9064,
};

// What the views of a document are told after it changed.
enum TViewHint : int {
  kHintNone = 0,
  kHintAutomaticRefresh = 1,
  kHintConfigurationChanged = 2,
  kHintItemsBrowsed = 3,
  kHintItemsRemoved = 4,
  kHintPeriodKindChosen = 5,
  kHintPreviousPeriod = 6,
  kHintRefresh = 7,
  kHintNextPeriod = 8,
  kHintCurrentPeriod = 9,
};

// The lock command and every period command need an unlocked document showing an open server;
// the unlock command a locked one. `doc` is the active document, null when there is none.
bool PeriodCommandsEnabled(const TVarnelDoc* doc, const IOpenConnections& connections);
bool UnlockEnabled(const TVarnelDoc* doc, const IOpenConnections& connections);

// Stands in for the custom period dialog: shown with its title on the period's times, it writes
// the chosen times and returns true, or returns false when cancelled.
using TCustomPeriodPrompt =
    std::function<bool(const char16_t* title, double& startTime, double& stopTime)>;

// Commands 1210..1229 on the active document: sets the kind, completes the period and re-reads
// the waves. `hasGraphView` tells whether the active child window shows a graph (one more log
// line). Returns the hint for the document's views, kHintNone when nothing was done.
int ChoosePeriodKind(TVarnelDoc* doc, int command, IOpenConnections& connections, bool hasGraphView,
                     const TCustomPeriodPrompt& customPrompt);

// Commands 1204..1209 and 9064 on the active document: lock, unlock, previous, refresh, next and
// current. Returns the hint for the document's views, kHintNone when nothing was re-read.
int RunPeriodCommand(TVarnelDoc* doc, int command, IOpenConnections& connections);

// The automatic refresh, called on every tick of the main window's one-second timer.
class TRefreshTimer {
 public:
  static constexpr double kCheckIntervalMs = 5000.0;
  static constexpr double kEarlinessMs = 4000.0;  // a refresh may come this much early

  // The first check comes once the 5-second slot after `startTime` (the main window's making)
  // has begun; the first refresh at that check.
  explicit TRefreshTimer(double startTime = 0.0)
      : lastCheckMark_(std::floor(startTime / kCheckIntervalMs) * kCheckIntervalMs) {}

  // Runs a check when one is due and refreshes every Live, unlocked document when the refresh
  // rate (seconds, 0 for never) says so. Returns true when a document was refreshed: every view
  // of every document is then told kHintAutomaticRefresh and the title is updated.
  bool Tick(double now, std::int32_t refreshRateSeconds, std::span<TVarnelDoc* const> documents,
            IOpenConnections& connections);
  // The next check refreshes whatever the rate's wait says (a server answers again); a rate of
  // 0 still never refreshes.
  void RefreshAtNextCheck() { lastRefresh_ = 0.0; }

 private:
  double lastCheckMark_ = 0.0;
  double lastRefresh_ = 0.0;
};

// The Period menu item checked for a document's period code: the command of its kind, and the
// day (1225) for a code outside the table.
int CheckedPeriodCommand(std::int32_t periodCode);

// "Varnel", and for an active document " : <" kind name " : " start "->" stop ">", followed by
// "-" and the child window's caption when that window is not maximised.
TString MainWindowTitle(const TVarnelDoc* doc, bool childMaximised, const TString& childCaption);
