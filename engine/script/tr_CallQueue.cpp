#include "engine/script/tr_CallQueue.h"

tr_CallQueue* tr_CallQueue::installed_ = nullptr;

bool tr_QueueObjectCall(const std::string& sender, const std::string& code) {
    tr_CallQueue* queue = tr_CallQueue::Installed();
    if (code.empty() || !queue)
        return false;
    return queue->QueueCall(sender, code);
}
