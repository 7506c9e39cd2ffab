// tr_Cursor_Headless: the cursor without a window system. Its "system
// cursors" are the ids themselves (0 stays none), and what would be shown is
// only recorded, so headless runs and tests can see the platform side of the
// cursor's decisions.
#pragma once

#include "engine/objects/tr_Cursor.h"

class tr_Cursor_Headless : public tr_Cursor {
public:
    // The handle the last ShowSystemCursor call chose; 0 means hidden.
    tr_SystemCursor GetShown() const { return shown_; }
    // How many times the platform cursor was set.
    int GetShowCount() const { return show_count_; }

protected:
    tr_SystemCursor LoadSystemCursor(int id) override;
    void ShowSystemCursor(tr_SystemCursor cursor) override;
    tr_SystemCursor GetShownSystemCursor() const override { return shown_; }

private:
    tr_SystemCursor shown_ = 0;
    int show_count_ = 0;
};
