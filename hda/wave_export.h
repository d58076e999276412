// The waves of a document as the columns of a CSV export: every raw value of each wave's item
// over the document's period, read by continuation from its open server one call at a time; a
// wave whose server is not open, or whose item the server does not know, is exported as the
// document holds it.
#pragma once

#include <vector>

#include "document/csv_export.h"
#include "document/user_messages.h"
#include "document/varnel_doc.h"
#include "document/wave_stream.h"
#include "hda/connection_list.h"
#include "hda/raw_stream.h"
#include "hda/wave_filler.h"

namespace hda {

class THdaWaveStream final : public IWaveStream {
 public:
  THdaWaveStream(THdaConnectionList& list, ConnectionId connection, const TRawReadRequest& request,
                 IUserMessages& messages);
  // One call of the server. The list's call scope is held during the call only: a server that
  // shuts down between two calls is removed, and the next call finds it gone (Failed).
  bool Next(TWave& piece) override;
  bool Failed() const override { return failed_; }

 private:
  THdaConnectionList& list_;
  ConnectionId connection_;
  IUserMessages& messages_;
  TRawStream raw_;
  TWaveFiller filler_;
  bool failed_ = false;
};

// One column per item of the document, in the order of its connections and their items, headed by
// the item name, over [StartTime, StopTime).
std::vector<TCsvColumn> ExportColumns(THdaConnectionList& list, const TVarnelDoc& doc,
                                      IUserMessages& messages);

}  // namespace hda
