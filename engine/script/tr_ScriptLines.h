// tr_ScriptLines: turns the position in a Lua message ("[string "name"]:N:
// text", counted from the start of the compiled chunk) into a position in
// the file the chunk was cut from, so that a mistake in a trigger or in a
// module's code is named by module file and line. The one place that knows
// how chunk lines map onto file lines: the checker and the running engine
// both go through it. Stateless.
#pragma once

#include <string>

class tr_ScriptLines {
public:
    // The chunk line Lua's message starts with, or 0 when it names none.
    static int ChunkLine(const std::string& message);
    // The message without its leading chunk position (the whole message when
    // it has none).
    static std::string Text(const std::string& message);
    // The file line of chunk line chunk_line when the chunk's text starts on
    // file line first_line (both counted from 1); first_line when the message
    // named no line.
    static int FileLine(int first_line, int chunk_line);
    // "file:line: text" for a Lua message about a chunk that starts on
    // first_line of file.
    static std::string Locate(const std::string& file, int first_line, const std::string& message);
};
