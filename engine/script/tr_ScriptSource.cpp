#include "engine/script/tr_ScriptSource.h"

#include <tinyxml2.h>

#include <utility>

tr_ScriptSource::tr_ScriptSource(std::string file, int first_line)
    : file_(std::move(file)), first_line_(first_line < 1 ? 1 : first_line) {}

tr_ScriptSource tr_ScriptSource::OfElementText(const std::string& file,
                                               const tinyxml2::XMLElement* element) {
    if (!element)
        return tr_ScriptSource();
    const tinyxml2::XMLNode* child = element->FirstChild();
    const tinyxml2::XMLText* text = child ? child->ToText() : nullptr;
    if (!text)
        return tr_ScriptSource();
    // A CDATA section's text starts on the line of its "<![CDATA[". A plain
    // text node is given the line of its first non-blank character, while
    // the text itself keeps the blanks before it: step back over their line
    // breaks.
    int line = text->GetLineNum();
    if (!text->CData()) {
        for (const char* c = text->Value(); *c == ' ' || *c == '\t' || *c == '\n' || *c == '\r';
             ++c) {
            if (*c == '\n')
                --line;
        }
    }
    return tr_ScriptSource(file, line);
}

std::string tr_ScriptSource::ChunkName(const std::string& fallback) const {
    return IsKnown() ? "@" + file_ : fallback;
}

std::string tr_ScriptSource::Placed(const std::string& code) const {
    if (!IsKnown() || first_line_ <= 1)
        return code;
    std::string placed(static_cast<size_t>(first_line_ - 1), '\n');
    placed += code;
    return placed;
}

std::string tr_ScriptSource::Where() const {
    return IsKnown() ? file_ + ":" + std::to_string(first_line_) : std::string();
}
