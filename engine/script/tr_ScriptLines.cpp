#include "engine/script/tr_ScriptLines.h"

#include <cctype>
#include <climits>

namespace {

// Reads ":N:" (and one blank after it) at at; false when it is not there.
bool ParseLineAt(const std::string& message, size_t at, size_t& text_start, int& line) {
    if (at >= message.size() || message[at] != ':')
        return false;
    ++at;
    long value = 0;
    const size_t digits_start = at;
    while (at < message.size() && std::isdigit(static_cast<unsigned char>(message[at]))) {
        value = value * 10 + (message[at] - '0');
        if (value > INT_MAX)
            return false;
        ++at;
    }
    if (at == digits_start || at >= message.size() || message[at] != ':')
        return false;
    ++at;
    if (at < message.size() && message[at] == ' ')
        ++at;
    text_start = at;
    line = static_cast<int>(value);
    return true;
}

// Where the position ends (just after "N: ") and the line it names; false
// when the message does not start with a position. Lua writes the name of
// code loaded from memory as [string "..."], cut at its first line break and
// shortened with "..." when long, so only the frame is matched, never the
// name; a file's name runs up to the first ":N:".
bool ParsePosition(const std::string& message, size_t& text_start, int& line) {
    static const std::string kOpen = "[string \"";
    if (message.compare(0, kOpen.size(), kOpen) == 0) {
        const size_t close = message.find("\"]:", kOpen.size());
        return close != std::string::npos && ParseLineAt(message, close + 2, text_start, line);
    }
    for (size_t colon = message.find(':'); colon != std::string::npos;
         colon = message.find(':', colon + 1)) {
        if (colon > 0 && ParseLineAt(message, colon, text_start, line))
            return true;
        if (message.compare(colon, 2, ": ") == 0)
            return false; // text began before any position
    }
    return false;
}

} // namespace

int tr_ScriptLines::ChunkLine(const std::string& message) {
    size_t start = 0;
    int line = 0;
    return ParsePosition(message, start, line) ? line : 0;
}

std::string tr_ScriptLines::Text(const std::string& message) {
    size_t start = 0;
    int line = 0;
    return ParsePosition(message, start, line) ? message.substr(start) : message;
}
