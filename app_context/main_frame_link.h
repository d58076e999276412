// What the portable core sees of the main frame: its language and its log. The link exists from
// the main frame's construction to its destruction; without it, log entries are dropped and
// RString answers with a placeholder.
#pragma once

class ILogSink;

struct TMainFrameLink {
  int language = 1;  // the Language of the base settings
  ILogSink* log = nullptr;
};

// Null while no main frame exists.
TMainFrameLink* MainFrameLink();
// The main frame's language; English (1) while no main frame exists.
int MainFrameLanguage();
// Set when the main frame is constructed, cleared (nullptr) when it is destroyed.
void SetMainFrameLink(TMainFrameLink* link);
