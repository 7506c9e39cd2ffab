// tr_ScriptLines: reads the position at the start of a Lua message, in
// either form Lua writes: "[string "name"]:N: text" for code named by a
// plain string, "file:N: text" for code whose chunk name is "@file" (what
// tr_ScriptSource gives code cut from a content file, placed so that N is
// the line in that file). Used wherever a Lua message becomes a finding with
// its own line (the content checker). Stateless.
#pragma once

#include <string>

class tr_ScriptLines {
public:
    // The line Lua's message starts with, or 0 when it names none.
    static int ChunkLine(const std::string& message);
    // The message without its leading position (the whole message when it
    // has none).
    static std::string Text(const std::string& message);
};
