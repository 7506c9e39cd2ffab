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
    if (id != kLogMessage || writing_) {
        return;
    }
    const tr_MediatorData* message = data.Find("message");
    if (message == nullptr) {
        return;
    }
    const std::string line = message->GetString() + "\n";
    tr_FileManager* files = tr_FileManager::GetOrCreate();
    writing_ = true;
    if (!files->WriteUserFile(kLogFileName, line.data(), static_cast<int>(line.size()), true)) {
        tr_Log("Error while saving data to file %s.", kLogFileName);
    }
    writing_ = false;
}
