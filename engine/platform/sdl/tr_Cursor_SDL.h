// tr_Cursor_SDL: the cursor's platform part on SDL. Content's cursor ids map
// to SDL system cursors (32512 arrow, 32646 size-all, 32649 hand); other ids
// have none. Showing none hides the system cursor over the window, which is
// how the engine draws its own. Needs SDL's video subsystem for as long as it
// lives; it owns the SDL cursors it made and frees them on destruction.
#pragma once

#include "engine/objects/tr_Cursor.h"

#include <map>
#include <memory>

struct SDL_Cursor;

class tr_Cursor_SDL : public tr_Cursor {
public:
    tr_Cursor_SDL() = default;
    ~tr_Cursor_SDL() override;

    // A new SDL cursor while SDL's video subsystem runs (a window host);
    // null otherwise, for the caller to fall back on a window-less cursor.
    static std::unique_ptr<tr_Cursor> CreateIfVideoRuns();

protected:
    tr_SystemCursor LoadSystemCursor(int id) override;
    void ShowSystemCursor(tr_SystemCursor cursor) override;
    tr_SystemCursor GetShownSystemCursor() const override { return shown_; }

private:
    // One SDL cursor per id, shared by every shape that names it.
    std::map<int, SDL_Cursor*> made_;
    // SDL starts with its own default cursor showing: neither none nor any
    // handle made here.
    tr_SystemCursor shown_ = ~tr_SystemCursor(0);
};
