// tr_Log: the process log. Formats printf-style into a bounded buffer (longer
// lines are truncated), writes the line to standard output and sends it as
// mediator message 3 with the key "message"; the engine's listener appends it
// to "logfile.txt" in the user folder.
#pragma once

void tr_Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
