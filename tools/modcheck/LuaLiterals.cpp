#include "tools/modcheck/LuaLiterals.h"

#include <cctype>

namespace {

bool IsKeyword(const std::string& word) {
    static const char* const kKeywords[] = {
        "and", "break",    "do",     "else", "elseif", "end",   "false",
        "for", "function", "if",     "in",   "local",  "nil",   "not",
        "or",  "repeat",   "return", "then", "true",   "until", "while",
    };
    for (const char* keyword : kKeywords) {
        if (word == keyword)
            return true;
    }
    return false;
}

class Scanner {
public:
    explicit Scanner(const std::string& code) : code_(code) {}

    LuaLiterals::Result Run() {
        while (at_ < code_.size()) {
            const char c = code_[at_];
            if (c == '-' && Peek(1) == '-') {
                SkipComment();
            } else if (c == '"' || c == '\'') {
                previous_.clear();
                std::string ignored;
                ReadString(ignored);
            } else if (c == '[' && LongBracketLevel() >= 0) {
                SkipLongBracket();
            } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                Identifier();
            } else {
                if (!std::isspace(static_cast<unsigned char>(c)))
                    previous_.clear();
                Advance();
            }
        }
        return result_;
    }

private:
    char Peek(size_t ahead) const { return at_ + ahead < code_.size() ? code_[at_ + ahead] : '\0'; }
    void Advance() {
        if (code_[at_] == '\n')
            ++line_;
        ++at_;
    }
    void SkipSpace() {
        while (at_ < code_.size() && std::isspace(static_cast<unsigned char>(code_[at_])))
            Advance();
    }
    // The level of a long bracket "[==[" starting here, or -1.
    int LongBracketLevel() const {
        size_t i = 1;
        while (Peek(i) == '=')
            ++i;
        return Peek(i) == '[' ? static_cast<int>(i - 1) : -1;
    }
    void SkipLongBracket() {
        const std::string close = "]" + std::string(LongBracketLevel(), '=') + "]";
        while (at_ < code_.size() && code_.compare(at_, close.size(), close) != 0)
            Advance();
        for (size_t i = 0; i < close.size() && at_ < code_.size(); ++i)
            Advance();
    }
    void SkipComment() {
        Advance();
        Advance();
        if (at_ < code_.size() && code_[at_] == '[' && LongBracketLevel() >= 0) {
            SkipLongBracket();
            return;
        }
        while (at_ < code_.size() && code_[at_] != '\n')
            Advance();
    }
    // Reads a quoted string with its escapes; false when it is unterminated.
    bool ReadString(std::string& value) {
        const char quote = code_[at_];
        Advance();
        while (at_ < code_.size() && code_[at_] != quote) {
            if (code_[at_] == '\n')
                return false;
            if (code_[at_] == '\\' && at_ + 1 < code_.size()) {
                Advance();
                const char escaped = code_[at_];
                value.push_back(escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped);
            } else {
                value.push_back(code_[at_]);
            }
            Advance();
        }
        if (at_ >= code_.size())
            return false;
        Advance();
        return true;
    }
    void Identifier() {
        const size_t start = at_;
        while (at_ < code_.size() &&
               (std::isalnum(static_cast<unsigned char>(code_[at_])) || code_[at_] == '_'))
            ++at_;
        // A method or field of a table (t.SwitchRoom) is not the global.
        const bool member = start > 0 && (code_[start - 1] == '.' || code_[start - 1] == ':');
        const std::string name = code_.substr(start, at_ - start);
        const int line = line_;
        const bool declared = previous_ == "function" || previous_ == "local";
        previous_ = name;
        SkipSpace();
        const bool called = at_ < code_.size() && code_[at_] == '(';
        if (!member && !IsKeyword(name))
            result_.names.push_back({name, line, called, declared});
        if (member || !called)
            return;
        Advance();
        SkipSpace();
        if (at_ >= code_.size() || (code_[at_] != '"' && code_[at_] != '\''))
            return;
        std::string literal;
        if (!ReadString(literal))
            return;
        SkipSpace();
        if (at_ < code_.size() && (code_[at_] == ',' || code_[at_] == ')'))
            result_.calls.push_back({name, literal, line});
    }

    const std::string& code_;
    size_t at_ = 0;
    int line_ = 0;
    std::string previous_; // the name or keyword before this one
    LuaLiterals::Result result_;
};

} // namespace

LuaLiterals::Result LuaLiterals::Find(const std::string& code) {
    return Scanner(code).Run();
}
