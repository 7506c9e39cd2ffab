// tr_LogFileListener: the engine's listener for the log (mediator message 3).
// It appends each line plus "\n" to "logfile.txt" in the user folder through
// the file manager, creating the file manager on first use. The engine object
// owns one and keeps it for its whole life: constructing it subscribes it to
// message 3 of the process-wide mediator (when one exists); destroying it
// unsubscribes it.
#pragma once

#include "engine/core/tr_EngineMessages.h"

#include "engine/core/tr_Listener.h"

class tr_LogFileListener : public tr_Listener {
public:
    static constexpr int kLogMessage = TR_MSG_LOG;

    tr_LogFileListener();

    void OnMessage(int id, tr_MediatorDataTable& data) override;

private:
    // Set while a line is being appended and while its failure is logged:
    // lines logged meanwhile (the failure line, or the file reader refusing a
    // log file that is not a regular file) pass through this listener too and
    // must not be appended, and fail, again.
    bool writing_ = false;
};
