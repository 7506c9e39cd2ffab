#include "engine/host/tr_InputScript.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

constexpr long kMaxVirtualKey = 0xFF;
constexpr long kMaxCodePoint = 0x10FFFF;

bool ParseWhole(const std::string& token, uint64_t& value) {
    if (token.empty() || token.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const unsigned long long parsed = std::strtoull(token.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') {
        return false;
    }
    value = parsed;
    return true;
}

// Decimal, or hexadecimal with a 0x prefix (key codes are often written so).
bool ParseCode(const std::string& token, long maximum, int& value) {
    const bool hex = token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
    const std::string digits = hex ? token.substr(2) : token;
    const char* allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.empty() || digits.find_first_not_of(allowed) != std::string::npos ||
        digits.size() > 8) {
        return false;
    }
    const long parsed = std::strtol(digits.c_str(), nullptr, hex ? 16 : 10);
    if (parsed > maximum) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool ParseCoordinate(const std::string& token, float& value) {
    if (token.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod(token.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(parsed) || std::fabs(parsed) > 1e7) {
        return false;
    }
    value = static_cast<float>(parsed);
    return true;
}

tr_InputEvent MouseEvent(int type, float x, float y) {
    tr_InputEvent event;
    event.type = type;
    event.key = TR_MOUSE_KEY;
    event.x = x;
    event.y = y;
    return event;
}

} // namespace

bool tr_InputScript::Parse(const std::string& text, const std::string& source) {
    events_.clear();
    error_.clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::string problem;
        if (!ParseLine(line, problem)) {
            error_ = source + ":" + std::to_string(number) + ": " + problem + ": \"" + line + "\"";
            events_.clear();
            return false;
        }
    }
    std::stable_sort(
        events_.begin(), events_.end(),
        [](const tr_ScriptedInput& a, const tr_ScriptedInput& b) { return a.frame < b.frame; });
    return true;
}

bool tr_InputScript::ParseLine(const std::string& line, std::string& problem) {
    std::istringstream words(line.substr(0, line.find('#')));
    std::vector<std::string> tokens;
    for (std::string token; words >> token;) {
        tokens.push_back(token);
    }
    if (tokens.empty()) {
        return true;
    }
    tr_ScriptedInput entry;
    if (!ParseWhole(tokens[0], entry.frame)) {
        problem = "the frame \"" + tokens[0] + "\" is not a whole number";
        return false;
    }
    if (tokens.size() < 2) {
        problem = "an event name is missing";
        return false;
    }
    const std::string& name = tokens[1];
    const std::vector<std::string> args(tokens.begin() + 2, tokens.end());

    size_t wanted = 0;
    if (name == "move" || name == "down" || name == "up" || name == "click") {
        wanted = 2;
    } else if (name == "key" || name == "keyup" || name == "char") {
        wanted = 1;
    } else if (name != "leave" && name != "quit" && name != "unfocus" && name != "focus") {
        problem = "unknown event \"" + name + "\"";
        return false;
    }
    if (args.size() != wanted) {
        problem = "\"" + name + "\" takes " + std::to_string(wanted) + " argument" +
                  (wanted == 1 ? "" : "s") + ", got " + std::to_string(args.size());
        return false;
    }

    if (wanted == 2) {
        float x = 0.0f;
        float y = 0.0f;
        if (!ParseCoordinate(args[0], x) || !ParseCoordinate(args[1], y)) {
            problem = "\"" + name + "\" needs two numbers";
            return false;
        }
        if (name == "move") {
            entry.event = MouseEvent(TR_EVENT_MOUSE_MOVE, x, y);
        } else if (name == "up") {
            entry.event = MouseEvent(TR_EVENT_MOUSE_UP, x, y);
        } else {
            entry.event = MouseEvent(TR_EVENT_MOUSE_DOWN, x, y);
            if (name == "click") {
                events_.push_back(entry);
                entry.event = MouseEvent(TR_EVENT_MOUSE_UP, x, y);
            }
        }
        events_.push_back(entry);
        return true;
    }
    if (name == "key" || name == "keyup") {
        int code = 0;
        if (!ParseCode(args[0], kMaxVirtualKey, code)) {
            problem = "\"" + args[0] + "\" is not a virtual-key code (0 to 255)";
            return false;
        }
        entry.event.type = name == "key" ? TR_EVENT_KEY_DOWN : TR_EVENT_KEY_UP;
        entry.event.key = code;
        events_.push_back(entry);
        return true;
    }
    if (name == "char") {
        int code = 0;
        if (!ParseCode(args[0], kMaxCodePoint, code) || (code >= 0xD800 && code <= 0xDFFF)) {
            problem = "\"" + args[0] + "\" is not a character code (0 to 0x10FFFF)";
            return false;
        }
        entry.event.type = TR_EVENT_CHAR;
        if (code >= 0x10000) {
            // Characters arrive as UTF-16 code units, so a surrogate pair.
            const int offset = code - 0x10000;
            entry.event.character = 0xD800 | (offset >> 10);
            events_.push_back(entry);
            entry.event.character = 0xDC00 | (offset & 0x3FF);
        } else {
            entry.event.character = code;
        }
        events_.push_back(entry);
        return true;
    }
    if (name == "leave") {
        entry.event.type = TR_EVENT_MOUSE_LEAVE;
    } else if (name == "unfocus" || name == "focus") {
        entry.focus = name == "focus" ? tr_ScriptedFocus::kGained : tr_ScriptedFocus::kLost;
    } else {
        entry.quit = true;
    }
    events_.push_back(entry);
    return true;
}
