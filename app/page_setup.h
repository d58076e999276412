// Page set-up (command 57606): the system's dialog with the configured margins, paper and the
// current printer; the program's own margins dialog when the system's cannot be shown. Changed
// margins or paper sizes go to the views of the active document with hint 2.
#pragma once

namespace app {

class TMainFrame;

void RunPageSetup(TMainFrame& frame);

}  // namespace app
