// tr_EngineMessages: the mediator message ids the engine itself sends; the
// game numbers its own messages (game/core/tp_Messages.h) above these.
#pragma once

enum tr_EngineMessage : int {
    // A video's subtitle line changed: "text" (empty when it ends).
    TR_MSG_SUBTITLE = 1,
    // Alt+Enter was pressed; the table is empty.
    TR_MSG_TOGGLE_FULLSCREEN = 2,
    // A log line: "message".
    TR_MSG_LOG = 3,
};
