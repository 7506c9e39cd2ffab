// tr_SubtitleTrack: the ".srt" subtitles of a video. Entries hold string-table
// ids, not text: the track announces them as playback time passes, through
// mediator message 1 (Event_Video_Subtitle) with "show" (1 or 0) and, when
// showing, "text_id". Owned by tr_VideoClip.
#pragma once

#include <functional>
#include <string>
#include <vector>

class tr_SubtitleTrack {
public:
    struct Entry {
        float start = 0.0f;
        float end = 0.0f;
        std::string text_id;
    };
    using Announcer = std::function<void(bool show, const std::string& text_id)>;

    // Sends mediator message 1; the announcer every track starts with.
    static void AnnounceThroughMediator(bool show, const std::string& text_id);

    tr_SubtitleTrack();

    // Reads a content path; false when it cannot be read. Blocks are an index
    // line, a "HH:MM:SS,mmm --> HH:MM:SS,mmm" time line, one text line and a
    // separator line; reading stops at the first incomplete or malformed block,
    // keeping the entries before it.
    bool Load(const std::string& path);
    void Parse(const std::string& text);

    // Announces what is due at t seconds; several steps may happen in one call.
    void Update(double t);
    // Withdraws a shown entry and starts over from the first.
    void Reset();

    void SetAnnouncer(Announcer announcer) { announce = std::move(announcer); }
    const std::vector<Entry>& GetEntries() const { return entries; }

private:
    std::vector<Entry> entries;
    size_t index = 0;
    bool showing = false;
    Announcer announce;
};
