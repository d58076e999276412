// The ring log over any file already there under its name (a log of an older run, a file put there
// by mistake): whatever the bytes, writing entries neither traps nor writes out of place. Entries
// go after the byte-order mark, on whole UTF-16 units, and the file holds what was written.
#include <cstddef>
#include <cstdint>

#include "document/grid_doc.h"
#include "document/log_entry.h"
#include "fuzz/fuzz_file.h"
#include "platform/file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TString path = fuzz::WriteInput("Varnel.log", data, size);
  TGridDoc log(fuzz::ScratchDirectoryName());
  fuzz::Check(log.LogFileName().Equals(path));
  for (int i = 0; i < 3; ++i) {
    TLogEntry entry;
    entry.Time = 1623024000000.0 + 1000.0 * i;
    entry.Text = u"Fuzzed log entry";
    log.AddEntry(entry);
  }
  fuzz::Check(log.WritePending(1));
  fuzz::Check(log.UnwrittenCount() == 0);
  const std::int64_t position = log.WritePosition();
  fuzz::Check(position >= TGridDoc::kFirstEntryPosition && position % 2 == 0);
  platform::File file;
  fuzz::Check(file.Open(path.Str(), platform::File::Mode::Read));
  fuzz::Check(file.Size() >= position);
  return 0;
}
