#include "engine/platform/headless/tr_Cursor_Headless.h"

tr_SystemCursor tr_Cursor_Headless::LoadSystemCursor(int id) {
    return id > 0 ? static_cast<tr_SystemCursor>(id) : 0;
}

void tr_Cursor_Headless::ShowSystemCursor(tr_SystemCursor cursor) {
    shown_ = cursor;
    ++show_count_;
}
