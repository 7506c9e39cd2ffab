#include "engine/script/tr_ScriptLines.h"

#include <cctype>
#include <climits>

namespace {

// Where the chunk position ends (just after "N: ") and the line it names;
// false when the message does not start with a position. Lua writes the
// chunk name of code loaded from memory as [string "..."], cut at its first
// line break and shortened with "..." when long, so only the frame is
// matched, never the name.
bool ParsePosition(const std::string& message, size_t& text_start, int& line) {
    static const std::string kOpen = "[string \"";
    if (message.compare(0, kOpen.size(), kOpen) != 0)
        return false;
    const size_t close = message.find("\"]:", kOpen.size());
    if (close == std::string::npos)
        return false;
    size_t at = close + 3;
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

int tr_ScriptLines::FileLine(int first_line, int chunk_line) {
    if (chunk_line <= 0)
        return first_line;
    const long long line = static_cast<long long>(first_line) + chunk_line - 1;
    return line > INT_MAX ? INT_MAX : static_cast<int>(line);
}

std::string tr_ScriptLines::Locate(const std::string& file, int first_line,
                                   const std::string& message) {
    return file + ":" + std::to_string(FileLine(first_line, ChunkLine(message))) + ": " +
           Text(message);
}
