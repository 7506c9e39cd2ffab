#include "engine/resources/media/tr_SubtitleTrack.h"

#include "engine/core/tr_EngineMessages.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/resources/files/tr_ContentPath.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int Number(const std::string& text, size_t at, size_t digits) {
    int value = 0;
    for (size_t i = 0; i < digits; ++i) {
        value = value * 10 + (text[at + i] - '0');
    }
    return value;
}

// HH:MM:SS,mmm at position at of line, checked character by character.
bool ReadTime(const std::string& line, size_t at, float* seconds) {
    static const char kPattern[] = "00:00:00,000";
    for (size_t i = 0; i + 1 < sizeof(kPattern); ++i) {
        const char c = line[at + i];
        if (kPattern[i] == '0' ? !IsDigit(c) : c != kPattern[i]) {
            return false;
        }
    }
    *seconds = static_cast<float>(Number(line, at, 2) * 3600 + Number(line, at + 3, 2) * 60 +
                                  Number(line, at + 6, 2)) +
               static_cast<float>(Number(line, at + 9, 3)) / 1000.0f;
    return true;
}

// Both times of a "HH:MM:SS,mmm --> HH:MM:SS,mmm" line.
bool ReadTimeLine(const std::string& line, float* start, float* end) {
    if (line.size() < 29 || line.compare(12, 5, " --> ") != 0) {
        return false;
    }
    return ReadTime(line, 0, start) && ReadTime(line, 17, end);
}

bool NextLine(const std::string& text, size_t* at, std::string* line) {
    if (*at >= text.size()) {
        return false;
    }
    size_t stop = text.find('\n', *at);
    if (stop == std::string::npos) {
        stop = text.size();
    }
    *line = text.substr(*at, stop - *at);
    if (!line->empty() && line->back() == '\r') {
        line->pop_back();
    }
    *at = stop + 1;
    return true;
}

} // namespace

void tr_SubtitleTrack::AnnounceThroughMediator(bool show, const std::string& text_id) {
    tr_Mediator* mediator = tr_Mediator::Get();
    if (!mediator) {
        return;
    }
    tr_MediatorDataTable data;
    data.SetInt("show", show ? 1 : 0);
    if (show) {
        data.SetString("text_id", text_id);
    }
    mediator->Send(TR_MSG_SUBTITLE, data);
}

tr_SubtitleTrack::tr_SubtitleTrack() : announce(&tr_SubtitleTrack::AnnounceThroughMediator) {}

bool tr_SubtitleTrack::Load(const std::string& path) {
    std::string text;
    if (!tr_ContentPath::ReadText(path, text, tr_FileReader::KIND_SUBTITLES)) {
        return false;
    }
    Parse(text);
    return true;
}

void tr_SubtitleTrack::Parse(const std::string& text) {
    entries.clear();
    index = 0;
    showing = false;
    size_t at = 0;
    std::string index_line, time_line, text_line, separator;
    while (NextLine(text, &at, &index_line)) {
        Entry entry;
        if (!NextLine(text, &at, &time_line) ||
            !ReadTimeLine(time_line, &entry.start, &entry.end) ||
            !NextLine(text, &at, &text_line)) {
            return;
        }
        entry.text_id = text_line;
        entries.push_back(std::move(entry));
        // The separator of the last block may be missing at the end of the file.
        NextLine(text, &at, &separator);
    }
}

void tr_SubtitleTrack::Update(double t) {
    // Each pass either changes the state or leaves the loop, so a subtitle
    // that is not due yet cannot keep the loop spinning.
    while (index < entries.size()) {
        if (!showing) {
            while (index + 1 < entries.size() && entries[index].end < t) {
                ++index;
            }
            if (t < entries[index].start) {
                return;
            }
            showing = true;
            announce(true, entries[index].text_id);
        } else {
            if (t < entries[index].end) {
                return;
            }
            announce(false, std::string());
            showing = false;
            ++index;
        }
    }
}

void tr_SubtitleTrack::Reset() {
    if (showing) {
        announce(false, std::string());
    }
    index = 0;
    showing = false;
}
