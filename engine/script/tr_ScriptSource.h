// tr_ScriptSource: where a piece of Lua code sits in a content file (the
// file's path and the line its first character is on), so that Lua's own
// messages name that file and the file's line. Lua counts lines from the
// start of the buffer it compiles and prefixes messages with the chunk
// name; Placed() puts the code behind as many line breaks as precede it in
// the file, and ChunkName() is "@file", which Lua prints as "file:LINE:".
// A plain value: copy it freely. An unknown source (no file) leaves code and
// the caller's own chunk name as they are.
//
// Used by everything that compiles content code (triggers, module code, the
// content checker), so a message names the same file:line wherever it comes
// from.
#pragma once

#include <string>

namespace tinyxml2 {
class XMLElement;
}

class tr_ScriptSource {
public:
    tr_ScriptSource() = default;
    // first_line counts from 1; lower values are taken as 1.
    tr_ScriptSource(std::string file, int first_line);

    // The source of the text of element (the first text or CDATA child, as
    // tinyxml2's GetText reads it) in file; unknown when the element has no
    // text.
    static tr_ScriptSource OfElementText(const std::string& file,
                                         const tinyxml2::XMLElement* element);

    bool IsKnown() const { return !file_.empty(); }
    const std::string& GetFile() const { return file_; }
    int GetFirstLine() const { return first_line_; }

    // "@file" when known, else fallback.
    std::string ChunkName(const std::string& fallback) const;
    // code preceded by GetFirstLine() - 1 line breaks when known, else code.
    std::string Placed(const std::string& code) const;
    // "file:line" of the source's first line ("" when unknown).
    std::string Where() const;

private:
    std::string file_;
    int first_line_ = 1;
};
