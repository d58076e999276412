// LogMessage: the one logging function of the whole program.
#pragma once

// Logs the concatenation of up to six pieces (the first null piece ends the list) to the main
// frame's log. Dropped while there is no main frame or it has no log. Callable from any thread.
void LogMessage(int type, int level, const char16_t* p1, const char16_t* p2 = nullptr,
                const char16_t* p3 = nullptr, const char16_t* p4 = nullptr,
                const char16_t* p5 = nullptr, const char16_t* p6 = nullptr);
