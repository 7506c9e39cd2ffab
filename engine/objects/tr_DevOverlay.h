// tr_DevOverlay: the development mode's error panel. It listens to the log
// (mediator message 3) and keeps the last kMaxLines lines that begin with
// "Error" or "Warning" (a line repeated at once counts up instead of taking
// another place), and shows them as raw text on a dark band at the top left
// of the screen, above the rest of the scene; it hides while it has nothing
// to show and never takes input. Lines logged while it lays itself out (a
// missing font, say) are not taken, so it cannot feed itself.
//
// Attach it under the display root "tr_origin" (its position is in screen
// pixels); the scene owns it then. res names its font like a text object's.
// Needs a mediator while it lives; it subscribes on construction.
#pragma once

#include "engine/core/tr_Listener.h"
#include "engine/objects/tr_Text.h"

#include <string>
#include <vector>

class tr_DevOverlay : public tr_Text, public tr_Listener {
public:
    static constexpr size_t kMaxLines = 6;
    static constexpr size_t kMaxLineLength = 240;
    static constexpr const char* kObjectName = "tr_dev_overlay";

    explicit tr_DevOverlay(const std::string& font);
    ~tr_DevOverlay() override;

    void OnMessage(int id, tr_MediatorDataTable& data) override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;
    std::string GetType() const override { return "devoverlay"; }

    // Takes a log line as if it had just been logged (lines logged before
    // the panel existed); lines that do not belong on it are ignored.
    void Add(std::string line);
    // What the panel shows, oldest first: each line as logged (cut to
    // kMaxLineLength), with " (N times)" after one repeated.
    std::vector<std::string> GetLines() const;
    void Clear();
    // Whether a log line belongs on the panel.
    static bool IsShown(const std::string& line);

private:
    struct Entry {
        std::string text;
        int count = 1;
    };

    std::vector<Entry> entries_;
    bool dirty_ = false;
    bool laying_out_ = false;
};
