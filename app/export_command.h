// File > Export (Ctrl+E): the active document's waves over its period into a CSV file chosen in
// the file dialog, every raw value read from the open servers by continuation, with the progress
// dialog; a file that cannot be written is reported as a save that failed is.
#pragma once

namespace app {

class TMainFrame;

// Command 9198.
void AddExportCommand(TMainFrame& frame);

}  // namespace app
