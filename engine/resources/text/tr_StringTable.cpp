#include "engine/resources/text/tr_StringTable.h"

#include "engine/core/tr_Log.h"
#include "engine/resources/files/tr_ContentPath.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

std::unique_ptr<tr_StringTable> tr_StringTable::instance_;

namespace {

// One pass into a new string: replacing in place moves the rest of the text
// at every match. No replacement text can form a new match.
void ReplaceAll(std::string& text, const char* from, const char* to) {
    size_t at = text.find(from);
    if (at == std::string::npos)
        return;
    const size_t from_length = std::strlen(from);
    std::string result;
    result.reserve(text.size());
    size_t done = 0;
    for (; at != std::string::npos; at = text.find(from, done)) {
        result.append(text, done, at - done);
        result += to;
        done = at + from_length;
    }
    result.append(text, done, std::string::npos);
    text.swap(result);
}

// The workbook as the reader sees it: text-mode line ends, ending at the
// first zero byte and at "</Workbook>".
std::string PrepareWorkbook(const std::string& raw) {
    std::string text = raw.substr(0, raw.find('\0'));
    tr_ContentPath::DropCarriageReturns(text);
    const size_t end = text.find("</Workbook>");
    if (end != std::string::npos)
        text.resize(end);
    return text;
}

// The first `what` at or after `from` that ends before `bound`, or npos.
// Every search of a row stays inside the row, so a damaged workbook costs
// one pass over the text instead of one per row.
size_t FindBefore(const std::string& text, const char* what, size_t from, size_t bound) {
    return std::string_view(text.data(), bound).find(what, from);
}

// The cell whose "<Data" marker is at `marker`: its content and the position
// after its "</Data". False when the cell does not close inside its row
// (before `bound`), as in a workbook that breaks off.
bool ReadCell(const std::string& text, size_t marker, size_t bound, std::string& content,
              size_t& after) {
    const size_t open_end = FindBefore(text, ">", marker, bound);
    if (open_end == std::string::npos)
        return false;
    const size_t close = FindBefore(text, "</Data", open_end + 1, bound);
    if (close == std::string::npos)
        return false;
    content = text.substr(open_end + 1, close - open_end - 1);
    after = close;
    return true;
}

bool AllDigits(const std::string& text) {
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.empty();
}

// The value of a digit string, held at 1000 so long ones cannot overflow
// (anything past 5 names no parameter).
int SaturatedNumber(const std::string& digits) {
    int n = 0;
    for (char c : digits)
        n = std::min(n * 10 + (c - '0'), 1000);
    return n;
}

} // namespace

tr_StringTable* tr_StringTable::Get() {
    return instance_.get();
}

tr_StringTable* tr_StringTable::GetOrCreate() {
    if (!instance_)
        instance_.reset(new tr_StringTable());
    return instance_.get();
}

void tr_StringTable::Destroy() {
    instance_.reset();
}

bool tr_StringTable::LoadStringTable(const std::string& name) {
    // Read as bytes: AddWorkbook drops the carriage returns, once, as a
    // text-mode read would ("\r\r\n" keeps one "\r").
    std::vector<char> raw;
    if (!tr_ContentPath::ReadBinary(name + ".xml", raw, tr_FileReader::KIND_STRING_TABLE)) {
        tr_Log("Error: stringtable could not find \"%s\" file to load!", name.c_str());
        return false;
    }
    AddWorkbook(std::string(raw.begin(), raw.end()));
    return true;
}

void tr_StringTable::AddWorkbook(const std::string& workbook) {
    const std::string text = PrepareWorkbook(workbook);
    size_t row = text.find("<Row");
    while (row != std::string::npos) {
        const size_t next_row = text.find("<Row", row + 4);
        const size_t bound = next_row == std::string::npos ? text.size() : next_row;

        const size_t id_marker = FindBefore(text, "<Data", row + 4, bound);
        std::string id;
        size_t after_id = 0;
        // A cell that does not close inside its row (a workbook that breaks
        // off, or a damaged row) yields nothing; the rows before it stay.
        if (id_marker != std::string::npos && ReadCell(text, id_marker, bound, id, after_id)) {
            std::string value;
            const size_t text_marker = FindBefore(text, "<Data", after_id, bound);
            size_t after_text = 0;
            if (text_marker == std::string::npos ||
                ReadCell(text, text_marker, bound, value, after_text)) {
                if (!id.empty() && id[0] != '{')
                    AddRow(id, std::move(value));
            }
        }
        row = next_row;
    }
}

void tr_StringTable::AddRow(const std::string& id, std::string text) {
    ReplaceAll(text, "&#10;", "\n");
    ReplaceAll(text, "&lt;", "<");
    ReplaceAll(text, "&gt;", ">");
    ReplaceAll(text, "&quot;", "\"");
    ReplaceAll(text, "&#160;", "\xA0");
    auto found = strings_.find(id);
    if (found != strings_.end()) {
        tr_Log("Warning: stringtable already include string \"%s\".", id.c_str());
        found->second = std::move(text);
        return;
    }
    strings_.emplace(id, std::move(text));
}

const std::string* tr_StringTable::Find(const std::string& id) const {
    auto found = strings_.find(id);
    return found == strings_.end() ? nullptr : &found->second;
}

std::string tr_StringTable::StringGet(const std::string& id, const std::string& p1,
                                      const std::string& p2, const std::string& p3,
                                      const std::string& p4, const std::string& p5) const {
    if (id.empty())
        return std::string();
    const std::string* text = Find(id);
    if (!text) {
        if (report_missing_ && reported_.insert(id).second)
            tr_Log("Warning: string table has no string \"%s\"", id.c_str());
        return id;
    }
    const std::string* params[5] = {&p1, &p2, &p3, &p4, &p5};

    std::string result;
    bool ok = true;
    size_t i = 0;
    while (i < text->size()) {
        if ((*text)[i] != '%') {
            result += (*text)[i++];
            continue;
        }
        std::string escape;
        const size_t closing = text->find('%', i + 1);
        if (closing == std::string::npos) {
            tr_Log("Error: non-matched percent escape found in string %s, '%s'", id.c_str(),
                   text->c_str());
            escape = text->substr(i + 1);
            i = text->size();
        } else {
            escape = text->substr(i + 1, closing - i - 1);
            i = closing + 1;
        }

        if (escape.empty()) {
            result += '%';
        } else if (AllDigits(escape)) {
            const int n = SaturatedNumber(escape);
            if (n < 1 || n > 5) {
                ok = false;
                continue;
            }
            const std::string& p = *params[n - 1];
            if (p.empty() || p[0] != '%') {
                result += p;
            } else if (p == "%%") {
                result += '%';
            } else if (p.size() >= 2 && p.back() == '%') {
                const std::string* nested = Find(p.substr(1, p.size() - 2));
                if (nested)
                    result += *nested;
                else
                    ok = false;
            } else {
                ok = false;
            }
        } else {
            const std::string* nested = Find(escape);
            if (nested)
                result += *nested;
            else
                ok = false;
        }
    }
    return ok ? result : id;
}
