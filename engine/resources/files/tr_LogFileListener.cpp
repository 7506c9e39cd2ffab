#include "engine/resources/files/tr_LogFileListener.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/resources/files/tr_FileManager.h"

namespace {

const char* const kLogFileName = "logfile.txt";

} // namespace

tr_LogFileListener::tr_LogFileListener() {
    if (tr_Mediator* mediator = tr_Mediator::Get()) {
        mediator->Subscribe(kLogMessage, this);
    }
}

void tr_LogFileListener::OnMessage(int id, tr_MediatorDataTable& data) {
    if (id != kLogMessage || reporting_failure_) {
        return;
    }
    const tr_MediatorData* message = data.Find("message");
    if (message == nullptr) {
        return;
    }
    const std::string line = message->GetString() + "\n";
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    if (!files->WriteUserFile(kLogFileName, line.data(), static_cast<int>(line.size()), true)) {
        reporting_failure_ = true;
        tr_Log("Error while saving data to file %s.", kLogFileName);
        reporting_failure_ = false;
    }
}
