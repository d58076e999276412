// TVarnelDoc: one trend study. Which items of which servers are shown, over which period, with
// which graph settings, and the history values last read for them. Saved as a UTF-16 XML file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/connection_info.h"
#include "document/open_connections.h"
#include "document/period.h"
#include "document/wave.h"
#include "graph/graph_settings.h"
#include "text/tstring.h"

// The period (kind, StartTime, StopTime, Live) comes from TPeriod.
class TVarnelDoc : public TPeriod {
 public:
  // A new document: the day kind, from the start of today to now, Live and not Locked.
  TVarnelDoc();

  // The number of item names over all connections.
  std::size_t ItemCount() const;
  // True when one of the document's servers is among the open connections.
  bool UsesConnection(const IOpenConnections& connections) const;
  // The connection info of the same server; if there is none, a copy of the server with no items
  // is appended (and the document marked modified). The reference is valid until Connections
  // changes.
  ConnectionInfo& FindOrAddConnection(const HdaServerDef& server);
  // Removes the first item of that name from the connection at that index, with its wave; the
  // document is then modified.
  void RemoveItem(std::size_t connection, const TString& itemName);
  // Gives Waves one wave per item and re-reads the waves of every server that is open, for
  // [StartTime, StopTime]. The waves of the other servers keep their points.
  void RebuildWaves(IOpenConnections& connections);

  // Reads a document file. Returns false on success; true when the file cannot be opened, is not
  // UTF-16 with a byte-order mark, or has no root, leaving an empty document whose period runs
  // from the start of the year to now. Not modified afterwards.
  [[nodiscard]] bool Load(const char16_t* fileName);
  // What the last Load found, for callers that say why a document could not be read.
  enum class TLoadOutcome {
    Read,            // every section found
    CannotOpen,      // no such file, or it cannot be opened
    NotUnicode,      // no UTF-16 byte-order mark
    CannotReadAll,   // the file could not be read to its end
    NoDocument,      // no VarnelDoc element: some other XML file, or none
    Unfinished,      // the VarnelDoc element is never closed: the file is cut short
    SectionMissing,  // a section is missing (MissingSection names the first)
  };
  TLoadOutcome LastLoadOutcome() const { return loadOutcome_; }
  const char16_t* MissingSection() const { return missingSection_; }
  // Writes the document file; the document is then not modified. Returns true when it could not
  // be written completely, leaving any previous file of that name as it was.
  [[nodiscard]] bool Save(const char16_t* fileName);

  bool IsModified() const { return modified_; }
  void SetModified(bool modified = true) { modified_ = modified; }

  bool Locked = false;  // no period command and no refresh changes the period
  std::vector<ConnectionInfo> Connections;
  std::vector<TWave> Waves;  // one per item, in the order of Connections and their items
  graph::TGraphSettings GraphSettings;

 private:
  bool modified_ = false;
  TLoadOutcome loadOutcome_ = TLoadOutcome::Read;
  const char16_t* missingSection_ = u"";
};

// The name the file dialog proposes and accepts: the extension (from the last dot after the last
// path separator) replaced by ".xml", or ".xml" appended when there is none.
TString DocumentFileName(const TString& name);
